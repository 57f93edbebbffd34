// Export and import through real archives: what goes in comes out, ids, sources,
// authors and attachments are renumbered by the importing database's rules, and the
// comparison with the database decides what the chooser sees.

#include "ExchangeFixture.h"
#include "exchange/ExchangeCommands.h"
#include "exchange/ExportNotes.h"
#include "exchange/ImportChooser.h"
#include "exchange/ImportNotes.h"
#include "exchange/ImportSession.h"
#include "lists/CurrentNotesList.h"
#include "sources/SourceLookup.h"
#include "store/NotesListOps.h"
#include "support/ScriptedPrompt.h"

#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace exchange_test;

namespace {

const QString kGuidA = QStringLiteral("{AAAAAAAA-0000-0000-0000-000000000001}");
const QString kGuidB = QStringLiteral("{BBBBBBBB-0000-0000-0000-000000000002}");
const QString kGuidC = QStringLiteral("{CCCCCCCC-0000-0000-0000-000000000003}");
const QString kGuidD = QStringLiteral("{DDDDDDDD-0000-0000-0000-000000000004}");
const QString kSourceGuid = QStringLiteral("{5005CE00-0000-0000-0000-000000000001}");

// The export reads its notes from the database's note files: those not stored yet are
// stored first.
int Export(DataRoot& root, const NotesList& notes, const QString& archive, UserPrompt* prompt = nullptr)
{
    NotesList unstored;
    for (const NoteRecord& note : notes) {
        if (!root.database->FileIndex().FileOfNote(note.NoteID))
            unstored.append(note);
    }
    if (!unstored.isEmpty())
        root.Load(unstored, root.sourceStore->Sources(), root.sourceStore->Authors());
    ExportContext context;
    context.database = root.database.get();
    context.sources = root.sourceStore.get();
    context.prompt = prompt;
    return ExportNotes(NotesListOps::NoteIds(notes), archive, context);
}

// Records what the dialog was shown and answers with a rule.
class RecordingChooser : public ImportChooser
{
public:
    explicit RecordingChooser(SelectionRuleChooser::Rule rule)
        : m_rule(rule)
    {
    }
    bool Choose(ImportSession& session, ImportChoice* choice) override
    {
        ++calls;
        for (int i = 0; i < session.Count(); ++i)
            shown.append(session.StatusText(i));
        return SelectionRuleChooser(m_rule).Choose(session, choice);
    }
    int calls = 0;
    QStringList shown;

private:
    SelectionRuleChooser::Rule m_rule;
};

int Import(DataRoot& root, const QString& archive, ImportChooser& chooser, ImportReport* report = nullptr,
           CurrentNotesList* current = nullptr)
{
    ImportContext context;
    context.database = root.database.get();
    context.sources = root.sourceStore.get();
    context.chooser = &chooser;
    context.currentList = current;
    return ImportNotes(archive, context, report);
}

QStringList ArchiveEntries(const QString& path)
{
    QStringList names;
    int code = 0;
    zip_t* zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    if (zip == nullptr)
        return names;
    for (zip_int64_t i = 0; i < zip_get_num_entries(zip, 0); ++i)
        names.append(QString::fromUtf8(zip_get_name(zip, zip_uint64_t(i), 0)));
    zip_discard(zip);
    names.sort();
    return names;
}

} // namespace

