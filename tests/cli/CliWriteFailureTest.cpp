// quorvel-cli on a full disk or a read-only folder (through the file-system seam): a
// command whose work was not stored exits 1 with {"error": TEXT} naming the file and the
// reason, and claims nothing.

#include "CliFixture.h"
#include "support/FailingFileSystem.h"

#include <QDir>
#include <QJsonArray>

using Kind = FailingFileSystem::Kind;

namespace {

class CliWriteFailure : public CliFixture
{
protected:
    void SetUp() override
    {
        CliFixture::SetUp();
        m_files = &failing;
        Write({Note(1001, 0, 14, "first"), Note(1002, 0, 14, "second")});
    }
    QJsonArray AllIds()
    {
        const Result info = Run({QStringLiteral("info")});
        return info.json.value(QStringLiteral("files")).toArray();
    }
    static void ExpectError(const Result& result, const QString& fileName, Kind kind)
    {
        EXPECT_EQ(result.exitCode, 1) << result.output.constData();
        EXPECT_EQ(result.json.keys(), QStringList {QStringLiteral("error")}) << result.output.constData();
        const QString error = result.json.value(QStringLiteral("error")).toString();
        EXPECT_TRUE(error.contains(fileName)) << qPrintable(error);
        EXPECT_TRUE(error.endsWith(FailingFileSystem::ReasonOf(kind))) << qPrintable(error);
    }
    QString NotesFile() const { return QStringLiteral("DAY08142008.dat"); }

    FailingFileSystem failing;
};

} // namespace

TEST_F(CliWriteFailure, AddAndDeleteClaimNothingTheyDidNotStore)
{
    const QJsonArray before = AllIds();
    failing.Fail(Kind::DiskFull, m_folder.NotesFolder());
    ExpectError(Run({QStringLiteral("add"), QStringLiteral("--text"), QStringLiteral("lost")}),
                QStringLiteral("DAY01022026.dat"), Kind::DiskFull);

    failing.Heal();
    failing.Fail(Kind::ReadOnly, m_folder.NotesFolder());
    ExpectError(Run({QStringLiteral("delete"), QStringLiteral("1002")}), NotesFile(), Kind::ReadOnly);
    ExpectError(
        Run({QStringLiteral("edit"), QStringLiteral("1001"), QStringLiteral("--text"), QStringLiteral("x")}),
        NotesFile(), Kind::ReadOnly);

    failing.Heal();
    EXPECT_EQ(AllIds(), before);
    const Result notes = Run({QStringLiteral("notes"), QStringLiteral("1001")});
    EXPECT_EQ(notes.json.value(QStringLiteral("notes"))
                  .toArray()
                  .at(0)
                  .toObject()
                  .value(QStringLiteral("plain_text")),
              QStringLiteral("first"));
}

TEST_F(CliWriteFailure, ASettingThatCannotBeSavedFailsTheCommand)
{
    failing.Fail(Kind::ReadOnly, QDir(m_dir.path()).filePath(QStringLiteral("Quorvel.ini")));
    ExpectError(Run({QStringLiteral("sort"), QStringLiteral("--by"), QStringLiteral("701")}),
                QStringLiteral("Quorvel.ini"), Kind::ReadOnly);
}

TEST_F(CliWriteFailure, ExportToAFullDiskFails)
{
    QTemporaryDir outside;
    failing.Fail(Kind::DiskFull, m_folder.DataFilesFolder());
    const Result result
        = Run({QStringLiteral("export"), outside.filePath(QStringLiteral("x.qvx")), QStringLiteral("1001")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.json.value(QStringLiteral("error"))
                    .toString()
                    .endsWith(QStringLiteral("No space left on device")))
        << result.output.constData();
    EXPECT_FALSE(QFile::exists(outside.filePath(QStringLiteral("x.qvx"))));
}

TEST_F(CliWriteFailure, KeyWordsAndSourcesThatCannotBeStoredFail)
{
    failing.Fail(Kind::ReadOnly, m_folder.NotesFolder());
    ExpectError(Run({QStringLiteral("keywords"), QStringLiteral("--attach"), QStringLiteral("Art"),
                     QStringLiteral("1001")}),
                NotesFile(), Kind::ReadOnly);

    failing.Fail(Kind::DiskFull, m_folder.FullPath(QStringLiteral("Data Files\\Sources.dat")));
    const QStringList add {QStringLiteral("source"), QStringLiteral("add"),     QStringLiteral("--type"),
                           QStringLiteral("2"),      QStringLiteral("--field"), QStringLiteral("0=Kept out")};
    ExpectError(Run(add), QStringLiteral("Sources.dat"), Kind::DiskFull);
    failing.Fail(Kind::DiskFull, m_folder.FullPath(QStringLiteral("Data Files\\Authors.dat")));
    ExpectError(Run(add + QStringList {QStringLiteral("--author"), QStringLiteral("Jane//Doe")}),
                QStringLiteral("Authors.dat"), Kind::DiskFull);

    failing.Heal();
    const Result notes = Run({QStringLiteral("notes"), QStringLiteral("1001")});
    EXPECT_EQ(notes.json.value(QStringLiteral("notes"))
                  .toArray()
                  .at(0)
                  .toObject()
                  .value(QStringLiteral("key_words")),
              QString());
}
