#include "CliFixture.h"
#include "support/FailingFileSystem.h"

#include <QJsonArray>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

class CliRetreeTest : public CliFixture
{
protected:
    // A note of day 14 filed at "A/B/C".
    static NoteRecord Filed(qint32 id, const char* slashed)
    {
        NoteRecord note = Note(id, 0, 14, "text");
        const QStringList names = S(slashed).split(QLatin1Char('/'), Qt::SkipEmptyParts);
        for (int level = 0; level < names.size(); ++level) {
            note.Categories.entries[level].name = names.at(level);
            note.Categories.entries[level].parentName = level == 0 ? QString() : names.at(level - 1);
        }
        return note;
    }

    // The paths of every note as stored, by id: "A/B" or "" when unassigned.
    QHash<qint32, QString> StoredPaths()
    {
        QHash<qint32, QString> paths;
        for (const NoteRecord& note : ReadNoteFile(m_folder.FullPath(NoteFileName(Filed(1, ""))))) {
            QStringList names;
            for (const CategoryLevelEntry& entry : note.Categories.entries) {
                if (entry.name != UnassignedCategoryName())
                    names.append(entry.name);
            }
            paths.insert(note.NoteID, names.join(QLatin1Char('/')));
        }
        return paths;
    }

    Result Retree(const QStringList& words) { return Run(QStringList {S("retree")} + words); }

    static QList<int> Ids(const QJsonValue& value)
    {
        QList<int> ids;
        for (const QJsonValue& id : value.toArray())
            ids.append(id.toInt());
        return ids;
    }
    static QStringList Captions(const QJsonObject& json, const char* key)
    {
        QStringList captions;
        for (const QJsonValue& item : json.value(QLatin1String(key)).toArray())
            captions.append(item.toArray().at(0).toString());
        return captions;
    }
};

TEST_F(CliRetreeTest, DepthViolationsAreReportedAndChangeNoPath)
{
    Write({Filed(1001, "A/B/C"), Filed(1002, "P/Q/R"), Filed(1003, "P/Q"), Filed(1004, "A/B/C/D")});
    Result result = Retree({S("move:P/Q>A/B/C")});
    EXPECT_EQ(result.exitCode, 0) << result.output.constData();
    EXPECT_EQ(result.json.value(S("messages")).toArray(),
              (QJsonArray {
                  QJsonArray {S("Too Many Subcategories"),
                              S("The dragging category has too many subcategories to be dropped there.")}}));
    EXPECT_TRUE(result.json.value(S("refiled")).toArray().isEmpty());

    result = Retree({S("move:P>A/B/C/D")});
    EXPECT_EQ(Captions(result.json, "messages"), QStringList {S("No Level 4 Subcategories")});
    EXPECT_EQ(StoredPaths().value(1002), S("P/Q/R"));
}

TEST_F(CliRetreeTest, MergingTreesAsksAtEachSameNamedLevelInOrder)
{
    Write({Filed(1001, "A/T/U"), Filed(1002, "T/U"), Filed(1003, "T/V"), Filed(1004, "T")});
    const Result result = Retree({S("--answer"), S("yes"), S("--answer"), S("no"), S("move:T>A")});
    ASSERT_EQ(result.exitCode, 0) << result.output.constData();
    const QJsonArray questions = result.json.value(S("questions")).toArray();
    ASSERT_EQ(questions.size(), 2);
    EXPECT_EQ(questions.at(0).toArray().at(0).toString(), S("Merge Same Name Level 2 Categories?"));
    EXPECT_EQ(questions.at(0).toArray().at(2).toString(), S("yes"));
    EXPECT_EQ(questions.at(1).toArray().at(0).toString(), S("Merge Same Name Level 3 Categories?"));
    EXPECT_EQ(questions.at(1).toArray().at(2).toString(), S("no"));
    // No merge for U: its "Rename Category" has no Cancel, and without a window the
    // name stays, so A/T holds two children named U.
    const QHash<qint32, QString> paths = StoredPaths();
    EXPECT_EQ(paths.value(1002), S("A/T/U"));
    EXPECT_EQ(paths.value(1003), S("A/T/V"));
    EXPECT_EQ(paths.value(1004), S("A/T"));
    EXPECT_EQ(paths.value(1001), S("A/T/U"));
    EXPECT_EQ(Ids(result.json.value(S("refiled"))), (QList<int> {1002, 1003, 1004}));
}

TEST_F(CliRetreeTest, NewSubcategoryTakesExactlyTheParentsOwnNotes)
{
    Write({Filed(1001, "A"), Filed(1002, "A/B"), Filed(1003, "A")});
    const Result result = Retree({S("sub:A=New")});
    ASSERT_EQ(result.exitCode, 0) << result.output.constData();
    EXPECT_EQ(Captions(result.json, "questions"), QStringList {S("Assign Notes To New Subcategory?")});
    const QHash<qint32, QString> paths = StoredPaths();
    EXPECT_EQ(paths.value(1001), S("A/New"));
    EXPECT_EQ(paths.value(1003), S("A/New"));
    EXPECT_EQ(paths.value(1002), S("A/B"));
}