TEST(ExportImport, RoundTripRenumbersIdsSourcesAuthorsAndAttachments)
{
    DataRoot from;
    NoteRecord withFiles = MakeNote(1001, kGuidA, QStringLiteral("First note\nwith two lines"), 1001);
    withFiles.Attachments = {MakeAttachment(QStringLiteral("0000005.jpg"), QStringLiteral("Photo")),
                             MakeAttachment(QStringLiteral("0000006.png"), QStringLiteral("Chart"))};
    withFiles.KeyWords = QStringLiteral("alpha, beta");
    const NoteRecord plain = MakeNote(1002, kGuidB, QStringLiteral("No source here"));
    const NoteRecord sameSource = MakeNote(1003, kGuidC, QStringLiteral("Cites the same source"), 1001);
    from.WriteImage(QStringLiteral("0000005.jpg"), QByteArrayLiteral("jpeg bytes"));
    from.WriteImage(QStringLiteral("0000006.png"), QByteArrayLiteral("png bytes"));
    from.Load({withFiles, plain, sameSource},
              {MakeSource(1001, kSourceGuid, QStringLiteral("On Notes"), {2, 3})},
              {MakeAuthor(2, QStringLiteral("Ada"), QStringLiteral("Lovelace")),
               MakeAuthor(3, QStringLiteral("Alan"), QStringLiteral("Turing"))});
    const QString archive = from.dir.filePath(QStringLiteral("out.qvx"));
    ASSERT_EQ(Export(from, {withFiles, plain, sameSource}, archive), 3);
    EXPECT_EQ(ArchiveEntries(archive),
              (QStringList {QStringLiteral("0000005.jpg"), QStringLiteral("0000006.png"),
                            QStringLiteral("_ExpNotes.dat")}));
    EXPECT_FALSE(QFileInfo::exists(from.Path(QStringLiteral("Data Files\\ExportTemp"))));

    // The importing database already knows Alan Turing (other id) and holds image 40.
    DataRoot to;
    to.WriteImage(QStringLiteral("0000040.bmp"), QByteArrayLiteral("old"));
    NoteDatabase& database
        = to.Load({}, {MakeSource(1004, QStringLiteral("{OTHER}"), QStringLiteral("Other"), {})},
                  {MakeAuthor(9, QStringLiteral("Alan"), QStringLiteral("Turing"))});
    const qint32 maxNote = database.MaxNoteID();
    const qint32 maxAuthor = to.sourceStore->MaxAuthorID();
    RecordingChooser chooser(SelectionRuleChooser::Rule::All);
    ImportReport report;
    ASSERT_EQ(Import(to, archive, chooser, &report), 3);
    EXPECT_EQ(chooser.shown,
              (QStringList {QStringLiteral(" 1. - <NEW NOTE>"), QStringLiteral(" 2. - <NEW NOTE>"),
                            QStringLiteral(" 3. - <NEW NOTE>")}));
    EXPECT_EQ(report.importedIds, (NoteIdList {maxNote + 1, maxNote + 2, maxNote + 3}));

    const NotesList imported = to.database->LoadNotesByIds(report.importedIds);
    ASSERT_EQ(imported.size(), 3);
    // One new source, id 1005 (after 1004), cited by both notes that shared it.
    EXPECT_EQ(imported[0].SourceID, 1005);
    EXPECT_EQ(imported[2].SourceID, 1005);
    EXPECT_EQ(imported[1].SourceID, 0);
    const SourceRecord* source = FindSource(to.sourceStore->Sources(), 1005);
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->SourceGUID, kSourceGuid);
    EXPECT_EQ(source->Fields[0], QStringLiteral("On Notes"));
    // Ada is new (MaxAuthorID + 1), Alan matched the existing author 9.
    EXPECT_EQ(source->AuthorIds, (QList<qint32> {maxAuthor + 1, 9}));
    EXPECT_EQ(to.sourceStore->Authors().size(), 2);
    // Texts and key words intact; attachments renumbered after 40, consecutively.
    EXPECT_EQ(imported[0].PlainText, withFiles.PlainText);
    EXPECT_EQ(imported[0].KeyWords, withFiles.KeyWords);
    EXPECT_EQ(imported[0].NoteGUID, kGuidA);
    ASSERT_EQ(imported[0].Attachments.size(), 2);
    EXPECT_EQ(imported[0].Attachments[0].StoredName, QStringLiteral("0000041.jpg"));
    EXPECT_EQ(imported[0].Attachments[1].StoredName, QStringLiteral("0000042.png"));
    EXPECT_EQ(imported[0].Attachments[1].Title, QStringLiteral("Chart"));
    EXPECT_EQ(to.ReadImage(QStringLiteral("0000041.jpg")), QByteArrayLiteral("jpeg bytes"));
    EXPECT_EQ(to.ReadImage(QStringLiteral("0000042.png")), QByteArrayLiteral("png bytes"));
    EXPECT_EQ(to.ReadImage(QStringLiteral("0000040.bmp")), QByteArrayLiteral("old"));
    EXPECT_FALSE(QFileInfo::exists(to.Path(QStringLiteral("Data Files\\ImportTemp"))));
    EXPECT_EQ(to.database->Total(), 3);
}

