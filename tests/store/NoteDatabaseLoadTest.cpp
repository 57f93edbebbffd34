#include "NoteDatabaseFixture.h"
#include "categories/CategoryTree.h"
#include "categories/KeyWordList.h"
#include "format/FieldWriter.h"
#include "store/NoteDatabase.h"
#include "store/SourceStore.h"

#include <gtest/gtest.h>

using namespace DatabaseFixture;

namespace {

QList<qint32> Ids(const NoteIdList& list)
{
    return list.Ids();
}

} // namespace

TEST(NoteDatabaseLoad, EmptyFolderFirstStartIssuesFromDefaults)
{
    Root root;
    ChangeNotice dbChanges;
    SourceStore sources(root.folder, dbChanges);
    NoteDatabase db(root.folder, dbChanges);
    int saves = 0;
    db.SetSettingsSaver([&saves] {
        ++saves;
        return FileStatus::Ok();
    });
    db.CleanUpNoteFiles();
    db.LoadNoteDatabase(sources);
    EXPECT_EQ(db.Total(), 0);
    EXPECT_EQ(db.MaxNoteID(), 1001);
    EXPECT_EQ(sources.MaxAuthorID(), 2);
    EXPECT_GE(saves, 1); // the raised counters are stored at once
    EXPECT_EQ(db.IssueNoteId(), 1002);
    EXPECT_EQ(db.MaxNoteID(), 1002);
    // "Sources.dat" is written back after the scan even when there was none.
    EXPECT_TRUE(QFile::exists(root.DataPath(QStringLiteral("Sources.dat"))));
}

TEST(NoteDatabaseLoad, MaxNoteIdRisesAboveHighestSeenOrByOne)
{
    Root root;
    root.WriteNotes(QStringLiteral("DAY01032009.dat"),
                    {MakeNote(12, 0, Day(2009, 1, 3)), MakeNote(57, 0, Day(2009, 1, 3))});
    root.WriteAuthors({AuthorRecord {5, QStringLiteral("Ann"), {}, QStringLiteral("Lee"), {}, {}}});

    qint32 maxNote = 40, maxAuthor = 1;
    ChangeNotice lowChanges;
    SourceStore lowSources(root.folder, lowChanges);
    NoteDatabase low(root.folder, lowChanges);
    low.BindNoteCounter(&maxNote);
    lowSources.BindAuthorCounter(&maxAuthor);
    low.LoadNoteDatabase(lowSources);
    EXPECT_EQ(maxNote, 58);
    EXPECT_EQ(maxAuthor, 6);

    maxNote = 90;
    maxAuthor = 9;
    ChangeNotice highChanges;
    SourceStore highSources(root.folder, highChanges);
    NoteDatabase high(root.folder, highChanges);
    high.BindNoteCounter(&maxNote);
    highSources.BindAuthorCounter(&maxAuthor);
    high.LoadNoteDatabase(highSources);
    EXPECT_EQ(maxNote, 91);
    EXPECT_EQ(maxAuthor, 10);
    // Each start raises the stored value again: ids issued but never saved stay unused.
    ChangeNotice againChanges;
    SourceStore againSources(root.folder, againChanges);
    NoteDatabase again(root.folder, againChanges);
    again.BindNoteCounter(&maxNote);
    againSources.BindAuthorCounter(&maxAuthor);
    again.LoadNoteDatabase(againSources);
    EXPECT_EQ(maxNote, 92);
    EXPECT_EQ(again.IssueNoteId(), 93);
}

