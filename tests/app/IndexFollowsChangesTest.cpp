// The kept search index follows the program's own writes through the change notice: after
// each way of writing notes, the next search has no note file to read again, and finds
// what reading every note file finds.

#include "app/CNotesApp.h"
#include "categories/CategoryTreeEditor.h"
#include "exchange/ExportNotes.h"
#include "exchange/ImportChooser.h"
#include "exchange/ImportNotes.h"
#include "format/NoteFile.h"
#include "index/SearchIndex.h"
#include "lists/CurrentNotesList.h"
#include "lists/DatabaseSearch.h"
#include "lists/DeleteCommands.h"
#include "lists/OrganiseCommands.h"
#include "lists/SourceCommands.h"
#include "sources/SourceEditor.h"
#include "store/MemorySettingsBackend.h"
#include "store/NoteDatabase.h"
#include "store/NoteEditorSave.h"
#include "store/SourceStore.h"
#include "support/ScriptedPrompt.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class IndexFollowsChanges : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(m_cache.isValid());
        m_folder = DataFolder(m_dir.path(), m_dir.filePath(QStringLiteral("bin")));
        ASSERT_TRUE(m_folder.CreateFolders());
        Write({Note(1001, 14, "The cat sat on the category mat."), Note(1002, 14, "Apple and pear pie")});
        Write({Note(1004, 15, "Salt and pepper, then the CAT sat."),
               Note(1005, 15, "caf\xc3\xa9 au lait: na\xc3\xafve")});
        Write({Note(1003, 16, "Orange juice with pepper")});
        AppEnvironment environment;
        environment.dataRoot = m_folder.DataRoot();
        environment.programFolder = m_folder.ProgramFolder();
        environment.settingsBackend = &m_settings;
        environment.searchIndexFolder = m_cache.path();
        m_app = std::make_unique<CNotesApp>(environment);
        m_app->InitInstance();
        ASSERT_TRUE(Index().Rebuild(Names()));
    }

    static NoteRecord Note(qint32 id, int day, const char* text)
    {
        NoteRecord note;
        note.NoteID = id;
        note.DateAdded = DateTime::FromParts(2008, 8, day, 21, 23, 56);
        note.LastEdited = note.DateAdded;
        note.NoteGUID = QStringLiteral("{0000000%1-0000-0000-0000-000000000000}").arg(id);
        note.PlainText = QString::fromUtf8(text);
        note.RichText = QStringLiteral("{\\rtf1 ") + note.PlainText + QStringLiteral("}");
        return note;
    }

    void Write(const NotesList& notes)
    {
        ASSERT_TRUE(WriteNoteFile(FileSystem::Real(), m_folder.FullPath(NoteFileName(notes.first())), notes));
    }

    SearchIndex& Index() { return m_app->Index(); }
    NoteDatabase& Database() { return m_app->Database(); }
    QStringList Names() { return Database().NoteFileNames(); }

    static QList<qint32> Ids(const ListedNotes& notes)
    {
        QList<qint32> ids;
        for (const ListedNote& note : notes)
            ids.append(note.NoteID);
        return ids;
    }

    // The index took in every file the write changed: the stamp check before the next
    // search finds none to read again, and the answers are those of reading the files.
    void ExpectFollowed(const char* after)
    {
        int refreshed = -1;
        ASSERT_TRUE(Index().Refresh(Names(), &refreshed)) << after;
        EXPECT_EQ(refreshed, 0) << after;
        QStringList paths;
        for (const QString& name : Names())
            paths.append(QDir(m_folder.NotesFolder()).filePath(name));
        for (const char* text :
             {"cat", "\"cat\"", "pe", "moved", "crumble", "kw", "lait", "SHOWALL", "t sa"}) {
            SearchQuery query;
            ASSERT_TRUE(ParseQuery(QString::fromUtf8(text), &query));
            const std::optional<ListedNotes> indexed = SearchDatabaseIndexed(query, Index(), Names());
            ASSERT_TRUE(indexed.has_value()) << after << ": " << text;
            EXPECT_EQ(Ids(*indexed), Ids(SearchDatabase(query, paths))) << after << ": " << text;
        }
    }

    void Edit(qint32 id, const NoteEditorFields::NoteEditorChanges& changes)
    {
        QString error;
        ASSERT_TRUE(NoteEditorSave::EditNote(Database(), m_app->Sources(), id, changes, &error))
            << qPrintable(error);
    }

    qint32 SaveSource(SourceEditor& editor)
    {
        SourceRecord saved;
        QString error, caption;
        EXPECT_TRUE(
            SourceCommands::SaveEditedSource(Database(), m_app->Sources(), editor, &saved, &error, &caption))
            << qPrintable(error);
        return saved.SourceId;
    }

    QTemporaryDir m_dir;
    QTemporaryDir m_cache;
    DataFolder m_folder;
    MemorySettingsBackend m_settings;
    std::unique_ptr<CNotesApp> m_app;
};