TEST(ExportImport, StatusesDecideWhatIsReplacedAndWhatIsNew)
{
    const DateTime base = DateTime::FromParts(2010, 5, 1, 12, 0, 0);
    const DateTime later = DateTime::FromParts(2010, 5, 3, 15, 30, 0);
    const DateTime earlier = DateTime::FromParts(2010, 4, 1, 8, 0, 0);
    DataRoot root;
    NoteRecord same = MakeNote(1001, kGuidA, QStringLiteral("same"), 0, base);
    NoteRecord newer = MakeNote(1002, kGuidB, QStringLiteral("old text"), 0, base);
    newer.Attachments = {MakeAttachment(QStringLiteral("0000007.jpg"), QStringLiteral("Old"))};
    NoteRecord older = MakeNote(1003, kGuidC, QStringLiteral("kept"), 0, base);
    root.WriteImage(QStringLiteral("0000007.jpg"), QByteArrayLiteral("old file"));
    NoteDatabase& database = root.Load({same, newer, older}, {}, {});

    // The archive: same unchanged, newer edited later and moved to a source, older
    // edited earlier, and one note the database has never seen.
    NoteRecord newerIn = newer;
    newerIn.PlainText = QStringLiteral("new text");
    newerIn.LastEdited = later;
    newerIn.SourceID = 1001;
    newerIn.Attachments.clear();
    NoteRecord olderIn = older;
    olderIn.PlainText = QStringLiteral("stale");
    olderIn.LastEdited = earlier;
    const NoteRecord fresh = MakeNote(5, kGuidD, QStringLiteral("fresh"));
    DataRoot other;
    other.Load({}, {MakeSource(1001, kSourceGuid, QStringLiteral("Moved"), {})}, {});
    const QString archive = other.dir.filePath(QStringLiteral("s.qvx"));
    ASSERT_EQ(Export(other, {same, newerIn, olderIn, fresh}, archive), 4);

    RecordingChooser chooser(SelectionRuleChooser::Rule::Changed);
    ImportReport report;
    const qint32 maxNote = database.MaxNoteID();
    ASSERT_EQ(Import(root, archive, chooser, &report), 2);
    EXPECT_EQ(chooser.shown,
              (QStringList {QStringLiteral(" 1. - EXISTS (same)"), QStringLiteral(" 2. - EXISTS (newer)"),
                            QStringLiteral(" 3. - EXISTS (older)"), QStringLiteral(" 4. - <NEW NOTE>")}));
    ASSERT_EQ(report.statuses.size(), 4);
    EXPECT_EQ(report.statuses[3].guid, kGuidD);
    EXPECT_EQ(report.statuses[3].index, 4);
    EXPECT_EQ(ImportComparisonName(report.statuses[1].comparison), QStringLiteral("newer"));

    // The newer note replaced the stored one under its id and left its day file for the
    // source's file; its old attachment file is gone.
    EXPECT_EQ(report.importedIds, (NoteIdList {1002, maxNote + 1}));
    const NotesList replaced = root.database->LoadNotesByIds(NoteIdList {1002, 1003});
    ASSERT_EQ(replaced.size(), 2);
    EXPECT_EQ(replaced[0].PlainText, QStringLiteral("new text"));
    EXPECT_GE(replaced[0].SourceID, 1001);
    EXPECT_EQ(QFileInfo(root.database->FileIndex().FileOfNote(1002).value_or(QString())).fileName(),
              QStringLiteral("SRC%1.dat").arg(replaced[0].SourceID, 10, 10, QLatin1Char('0')));
    // The day file keeps same and older and gains the new note (added the same day).
    QList<qint32> dayIds;
    for (const NoteRecord& note : ReadNoteFile(root.Path(NoteFileName(same))))
        dayIds.append(note.NoteID);
    EXPECT_EQ(dayIds, (QList<qint32> {1001, 1003, maxNote + 1}));
    EXPECT_TRUE(root.ReadImage(QStringLiteral("0000007.jpg")).isEmpty());
    // The older note was not chosen and is untouched.
    EXPECT_EQ(replaced[1].PlainText, QStringLiteral("kept"));
}