TEST_F(CliRetreeTest, DeletionsRefileAtTheParentOrUnassignAndStampOnlyChangedNotes)
{
    Write({Filed(1001, "A/B/C"), Filed(1002, "A/B"), Filed(1003, "X/Y"), Filed(1004, "Z")});
    const Result result = Retree({S("delete:A/B/C"), S("delete:X")});
    ASSERT_EQ(result.exitCode, 0) << result.output.constData();
    EXPECT_EQ(Ids(result.json.value(S("refiled"))), (QList<int> {1001, 1003}));
    const QHash<qint32, QString> paths = StoredPaths();
    EXPECT_EQ(paths.value(1001), S("A/B"));
    EXPECT_EQ(paths.value(1003), QString());
    EXPECT_EQ(paths.value(1004), S("Z"));

    const QJsonArray notes = Run({S("notes"), S("1001"), S("1002")}).json.value(S("notes")).toArray();
    EXPECT_EQ(notes.at(0).toObject().value(S("last_edited")).toString(), S("2026-01-02-03-04-05"));
    EXPECT_EQ(notes.at(1).toObject().value(S("last_edited")).toString(), S("2009-01-02-03-04-05"));
    const QJsonObject info = Run({S("info")}).json;
    EXPECT_EQ(Ids(info.value(S("unassigned"))), (QList<int> {1003}));
}

TEST_F(CliRetreeTest, UnassignedNotesJoinATreeAndACategoryWithoutNotesIsGoneAfterRestart)
{
    Write({Filed(1001, ""), Filed(1002, "A/B")});
    Result result = Retree({S("new:Empty"), S("move:<UNASSIGNED>>A/B")});
    ASSERT_EQ(result.exitCode, 0) << result.output.constData();
    EXPECT_EQ(Captions(result.json, "questions"), QStringList {S("Moving All Unassigned Categories?")});
    EXPECT_EQ(StoredPaths().value(1001), S("A/B"));
    const QJsonArray trees = Run({S("categories")}).json.value(S("trees")).toArray();
    ASSERT_EQ(trees.size(), 1);
    EXPECT_EQ(trees.at(0).toObject().value(S("name")).toString(), S("A"));

    // Dragged to the blank area, a Level 2 category becomes a Level 1 one.
    result = Retree({S("move:A/B>")});
    EXPECT_EQ(Captions(result.json, "questions"), QStringList {S("Create New Level 1 Category?")});
    EXPECT_EQ(StoredPaths().value(1002), S("B"));
}

TEST_F(CliRetreeTest, RefusalsAndUsageErrorsWriteNothing)
{
    Write({Filed(1001, "A/B")});
    const QByteArray before = [this] {
        QFile file(m_folder.FullPath(NoteFileName(Filed(1, ""))));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();
    Result result = Retree({S("rename:A/B=C"), S("delete:Nope")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.json.value(S("error")).toString(), S("no category at Nope"));
    EXPECT_EQ(StoredPaths().value(1001), S("A/B"));

    EXPECT_EQ(Retree({S("shuffle:A")}).exitCode, 2);
    EXPECT_EQ(Retree({S("--answer"), S("maybe"), S("delete:A")}).exitCode, 2);
    result = Retree({S("rename:A=A")});
    EXPECT_EQ(Captions(result.json, "messages"), QStringList {S("Invalid Category Name")});
    QFile file(m_folder.FullPath(NoteFileName(Filed(1, ""))));
    file.open(QIODevice::ReadOnly);
    // The file is rewritten by the save, but to the same bytes.
    EXPECT_EQ(file.readAll(), before);
}

TEST_F(CliRetreeTest, KeyWordsAttachAndRemoveAreWrittenToTheNotes)
{
    NoteRecord art = Filed(1001, "");
    art.KeyWords = S("Art, Smart,");
    Write({art, Filed(1002, "")});
    Result result = Run({S("keywords"), S("--attach"), S("Art"), S("1001"), S("1002"), S("999")});
    ASSERT_EQ(result.exitCode, 0) << result.output.constData();
    EXPECT_EQ(Ids(result.json.value(S("changed"))), (QList<int> {1002}));
    result = Run({S("keywords"), S("--remove"), S("Art"), S("1001"), S("1002")});
    EXPECT_EQ(Ids(result.json.value(S("changed"))), (QList<int> {1001, 1002}));
    const NotesList stored = ReadNoteFile(m_folder.FullPath(NoteFileName(art)));
    EXPECT_EQ(stored.at(0).KeyWords, S("Smart,"));
    // The empty item before the word keeps its comma; it carries no key word.
    EXPECT_EQ(stored.at(1).KeyWords, S(","));
    const QJsonArray words = Run({S("keywords")}).json.value(S("keywords")).toArray();
    ASSERT_EQ(words.size(), 1);
    EXPECT_EQ(words.at(0).toObject().value(S("word")).toString(), S("Smart"));
    EXPECT_EQ(Run({S("keywords"), S("--attach"), S("a"), S("--remove"), S("b")}).exitCode, 2);
}

} // namespace

TEST_F(CliRetreeTest, ReFilingThatCannotBeWrittenFailsAndKeepsThePaths)
{
    Write({Filed(1001, "A/B"), Filed(1002, "P/Q")});
    FailingFileSystem failing;
    m_files = &failing;
    failing.Fail(FailingFileSystem::Kind::ReadOnly, m_folder.NotesFolder());
    const Result result = Retree({S("move:P>A")});
    EXPECT_EQ(result.exitCode, 1) << result.output.constData();
    const QString error = result.json.value(S("error")).toString();
    EXPECT_TRUE(error.contains(NoteFileName(Filed(1, "")).section(QLatin1Char('\\'), -1)))
        << qPrintable(error);
    EXPECT_TRUE(error.endsWith(FailingFileSystem::ReasonOf(FailingFileSystem::Kind::ReadOnly)))
        << qPrintable(error);
    failing.Heal();
    EXPECT_EQ(StoredPaths().value(1002), S("P/Q"));
}
