// quorvel-cli sync: the options' sync folder and machine name unless given, the report
// as JSON, and a failure when there is no sync folder.
#include "CliFixture.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QSettings>

namespace {

class CliSyncTest : public CliFixture
{
protected:
    QTemporaryDir m_shared;
    QTemporaryDir m_laptop;

    Result RunOnLaptop(const QStringList& words)
    {
        return Run(QStringList {QStringLiteral("--data-root"), m_laptop.path()} + words, false);
    }
};

TEST_F(CliSyncTest, SendsReceivesAndReports)
{
    Write({Note(1001, 0, 14, "first"), Note(1002, 0, 14, "second")});
    const Result none = Run({QStringLiteral("sync")});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(none.json,
              Json(R"({"error": "No sync folder is set: choose one on the General page of the options."})"));

    const QString folder = m_shared.path();
    const Result sent = Run({QStringLiteral("sync"), QStringLiteral("--folder"), folder,
                             QStringLiteral("--machine"), QStringLiteral("desk")});
    EXPECT_EQ(sent.exitCode, 0);
    EXPECT_EQ(sent.json, Json(R"({"sent": 2, "received": 0, "deleted": 0, "conflicts": [], "skipped": []})"));

    // The laptop's settings name the folder and the machine.
    {
        QSettings ini(QDir(m_laptop.path()).filePath(QStringLiteral("Quorvel.ini")), QSettings::IniFormat);
        ini.setValue(QStringLiteral("Options/SyncFolder"), folder);
        ini.setValue(QStringLiteral("Options/SyncMachine"), QStringLiteral("laptop"));
    }
    const Result received = RunOnLaptop({QStringLiteral("sync")});
    EXPECT_EQ(received.exitCode, 0);
    EXPECT_EQ(received.json,
              Json(R"({"sent": 0, "received": 2, "deleted": 0, "conflicts": [], "skipped": []})"));
    EXPECT_TRUE(QFileInfo(QDir(folder).filePath(QStringLiteral("laptop/Index.txt"))).isFile());
    const Result notes = RunOnLaptop({QStringLiteral("notes")});
    EXPECT_EQ(notes.json.value(QStringLiteral("notes")).toArray().size(), 2);

    EXPECT_EQ(Run({QStringLiteral("sync"), QStringLiteral("extra")}).exitCode, 2);
    EXPECT_EQ(
        Run({QStringLiteral("sync"), QStringLiteral("--folder"), m_shared.filePath(QStringLiteral("gone"))})
            .exitCode,
        1);
}

} // namespace
