#include "CliFixture.h"
#include "format/LastViewListFile.h"
#include "lists/CurrentNotesList.h"

#include <QFileInfo>
#include <QJsonArray>

namespace {

class CliRunnerTest : public CliFixture
{
protected:
    // Three notes: two in the day file of 14 August 2008, one citing source 7.
    void WriteThreeNotes()
    {
        NoteRecord first = Note(1001, 0, 14, "Größe");
        first.KeyWords = QStringLiteral("alpha, beta");
        first.Categories.entries[0].level = 0;
        first.Categories.entries[0].name = QStringLiteral("Science");
        first.Categories.entries[1].level = 1;
        first.Categories.entries[1].name = QStringLiteral("Physics");
        first.Categories.entries[1].parentName = QStringLiteral("Science");
        AttachmentRecord picture;
        picture.AttachmentValue = 4;
        picture.ImageScale = 0.5;
        picture.Title = QStringLiteral("Plate");
        picture.StoredName = QStringLiteral("0000042.bmp");
        picture.OriginalName = QStringLiteral("plate.png");
        picture.Kind = KindImage;
        picture.ShowImage = false;
        first.Attachments.append(picture);
        Write({first, Note(1003, 0, 14, "third")});
        Write({Note(1002, 7, 20, "cites seven")});
    }
};

} // namespace

// The first start in an empty data root: the defaults of the settings table, with the
// load's MaxNoteID rule (1000 grows by one) and the running version.
TEST_F(CliRunnerTest, SettingsOfAFirstStart)
{
    const Result result = Run({QStringLiteral("settings")});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.json, Json(R"({
        "Maximized": 1, "FrameRect": [0, 0, 0, 0], "ViewSrcRect": [0, 0, 0, 0], "EditNoteRect": [0, 0, 0, 0],
        "ShowSources": 1, "SourceSize": 15, "SourceFormat": 1, "MaxNoteID": 1001, "NoteSortID": 805,
        "ShowCats": 1, "CatsTop": 0, "SourceTop": 0, "ListSelection": "<SAVE_NEW_LIST>", "ProgVersion": "1.34",
        "ZoomLvl": 100, "ShowCtrlBar": 1, "ActIndCtrlBar": 0, "CtrlBarSortSrc": 30, "MaxAuthorID": 2,
        "ShowSrcFilters": 1, "CheckForUpdates": 1, "EnableSpellCheck": 1, "szSaveWarning": 1, "MarkBold": 0,
        "MarkStrike": 0, "MarkItalics": 1, "MarkUnderline": 1, "MarkSelColor": 9, "RunAgent": 0,
        "ImgTitleFont": {"FaceName": "Times New Roman", "Height": 20, "Weight": 700, "Italic": 0,
                         "Underline": 0, "PitchAndFamily": 0, "CharSet": 0, "Red": 0, "Green": 0, "Blue": 0}
    })"));
    EXPECT_TRUE(result.output.endsWith('\n'));
    // The exit save left the portable settings file in the data root.
    EXPECT_TRUE(QFileInfo::exists(m_dir.filePath(QStringLiteral("Quorvel.ini"))));
    // A second start raises MaxNoteID once more.
    EXPECT_EQ(Run({QStringLiteral("settings")}).json.value(QStringLiteral("MaxNoteID")).toInt(), 1002);
}

TEST_F(CliRunnerTest, NotesPrintsEveryStoredField)
{
    WriteThreeNotes();
    const Result result = Run({QStringLiteral("notes"), QStringLiteral("1001")});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.json, Json(R"({"notes": [{
        "id": 1001, "source_id": 0, "date_added": "2008-08-14-21-23-56", "last_edited": "2009-01-02-03-04-05",
        "guid": "{00000001001-0000-0000-0000-000000000000}", "key_words": "alpha, beta", "reserved_text": "",
        "spell_check": true,
        "attachments": [{"shift": 4, "scale": 0.5, "title": "Plate", "stored_name": "0000042.bmp",
                         "original_name": "plate.png", "kind": 1, "show_image": false}],
        "plain_text": "Größe", "rich_text": "{\\rtf1 Größe}",
        "categories": [[0, "Science", "<UNASSIGNED>"], [1, "Physics", "Science"],
                       [2, "<UNASSIGNED>", "<UNASSIGNED>"], [3, "<UNASSIGNED>", "<UNASSIGNED>"]],
        "file": "DAY08142008.dat"}]})"));
}

// Ids are read in the order given; an id that no note has is skipped silently. Without
// ids every note of every file is printed.
TEST_F(CliRunnerTest, NotesByIdsAndAll)
{
    WriteThreeNotes();
    auto ids = [](const QJsonObject& json) {
        QList<int> list;
        for (const QJsonValue& note : json.value(QStringLiteral("notes")).toArray())
            list.append(note.toObject().value(QStringLiteral("id")).toInt());
        return list;
    };
    const Result some = Run(
        {QStringLiteral("notes"), QStringLiteral("1003"), QStringLiteral("999"), QStringLiteral("1002")});
    EXPECT_EQ(some.exitCode, 0);
    EXPECT_EQ(ids(some.json), (QList<int> {1003, 1002}));
    const QJsonObject cited = some.json.value(QStringLiteral("notes")).toArray().at(1).toObject();
    EXPECT_EQ(cited.value(QStringLiteral("file")).toString(), QStringLiteral("SRC0000000007.dat"));

    QList<int> all = ids(Run({QStringLiteral("notes")}).json);
    std::sort(all.begin(), all.end());
    EXPECT_EQ(all, (QList<int> {1001, 1002, 1003}));
}