TEST(NoteDatabaseLoad, IndexesEveryNoteBySourceCategoryKeyWordAndFile)
{
    Root root;
    root.WriteSources({MakeSource(7, QStringLiteral("Seven")), MakeSource(1001, QStringLiteral("Other"))});
    root.WriteNotes(QStringLiteral("DAY08142008.dat"),
                    {MakeNote(3, 0, Day(2008, 8, 14), QStringLiteral("Art, Science,History"),
                              {QStringLiteral("Science"), QStringLiteral("Physics")}),
                     MakeNote(4, -1, Day(2008, 8, 14), QString())});
    root.WriteNotes(QStringLiteral("SRC0000000007.dat"),
                    {MakeNote(9, 7, Day(2008, 9, 1), QStringLiteral("Art"),
                              {QStringLiteral("Science"), QStringLiteral("Chemistry")}),
                     MakeNote(5, 7, Day(2008, 9, 2))});
    // A source id that no source has: the note is in no source list at all.
    root.WriteNotes(QStringLiteral("SRC0000000044.dat"), {MakeNote(6, 44, Day(2008, 9, 3))});

    ChangeNotice dbChanges;
    SourceStore sources(root.folder, dbChanges);
    NoteDatabase db(root.folder, dbChanges);
    db.LoadNoteDatabase(sources);
    EXPECT_EQ(db.Total(), 5);
    EXPECT_EQ(Ids(db.NoSourceNoteIds()), (QList<qint32> {3, 4}));
    EXPECT_EQ(Ids(db.UnassignedNoteIds()).size(), 3);
    EXPECT_TRUE(db.UnassignedNoteIds().Contains(4));
    EXPECT_TRUE(db.UnassignedNoteIds().Contains(5));
    EXPECT_TRUE(db.UnassignedNoteIds().Contains(6));
    ASSERT_NE(sources.FindSource(7), nullptr);
    EXPECT_EQ(Ids(db.NotesCiting(7)), (QList<qint32> {9, 5}));
    EXPECT_TRUE(db.NotesCiting(1001).IsEmpty());

    ASSERT_EQ(db.Categories().Count(), 1);
    const CategoryNode& science = db.Categories().Node(0);
    EXPECT_EQ(science.name, QStringLiteral("Science"));
    EXPECT_EQ(science.notes.Count(), 2);
    ASSERT_EQ(science.ChildCount(), 2);

    const KeyWordEntry* art = db.KeyWords().Find(QStringLiteral("Art"));
    ASSERT_NE(art, nullptr);
    EXPECT_EQ(art->notes.Count(), 2);
    EXPECT_NE(db.KeyWords().Find(QStringLiteral("History")), nullptr);

    EXPECT_EQ(db.FileIndex().Count(), 3);
    EXPECT_EQ(db.FileIndex().FileOfNote(5), root.NotesPath(QStringLiteral("SRC0000000007.dat")));
    EXPECT_EQ(db.FileIndex().FileOfNote(4), root.NotesPath(QStringLiteral("DAY08142008.dat")));
    EXPECT_FALSE(db.FileIndex().FileOfNote(77).has_value());
}

TEST(NoteDatabaseLoad, CleanUpRemovesOnlyEmptyDatFiles)
{
    Root root;
    root.WriteNotes(QStringLiteral("DAY01012009.dat"), {});
    root.WriteRaw(root.NotesPath(QStringLiteral("DAY01022009.dat")), QByteArray());
    root.WriteNotes(QStringLiteral("DAY01032009.dat"), {MakeNote(3, 0, Day(2009, 1, 3))});
    root.WriteNotes(QStringLiteral("DAY01042009.DAT"), {}); // capital extension: left alone
    root.WriteNotes(QStringLiteral("DAY01052009.DAT"), {MakeNote(8, 0, Day(2009, 1, 5))});

    ChangeNotice dbChanges;
    SourceStore sources(root.folder, dbChanges);
    NoteDatabase db(root.folder, dbChanges);
    db.CleanUpNoteFiles();
    EXPECT_FALSE(QFile::exists(root.NotesPath(QStringLiteral("DAY01012009.dat"))));
    EXPECT_FALSE(QFile::exists(root.NotesPath(QStringLiteral("DAY01022009.dat"))));
    EXPECT_TRUE(QFile::exists(root.NotesPath(QStringLiteral("DAY01032009.dat"))));
    EXPECT_TRUE(QFile::exists(root.NotesPath(QStringLiteral("DAY01042009.DAT"))));

    db.LoadNoteDatabase(sources);
    EXPECT_EQ(db.Total(), 1); // the ".DAT" file is not loaded either
    EXPECT_FALSE(db.FileIndex().FileOfNote(8).has_value());
}