TEST(ExportImport, DisplayFlagDecidesTheCurrentList)
{
    DataRoot root;
    root.Load({MakeNote(1001, kGuidA, QStringLiteral("shown before"))}, {}, {});
    CurrentNotesList current(*root.database, *root.sourceStore, root.changes);
    current.SetCurrentList(NoteIdList {1001}, -1);
    DataRoot other;
    other.Load({}, {}, {});
    const QString archive = other.dir.filePath(QStringLiteral("d.qvx"));
    ASSERT_EQ(Export(other, {MakeNote(7, kGuidB, QStringLiteral("incoming"))}, archive), 1);

    SelectionRuleChooser keep(SelectionRuleChooser::Rule::All, false);
    ImportReport first;
    ASSERT_EQ(Import(root, archive, keep, &first, &current), 1);
    EXPECT_EQ(current.NoteIds(), NoteIdList {1001});

    SelectionRuleChooser display(SelectionRuleChooser::Rule::All, true);
    ImportReport second;
    ASSERT_EQ(Import(root, archive, display, &second, &current), 1);
    EXPECT_EQ(current.NoteIds(), second.importedIds);
    // The same archive again: the note now exists and keeps its id.
    EXPECT_EQ(second.importedIds, first.importedIds);
}

TEST(ExportImport, CancelAndEmptyArchivesChangeNothing)
{
    DataRoot root;
    root.Load({MakeNote(1001, kGuidA, QStringLiteral("one"))}, {}, {});
    const QString archive = root.dir.filePath(QStringLiteral("c.qvx"));
    ASSERT_EQ(Export(root, root.database->LoadAllNotes(), archive), 1);
    const auto before = Snapshot(root.Path(QStringLiteral("Data Files")));
    RecordingChooser none(SelectionRuleChooser::Rule::None);
    EXPECT_EQ(Import(root, archive, none), 0);
    EXPECT_EQ(none.shown, QStringList {QStringLiteral(" 1. - EXISTS (same)")});
    EXPECT_EQ(Snapshot(root.Path(QStringLiteral("Data Files"))), before);

    // An empty list still gives an archive, with a Count of 0, and counts as nothing.
    const QString empty = root.dir.filePath(QStringLiteral("empty.qvx"));
    EXPECT_EQ(Export(root, {}, empty), 0);
    EXPECT_EQ(ArchiveEntries(empty), QStringList {QStringLiteral("_ExpNotes.dat")});
    RecordingChooser all(SelectionRuleChooser::Rule::All);
    EXPECT_EQ(Import(root, empty, all), 0);
    EXPECT_EQ(all.calls, 1);
}

TEST(ExportImport, FailedExportLeavesNoFileAtTheTarget)
{
    DataRoot root;
    root.Load({MakeNote(1001, kGuidA, QStringLiteral("one"))}, {}, {});
    QDir(root.folder.ImagesFolder()).mkpath(QStringLiteral("../ExportTemp/stale"));
    // The target's folder does not exist: nothing can be written there.
    ScriptedPrompt prompt;
    const QString missing = root.dir.filePath(QStringLiteral("no/such/folder/x.qvx"));
    EXPECT_EQ(Export(root, root.database->LoadAllNotes(), missing, &prompt), -1);
    EXPECT_FALSE(QFileInfo::exists(root.dir.filePath(QStringLiteral("no"))));
    ASSERT_EQ(prompt.History().size(), 1);
    EXPECT_EQ(prompt.History()[0].caption, QStringLiteral("Archiving Error"));
    EXPECT_FALSE(QFileInfo::exists(root.Path(QStringLiteral("Data Files\\ExportTemp"))));

    // The target is a folder: the finished archive cannot take its place, and no
    // temporary file is left beside it.
    const QString folderTarget = root.dir.filePath(QStringLiteral("target.qvx"));
    QDir().mkpath(folderTarget);
    EXPECT_EQ(Export(root, root.database->LoadAllNotes(), folderTarget, &prompt), -1);
    EXPECT_TRUE(QFileInfo(folderTarget).isDir());
    EXPECT_TRUE(QDir(root.dir.path()).entryList({QStringLiteral("*.part")}, QDir::Files).isEmpty());
}