TEST_F(CliRunnerTest, InfoAfterTheLoad)
{
    WriteThreeNotes();
    const Result result = Run({QStringLiteral("info")});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.json.value(QStringLiteral("total")).toInt(), 3);
    // Highest id seen 1003 is above the stored 1000: 1003 + 1.
    EXPECT_EQ(result.json.value(QStringLiteral("max_note_id")).toInt(), 1004);
    QJsonArray unassigned = result.json.value(QStringLiteral("unassigned")).toArray();
    EXPECT_FALSE(unassigned.contains(1001));
    EXPECT_TRUE(unassigned.contains(1002));
    EXPECT_TRUE(unassigned.contains(1003));
    QJsonArray noSource = result.json.value(QStringLiteral("no_source")).toArray();
    EXPECT_TRUE(noSource.contains(1001));
    EXPECT_FALSE(noSource.contains(1002));
    EXPECT_EQ(result.json.value(QStringLiteral("current")).toArray(), QJsonArray());
    QStringList files;
    for (const QJsonValue& file : result.json.value(QStringLiteral("files")).toArray())
        files.append(file.toObject().value(QStringLiteral("file")).toString());
    files.sort();
    EXPECT_EQ(files, (QStringList {QStringLiteral("DAY08142008.dat"), QStringLiteral("SRC0000000007.dat")}));
}

// "current --set" places new notes by the sort order in force ("Add: To Bottom": by date
// added); the exit save keeps the list for the next run, which restores it unsorted.
TEST_F(CliRunnerTest, CurrentListSurvivesTheNextRun)
{
    WriteThreeNotes();
    const Result set = Run({QStringLiteral("current"), QStringLiteral("--set"), QStringLiteral("1002"),
                            QStringLiteral("4242"), QStringLiteral("1001")});
    EXPECT_EQ(set.exitCode, 0);
    EXPECT_EQ(set.json, Json(R"({"current": [1001, 1002]})"));
    EXPECT_EQ(LastViewListFile::Read(m_folder.FullPath(QStringLiteral("Data Files\\LastViewList.dat"))),
              (NoteIdList {1001, 1002}));
    EXPECT_EQ(Run({QStringLiteral("current")}).json, Json(R"({"current": [1001, 1002]})"));
    EXPECT_EQ(Run({QStringLiteral("current"), QStringLiteral("--set")}).json, Json(R"({"current": []})"));
}

TEST_F(CliRunnerTest, DeleteRefusesUnknownIdsAndTouchesNothing)
{
    WriteThreeNotes();
    const Result refused = Run({QStringLiteral("delete"), QStringLiteral("1001"), QStringLiteral("4242")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.json.value(QStringLiteral("error")).toString().contains(QStringLiteral("4242")));
    EXPECT_EQ(Run({QStringLiteral("info")}).json.value(QStringLiteral("total")).toInt(), 3);

    const Result deleted = Run({QStringLiteral("delete"), QStringLiteral("1003"), QStringLiteral("1002")});
    EXPECT_EQ(deleted.exitCode, 0);
    EXPECT_EQ(deleted.json, Json(R"({"deleted": [1003, 1002]})"));
    const Result left = Run({QStringLiteral("notes")});
    ASSERT_EQ(left.json.value(QStringLiteral("notes")).toArray().size(), 1);
    EXPECT_EQ(left.json.value(QStringLiteral("notes"))
                  .toArray()
                  .at(0)
                  .toObject()
                  .value(QStringLiteral("id"))
                  .toInt(),
              1001);
}

// Usage errors exit with 2 before start-up: nothing is written in the data root.
TEST_F(CliRunnerTest, UsageErrors)
{
    const QList<QStringList> cases {
        {},
        {QStringLiteral("frobnicate")},
        {QStringLiteral("notes"), QStringLiteral("abc")},
        {QStringLiteral("notes"), QStringLiteral("--colour")},
        {QStringLiteral("settings"), QStringLiteral("extra")},
        {QStringLiteral("delete")},
        {QStringLiteral("--verbose"), QStringLiteral("info")},
    };
    for (const QStringList& words : cases) {
        const Result result = Run(words);
        EXPECT_EQ(result.exitCode, 2) << qPrintable(words.join(QLatin1Char(' ')));
        EXPECT_TRUE(result.json.value(QStringLiteral("error")).isString());
        EXPECT_EQ(result.json.size(), 1);
    }
    EXPECT_FALSE(QFileInfo::exists(m_dir.filePath(QStringLiteral("Quorvel.ini"))));
}

// QUORVEL_DATA_ROOT names the data root when --data-root is not given.
TEST_F(CliRunnerTest, DataRootFromTheEnvironment)
{
    WriteThreeNotes();
    const Result result = Run({QStringLiteral("info")}, false, m_dir.path());
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.json.value(QStringLiteral("total")).toInt(), 3);
    EXPECT_TRUE(QFileInfo::exists(m_dir.filePath(QStringLiteral("Quorvel.ini"))));
}
