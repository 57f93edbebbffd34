#include "CliFixture.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>

namespace {

class CliEditCommandsTest : public CliFixture
{
protected:
    QJsonObject OnlyNote(qint32 id)
    {
        const QJsonArray notes = Run({QStringLiteral("notes"), QString::number(id)})
                                     .json.value(QStringLiteral("notes"))
                                     .toArray();
        EXPECT_EQ(notes.size(), 1);
        return notes.at(0).toObject();
    }

    static QList<int> Ids(const QJsonValue& value)
    {
        QList<int> ids;
        for (const QJsonValue& id : value.toArray())
            ids.append(id.toInt());
        return ids;
    }
};

} // namespace

// add saves as the editor does: an id after MaxNoteID (1000 + 1 at the start, so 1002),
// both dates the clock's now, key words trimmed at both ends only, the path as given, the
// note in the day file of today.
TEST_F(CliEditCommandsTest, AddSavesLikeTheEditor)
{
    const Result added
        = Run({QStringLiteral("add"), QStringLiteral("--text"), QStringLiteral("Waves and particles"),
               QStringLiteral("--keywords"), QStringLiteral("  light ,  waves  "),
               QStringLiteral("--category"), QStringLiteral("Science/Physics/Optics")});
    EXPECT_EQ(added.exitCode, 0);
    EXPECT_EQ(added.json, Json(R"({"id": 1002})"));

    QJsonObject note = OnlyNote(1002);
    const QString rich = note.take(QStringLiteral("rich_text")).toString();
    note.remove(QStringLiteral("guid"));
    EXPECT_TRUE(rich.startsWith(QStringLiteral("{\\rtf1")));
    EXPECT_TRUE(rich.contains(QStringLiteral("Waves and particles")));
    EXPECT_EQ(note, Json(R"({
        "id": 1002, "source_id": 0, "date_added": "2026-01-02-03-04-05", "last_edited": "2026-01-02-03-04-05",
        "key_words": "light ,  waves", "reserved_text": "", "spell_check": true, "attachments": [],
        "plain_text": "Waves and particles",
        "categories": [[0, "Science", "<UNASSIGNED>"], [1, "Physics", "Science"], [2, "Optics", "Physics"],
                       [3, "<UNASSIGNED>", "<UNASSIGNED>"]],
        "file": "DAY01022026.dat"})"));
    EXPECT_EQ(
        Run({QStringLiteral("keywords")}).json,
        Json(R"({"keywords": [{"word": "light", "notes": [1002]}, {"word": "waves", "notes": [1002]}]})"));
}

TEST_F(CliEditCommandsTest, AddRefusals)
{
    EXPECT_EQ(Run({QStringLiteral("add")}).exitCode, 2);
    EXPECT_EQ(Run({QStringLiteral("add"), QStringLiteral("--text"), QStringLiteral("x"),
                   QStringLiteral("--category"), QStringLiteral("A/B/C/D/E")})
                  .exitCode,
              2);
    const Result empty = Run({QStringLiteral("add"), QStringLiteral("--text"), QString()});
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_EQ(empty.json, Json(R"({"error": "Note must contain some text."})"));
    const Result missing = Run({QStringLiteral("add"), QStringLiteral("--text"), QStringLiteral("x"),
                                QStringLiteral("--attach"), m_dir.filePath(QStringLiteral("nothing.png"))});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(Run({QStringLiteral("notes")}).json, Json(R"({"notes": []})"));
}