TEST(NoteDatabaseLoad, DamagedFilesContributeWhatTheyHold)
{
    Root root;
    const NotesList notes = {MakeNote(21, 0, Day(2010, 2, 1), QStringLiteral("kept")),
                             MakeNote(22, 0, Day(2010, 2, 1), QStringLiteral("lost"))};
    // The file ends eight bytes into the second record's id: that record reads an id of
    // 0 and is dropped, the first survives.
    QByteArray bytes;
    {
        FieldWriter writer;
        writer.WriteReal(1.34);
        writer.WriteInt(3);
        notes.at(0).Write(writer);
        bytes = writer.DiskBytes() + QByteArrayLiteral("00000000");
    }
    root.WriteRaw(root.NotesPath(QStringLiteral("DAY02012010.dat")), bytes);
    root.WriteRaw(root.NotesPath(QStringLiteral("DAY02022010.dat")),
                  QByteArrayLiteral("garbage, not fields"));
    // A record with id 0 is dropped.
    root.WriteNotes(QStringLiteral("DAY02032010.dat"),
                    {MakeNote(0, 0, Day(2010, 2, 3), QStringLiteral("zero"))});
    // A folder whose name ends in "dat" is not a file.
    QDir(root.folder.NotesFolder()).mkdir(QStringLiteral("folder.dat"));

    ChangeNotice dbChanges;
    SourceStore sources(root.folder, dbChanges);
    NoteDatabase db(root.folder, dbChanges);
    db.LoadNoteDatabase(sources);
    EXPECT_EQ(db.Total(), 1);
    EXPECT_TRUE(db.FileIndex().FileOfNote(21).has_value());
    EXPECT_FALSE(db.FileIndex().FileOfNote(22).has_value());
    EXPECT_NE(db.KeyWords().Find(QStringLiteral("kept")), nullptr);
    EXPECT_EQ(db.KeyWords().Find(QStringLiteral("lost")), nullptr);
    EXPECT_EQ(db.KeyWords().Find(QStringLiteral("zero")), nullptr);
}

TEST(NoteDatabaseLoad, SourcesWithoutGuidGetOneStoredAfterTheScan)
{
    Root root;
    SourceRecord bare = MakeSource(1002, QStringLiteral("No guid"));
    bare.SourceGUID.clear();
    root.WriteSources({bare});
    ChangeNotice dbChanges;
    SourceStore sources(root.folder, dbChanges);
    NoteDatabase db(root.folder, dbChanges);
    db.LoadNoteDatabase(sources);
    const SourceList stored = LoadSourcesFile(root.DataPath(QStringLiteral("Sources.dat")));
    ASSERT_EQ(stored.size(), 1);
    EXPECT_FALSE(stored.at(0).SourceGUID.isEmpty());
    EXPECT_EQ(stored.at(0).SourceGUID, sources.FindSource(1002)->SourceGUID);
}

TEST(NoteDatabaseLoad, LoadNotesByIdsKeepsRequestOrderAndSkipsUnknownIds)
{
    Root root;
    root.WriteNotes(QStringLiteral("DAY03012010.dat"),
                    {MakeNote(31, 0, Day(2010, 3, 1)), MakeNote(32, 0, Day(2010, 3, 1))});
    root.WriteNotes(QStringLiteral("SRC0000000002.dat"), {MakeNote(33, 2, Day(2010, 3, 2))});
    ChangeNotice dbChanges;
    SourceStore sources(root.folder, dbChanges);
    NoteDatabase db(root.folder, dbChanges);
    db.LoadNoteDatabase(sources);
    const NotesList loaded = db.LoadNotesByIds(NoteIdList {33, 99, 32, 31, 33});
    EXPECT_EQ(IdsOf(loaded), (QList<qint32> {33, 32, 31, 33}));
    EXPECT_EQ(loaded.at(1).PlainText, QStringLiteral("Note 32"));
    EXPECT_EQ(db.LoadAllNotes().size(), 3);
}

TEST(NoteDatabaseLoad, StampNotesEditedMatchesByNoteThenBySource)
{
    Root root;
    root.WriteNotes(QStringLiteral("SRC0000000002.dat"),
                    {MakeNote(41, 2, Day(2010, 4, 1)), MakeNote(42, 2, Day(2010, 4, 1))});
    root.WriteNotes(QStringLiteral("DAY04012010.dat"), {MakeNote(43, 0, Day(2010, 4, 1))});
    ChangeNotice dbChanges;
    SourceStore sources(root.folder, dbChanges);
    NoteDatabase db(root.folder, dbChanges);
    db.LoadNoteDatabase(sources);
    const DateTime stamp = Day(2011, 5, 6, 7);

    ASSERT_TRUE(db.StampNotesEdited(43, 2, stamp)); // the note id wins over the source id
    EXPECT_EQ(root.ReadNotes(QStringLiteral("DAY04012010.dat")).at(0).LastEdited, stamp);
    EXPECT_EQ(root.ReadNotes(QStringLiteral("SRC0000000002.dat")).at(0).LastEdited, Day(2010, 4, 1));

    ASSERT_TRUE(db.StampNotesEdited(0, 2, stamp));
    const NotesList bySource = root.ReadNotes(QStringLiteral("SRC0000000002.dat"));
    EXPECT_EQ(bySource.at(0).LastEdited, stamp);
    EXPECT_EQ(bySource.at(1).LastEdited, stamp);
    EXPECT_EQ(bySource.at(1).DateAdded, Day(2010, 4, 1));
}