TEST_F(IndexFollowsChanges, EveryWayOfWritingNotesIsTakenInAsItIsStored)
{
    ExpectFollowed("built");

    NoteEditorFields::NoteEditorChanges added;
    added.text = QStringLiteral("A new cat, moved in");
    QString error;
    ASSERT_GT(NoteEditorSave::AddNote(Database(), m_app->Sources(), added, &error), 0) << qPrintable(error);
    ExpectFollowed("a note added");

    NoteEditorFields::NoteEditorChanges text;
    text.text = QStringLiteral("Pear and apple crumble");
    Edit(1002, text);
    ExpectFollowed("a text edited");

    SourceEditor newSource(m_app->Sources().NewSource(1));
    newSource.SetType(1);
    newSource.SetField(0, QStringLiteral("A Title"));
    const qint32 sourceId = SaveSource(newSource);
    ASSERT_GT(sourceId, 0);
    NoteEditorFields::NoteEditorChanges cited;
    cited.sourceId = sourceId;
    Edit(1004, cited); // the note moves into its source's file
    ExpectFollowed("a note moved between files");

    NotesList tagged = Database().LoadNotesByIds({1001, 1003});
    ASSERT_TRUE(Database().AttachKeyWordToNotes(QStringLiteral("kw"), tagged).Ok());
    ExpectFollowed("a key word attached");

    NoteEditorFields::NoteEditorChanges filed;
    filed.categoryPath = QStringList {QStringLiteral("Animals"), QStringLiteral("Cats")};
    Edit(1001, filed);
    CategoryTree working
        = CategoryTreeEditor::WorkingCopy(Database().Categories(), Database().UnassignedNoteIds());
    bool renamed = false;
    for (int i = 0; i < working.Count(); ++i) {
        if (working.Node(i).name == QLatin1String("Animals")) {
            working.Node(i).name = QStringLiteral("Beasts");
            renamed = true;
        }
    }
    ASSERT_TRUE(renamed);
    ASSERT_TRUE(OrganiseCommands::SaveCategoryTrees(Database(), m_app->CurrentList(), std::move(working),
                                                    m_app->GetSettings().NoteSortID)
                    .Ok());
    ExpectFollowed("re-filed");

    const SourceRecord* stored = m_app->Sources().FindSource(sourceId);
    ASSERT_NE(stored, nullptr);
    SourceEditor changedSource(*stored);
    changedSource.SetType(2); // its notes are stamped
    SaveSource(changedSource);
    ExpectFollowed("a source's type changed");

    const QString archive = m_dir.filePath(QStringLiteral("out.qvx"));
    ExportContext exportContext;
    exportContext.database = &Database();
    exportContext.sources = &m_app->Sources();
    ASSERT_EQ(ExportNotes({1001, 1005}, archive, exportContext), 2);
    ScriptedPrompt yes;
    QList<qint32> deleted;
    ASSERT_TRUE(DeleteCommands::DeleteNotesByIds(Database(), {1005}, yes, &deleted, &error))
        << qPrintable(error);
    ASSERT_EQ(deleted, QList<qint32> {1005});
    ExpectFollowed("a note deleted");

    SelectionRuleChooser chooser(SelectionRuleChooser::Rule::All);
    ImportContext importContext;
    importContext.database = &Database();
    importContext.sources = &m_app->Sources();
    importContext.currentList = &m_app->CurrentList();
    importContext.chooser = &chooser;
    importContext.prompt = &yes;
    ASSERT_EQ(ImportNotes(archive, importContext), 2);
    ExpectFollowed("imported");
}

TEST_F(IndexFollowsChanges, AnIndexNotOpenIsNeitherOpenedNorBuiltByAWrite)
{
    // A program that never searches (a command line write) pays nothing for the index:
    // the files it writes are found by their stamps when a search next opens it.
    m_app.reset();
    AppEnvironment environment;
    environment.dataRoot = m_folder.DataRoot();
    environment.programFolder = m_folder.ProgramFolder();
    environment.settingsBackend = &m_settings;
    environment.searchIndexFolder = m_cache.path();
    m_app = std::make_unique<CNotesApp>(environment);
    m_app->InitInstance();
    NoteEditorFields::NoteEditorChanges text;
    text.text = QStringLiteral("Pear and apple crumble");
    Edit(1002, text);
    EXPECT_EQ(Index().CurrentState(), SearchIndex::State::Closed);
    int refreshed = -1;
    ASSERT_TRUE(Index().Refresh(Names(), &refreshed));
    EXPECT_EQ(refreshed, 1);
    EXPECT_EQ(Index().FileCount(), 3);
}

} // namespace