TEST_F(CliEditCommandsTest, AddCopiesAttachmentsIn)
{
    const QString path = m_dir.filePath(QStringLiteral("Reading List.TXT"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("books");
    file.close();
    ASSERT_EQ(Run({QStringLiteral("add"), QStringLiteral("--text"), QStringLiteral("x"),
                   QStringLiteral("--attach"), path})
                  .exitCode,
              0);
    const QJsonArray attachments = OnlyNote(1002).value(QStringLiteral("attachments")).toArray();
    ASSERT_EQ(attachments.size(), 1);
    // Numbered after the largest number in the (empty) folder, lower-case extension; a
    // text file is shown as an icon, never as an image.
    EXPECT_EQ(attachments.at(0).toObject(), Json(R"({"shift": 0, "scale": 1, "title": "Reading List.TXT",
        "stored_name": "0000001.txt", "original_name": "Reading List.TXT", "kind": 2, "show_image": false})"));
    EXPECT_TRUE(QFileInfo::exists(m_folder.FullPath(QStringLiteral("Data Files\\Images\\0000001.txt"))));
}

// edit keeps DateAdded and what it is not told to change; an unknown id is refused.
TEST_F(CliEditCommandsTest, EditChangesOnlyWhatIsGiven)
{
    Write({Note(1001, 0, 14, "old text")});
    const Result edited = Run(
        {QStringLiteral("edit"), QStringLiteral("1001"), QStringLiteral("--keywords"), QStringLiteral("k1")});
    EXPECT_EQ(edited.exitCode, 0);
    EXPECT_EQ(edited.json, Json(R"({"id": 1001})"));
    const QJsonObject note = OnlyNote(1001);
    EXPECT_EQ(note.value(QStringLiteral("date_added")).toString(), QStringLiteral("2008-08-14-21-23-56"));
    EXPECT_EQ(note.value(QStringLiteral("last_edited")).toString(), QStringLiteral("2026-01-02-03-04-05"));
    EXPECT_EQ(note.value(QStringLiteral("plain_text")).toString(), QStringLiteral("old text"));
    EXPECT_EQ(note.value(QStringLiteral("rich_text")).toString(), QStringLiteral("{\\rtf1 old text}"));
    EXPECT_EQ(note.value(QStringLiteral("key_words")).toString(), QStringLiteral("k1"));

    const Result unknown = Run(
        {QStringLiteral("edit"), QStringLiteral("4242"), QStringLiteral("--text"), QStringLiteral("x")});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.json.contains(QStringLiteral("error")));
    EXPECT_EQ(Run({QStringLiteral("edit")}).exitCode, 2);
}

TEST_F(CliEditCommandsTest, SearchAndSort)
{
    Write({Note(1001, 0, 14, "red apple"), Note(1002, 0, 14, "green pear")});
    Write({Note(1003, 0, 20, "red cherry")});
    const Result found = Run({QStringLiteral("search"), QStringLiteral("  red  ")});
    EXPECT_EQ(found.exitCode, 0);
    EXPECT_EQ(found.json.value(QStringLiteral("count")).toInt(), 2);
    QList<int> matches = Ids(found.json.value(QStringLiteral("matches")));
    std::sort(matches.begin(), matches.end());
    EXPECT_EQ(matches, (QList<int> {1001, 1003}));
    // "Add: To Bottom": the new notes below the (empty) list by date added.
    EXPECT_EQ(Ids(found.json.value(QStringLiteral("current"))), (QList<int> {1001, 1003}));
    // Newly gathered notes carry no highlight; a search that finds notes already in the
    // list gives them one.
    const Result again = Run({QStringLiteral("search"), QStringLiteral("cherry")});
    const QJsonObject highlighted = again.json.value(QStringLiteral("highlighted")).toObject();
    EXPECT_EQ(highlighted.keys(), QStringList {QStringLiteral("1003")});
    EXPECT_TRUE(highlighted.value(QStringLiteral("1003"))
                    .toString()
                    .contains(QLatin1String("\\red255\\green142\\blue40")));
    // The same search for the ids only: the count, the matches and the list, no texts.
    const Result idsOnly
        = Run({QStringLiteral("search"), QStringLiteral("--ids-only"), QStringLiteral("cherry")});
    EXPECT_EQ(idsOnly.json, Json(R"({"count": 1, "matches": [1003], "current": [1001, 1003]})"));

    // Sorting "Date Added: Present to Past" stores the order and applies it.
    const Result sorted = Run({QStringLiteral("sort"), QStringLiteral("--by"), QStringLiteral("801")});
    EXPECT_EQ(sorted.json, Json(R"({"current": [1003, 1001]})"));
    EXPECT_EQ(Run({QStringLiteral("settings")}).json.value(QStringLiteral("NoteSortID")).toInt(), 801);

    // An empty query does nothing.
    const Result nothing = Run({QStringLiteral("search"), QStringLiteral("   ")});
    EXPECT_EQ(nothing.exitCode, 0);
    EXPECT_EQ(nothing.json.value(QStringLiteral("count")).toInt(), 0);
    EXPECT_EQ(Ids(nothing.json.value(QStringLiteral("current"))), (QList<int> {1003, 1001}));

    const Result invalid = Run({QStringLiteral("search"), QStringLiteral("red AND apple OR pear")});
    EXPECT_EQ(invalid.exitCode, 1);
    EXPECT_EQ(invalid.json,
              Json(R"({"error": "You can only have one type of operator (AND, OR) in search string."})"));
}

// Export, delete, import of new notes only: the deleted note comes back.
TEST_F(CliEditCommandsTest, ExportDeleteImport)
{
    Write({Note(1001, 0, 14, "kept"), Note(1002, 0, 14, "exported")});
    const QString archive = m_dir.filePath(QStringLiteral("out.qvx"));
    EXPECT_EQ(Run({QStringLiteral("export"), archive, QStringLiteral("1002")}).json,
              Json(R"({"result": 1})"));
    ASSERT_EQ(Run({QStringLiteral("delete"), QStringLiteral("1002")}).exitCode, 0);
    const Result imported
        = Run({QStringLiteral("import"), archive, QStringLiteral("--select"), QStringLiteral("new")});
    EXPECT_EQ(imported.exitCode, 0);
    EXPECT_EQ(imported.json.value(QStringLiteral("result")).toInt(), 1);
    EXPECT_EQ(
        imported.json.value(QStringLiteral("statuses")).toArray(),
        Json(R"({"s": [{"index": 1, "guid": "{00000001002-0000-0000-0000-000000000000}", "status": "new"}]})")
            .value(QStringLiteral("s"))
            .toArray());
    EXPECT_EQ(Run({QStringLiteral("info")}).json.value(QStringLiteral("total")).toInt(), 2);

    const Result broken = Run({QStringLiteral("import"), m_dir.filePath(QStringLiteral("missing.qvx"))});
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_TRUE(broken.json.contains(QStringLiteral("error")));
    EXPECT_EQ(
        Run({QStringLiteral("import"), archive, QStringLiteral("--select"), QStringLiteral("some")}).exitCode,
        2);
}

TEST_F(CliEditCommandsTest, PrintAndRtfText)
{
    Write({Note(1001, 0, 14, "a"), Note(1002, 0, 14, "b")});
    const Result printed = Run({QStringLiteral("print"), QStringLiteral("1002"), QStringLiteral("1001")});
    EXPECT_EQ(printed.exitCode, 0);
    EXPECT_EQ(printed.json.value(QStringLiteral("count")).toInt(), 2);
    EXPECT_TRUE(QFileInfo::exists(printed.json.value(QStringLiteral("file")).toString()));
    EXPECT_EQ(printed.json.value(QStringLiteral("file")).toString(),
              m_folder.FullPath(QStringLiteral("Data Files\\PrintPreview.nbf")));

    const QString rtf = m_dir.filePath(QStringLiteral("doc.rtf"));
    QFile file(rtf);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\\rtf1\\ansi {\\b Bold} text\\par second line}");
    file.close();
    const Result text = Run({QStringLiteral("rtf-text"), rtf});
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_TRUE(text.json.value(QStringLiteral("text"))
                    .toString()
                    .startsWith(QStringLiteral("Bold text\nsecond line")));
    EXPECT_EQ(Run({QStringLiteral("rtf-text"), m_dir.filePath(QStringLiteral("none.rtf"))}).exitCode, 1);
    EXPECT_EQ(Run({QStringLiteral("rtf-text")}).exitCode, 2);
}

TEST_F(CliEditCommandsTest, CiteAndBibArguments)
{
    EXPECT_EQ(Run({QStringLiteral("cite"), QStringLiteral("77")}).json, Json(R"({"citations": []})"));
    EXPECT_EQ(Run({QStringLiteral("cite"), QStringLiteral("--width"), QStringLiteral("wide")}).exitCode, 2);
    // The three formatting options go together.
    EXPECT_EQ(
        Run({QStringLiteral("bib"), QStringLiteral("--style"), QStringLiteral("2"), QStringLiteral("1001")})
            .exitCode,
        2);
    EXPECT_EQ(Run({QStringLiteral("bib")}).exitCode, 2);
    const Result none = Run({QStringLiteral("bib"), QStringLiteral("1001")});
    EXPECT_EQ(none.exitCode, 0);
    EXPECT_EQ(none.json.value(QStringLiteral("count")).toInt(), 0);
}