namespace {

// Three hundred note files as a real folder holds them, and the damage start-up meets:
// files that count no notes, files of no bytes, notes stored twice, sources that are gone.
void WriteManyFiles(const Root& root)
{
    root.WriteSources({MakeSource(1001, QStringLiteral("One")), MakeSource(1002, QStringLiteral("Two"))});
    const QStringList words = {QStringLiteral("Art"), QStringLiteral("Science"), QStringLiteral("art")};
    const QStringList names = {QStringLiteral("Science"), QStringLiteral("Physics"), QStringLiteral("Art")};
    for (int file = 0; file < 300; ++file) {
        const QString name = QStringLiteral("DAY%1.dat").arg(file, 8, 10, QLatin1Char('0'));
        if (file % 23 == 5) {
            root.WriteRaw(root.NotesPath(name), QByteArray());
            continue;
        }
        NotesList notes;
        for (int i = 0; file % 17 != 3 && i < 1 + file % 5; ++i) {
            const qint32 id = 1000 + (file * 7 + i * 13) % 900; // some ids in two files
            const QStringList path = {names.at((file + i) % 3), names.at(i % 3), names.at(file % 3)};
            notes.append(MakeNote(id, 1000 + (file + i) % 4, Day(2009, 1, 1 + file % 28),
                                  words.at(i % 3) + QStringLiteral(", ") + words.at(file % 3),
                                  path.mid(0, (file + i) % 4)));
        }
        root.WriteNotes(name, notes);
    }
}

QString Relative(const Root& root, const QString& path)
{
    return QDir(root.folder.NotesFolder()).relativeFilePath(path);
}

} // namespace

TEST(NoteDatabaseLoad, OnePassStartUpEqualsCleanUpThenLoad)
{
    Root twoSteps;
    Root onePass;
    WriteManyFiles(twoSteps);
    WriteManyFiles(onePass);
    ChangeNotice expectedChanges;
    SourceStore expectedSources(twoSteps.folder, expectedChanges);
    NoteDatabase expected(twoSteps.folder, expectedChanges);
    expected.CleanUpNoteFiles();
    expected.LoadNoteDatabase(expectedSources);
    ChangeNotice actualChanges;
    SourceStore actualSources(onePass.folder, actualChanges);
    NoteDatabase actual(onePass.folder, actualChanges);
    actual.CleanUpAndLoadNoteDatabase(actualSources);

    EXPECT_GT(actual.Total(), 500);
    EXPECT_EQ(actual.Total(), expected.Total());
    EXPECT_EQ(QDir(onePass.folder.NotesFolder()).entryList(QDir::Files),
              QDir(twoSteps.folder.NotesFolder()).entryList(QDir::Files));
    EXPECT_EQ(actual.Categories().ToJson(), expected.Categories().ToJson());
    EXPECT_EQ(actual.KeyWords(), expected.KeyWords());
    EXPECT_EQ(actual.UnassignedNoteIds(), expected.UnassignedNoteIds());
    EXPECT_EQ(actual.NoSourceNoteIds(), expected.NoSourceNoteIds());
    ASSERT_EQ(actualSources.Sources().size(), 2);
    for (qsizetype i = 0; i < 2; ++i)
        EXPECT_EQ(actual.NotesCiting(actualSources.Sources().at(i).SourceId),
                  expected.NotesCiting(expectedSources.Sources().at(i).SourceId));
    ASSERT_EQ(actual.FileIndex().Count(), expected.FileIndex().Count());
    for (int i = 0; i < actual.FileIndex().Count(); ++i) {
        const NoteFileEntry& got = actual.FileIndex().Entries().at(i);
        const NoteFileEntry& want = expected.FileIndex().Entries().at(i);
        EXPECT_EQ(Relative(onePass, got.path), Relative(twoSteps, want.path));
        EXPECT_EQ(got.ids, want.ids);
    }
    for (qint32 id = 1000; id < 1900; ++id) {
        const auto got = actual.FileIndex().FileOfNote(id);
        const auto want = expected.FileIndex().FileOfNote(id);
        ASSERT_EQ(got.has_value(), want.has_value()) << id;
        if (got)
            EXPECT_EQ(Relative(onePass, *got), Relative(twoSteps, *want)) << id;
    }
}