// Archives made by an ordinary zip tool, with stored or deflated entries, import like our own.
TEST(ExportImport, ArchivesOfOtherZipWritersImport)
{
    const QString zipTool = QStandardPaths::findExecutable(QStringLiteral("zip"));
    const QString unzipTool = QStandardPaths::findExecutable(QStringLiteral("unzip"));
    if (zipTool.isEmpty() || unzipTool.isEmpty())
        GTEST_SKIP() << "zip and unzip are not installed";

    DataRoot from;
    NoteRecord note = MakeNote(1001, kGuidA, QStringLiteral("Packed by another tool\nsecond line"));
    note.Attachments = {MakeAttachment(QStringLiteral("0000005.txt"), QStringLiteral("Text"))};
    from.WriteImage(QStringLiteral("0000005.txt"), QByteArray(5000, 'x'));
    from.Load({note}, {}, {});
    const QString ours = from.dir.filePath(QStringLiteral("ours.qvx"));
    ASSERT_EQ(Export(from, {note}, ours), 1);
    const QString unpacked = from.dir.filePath(QStringLiteral("unpacked"));
    ASSERT_EQ(QProcess::execute(unzipTool, {QStringLiteral("-q"), ours, QStringLiteral("-d"), unpacked}), 0);

    for (const char* level : {"-0", "-9"}) {
        const QString repacked
            = from.dir.filePath(QStringLiteral("repacked%1.qvx").arg(QLatin1String(level)));
        QProcess zip;
        zip.setWorkingDirectory(unpacked);
        zip.start(zipTool,
                  {QStringLiteral("-q"), QLatin1String(level), repacked, QStringLiteral("_ExpNotes.dat"),
                   QStringLiteral("0000005.txt")});
        ASSERT_TRUE(zip.waitForFinished());
        ASSERT_EQ(zip.exitCode(), 0);

        DataRoot to;
        to.Load({}, {}, {});
        RecordingChooser chooser(SelectionRuleChooser::Rule::All);
        ImportReport report;
        ASSERT_EQ(Import(to, repacked, chooser, &report), 1) << level;
        const NotesList imported = to.database->LoadNotesByIds(report.importedIds);
        ASSERT_EQ(imported.size(), 1);
        EXPECT_EQ(imported[0].PlainText, note.PlainText);
        ASSERT_EQ(imported[0].Attachments.size(), 1);
        EXPECT_EQ(to.ReadImage(imported[0].Attachments[0].StoredName), QByteArray(5000, 'x'));
    }
}

TEST(ExportImport, NoteSavedWhileTheChoiceIsOpenIsKept)
{
    // The import reads the database's files before the choice and rewrites them after
    // it; a note saved into one of them in between must survive the rewrite.
    const DateTime day = DateTime::FromParts(2011, 6, 1, 9, 0, 0);
    DataRoot root;
    const NoteRecord stored = MakeNote(1001, kGuidA, QStringLiteral("stored"), 0, day);
    root.Load({stored}, {}, {});
    DataRoot other;
    other.Load({}, {}, {});
    const QString archive = other.dir.filePath(QStringLiteral("a.qvx"));
    ASSERT_EQ(Export(other, {stored, MakeNote(7, kGuidD, QStringLiteral("fresh"), 0, day)}, archive), 2);

    class SavingChooser : public ImportChooser
    {
    public:
        explicit SavingChooser(QString path)
            : m_path(std::move(path))
        {
        }
        bool Choose(ImportSession& session, ImportChoice* choice) override
        {
            NotesList notes = ReadNoteFile(m_path);
            notes.append(MakeNote(1500, kGuidC, QStringLiteral("saved meanwhile"), 0,
                                  DateTime::FromParts(2011, 6, 1, 9, 0, 0)));
            EXPECT_TRUE(WriteNoteFile(FileSystem::Real(), m_path, notes));
            return SelectionRuleChooser(SelectionRuleChooser::Rule::All).Choose(session, choice);
        }

    private:
        QString m_path;
    } chooser(root.Path(NoteFileName(stored)));

    ASSERT_EQ(Import(root, archive, chooser), 2);
    QStringList texts;
    for (const NoteRecord& note : ReadNoteFile(root.Path(NoteFileName(stored))))
        texts.append(note.PlainText);
    EXPECT_TRUE(texts.contains(QStringLiteral("saved meanwhile")))
        << texts.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("fresh")));
    EXPECT_EQ(texts.size(), 3);
}
