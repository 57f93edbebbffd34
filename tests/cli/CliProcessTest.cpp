#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The built program, run as a script would run it: exit statuses and one JSON document
// on standard output.
namespace {

struct Outcome
{
    int exitCode = -1;
    QJsonObject json;
};

Outcome RunCli(const QStringList& arguments, const QString& environmentRoot = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QUORVEL_DATA_ROOT"));
    if (!environmentRoot.isEmpty())
        environment.insert(QStringLiteral("QUORVEL_DATA_ROOT"), environmentRoot);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QUORVEL_CLI), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    Outcome outcome;
    outcome.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    outcome.json = QJsonDocument::fromJson(process.readAllStandardOutput()).object();
    return outcome;
}

} // namespace

TEST(CliProcessTest, ExitStatuses)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString root = dir.path();

    const Outcome settings = RunCli({QStringLiteral("--data-root"), root, QStringLiteral("settings")});
    EXPECT_EQ(settings.exitCode, 0);
    EXPECT_EQ(settings.json.value(QStringLiteral("NoteSortID")).toInt(), 805);

    const Outcome unknown = RunCli({QStringLiteral("--data-root"), root, QStringLiteral("nonsense")});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.json.contains(QStringLiteral("error")));

    const Outcome badOption
        = RunCli({QStringLiteral("--data-root"), root, QStringLiteral("info"), QStringLiteral("--x")});
    EXPECT_EQ(badOption.exitCode, 2);

    const Outcome refused = RunCli({QStringLiteral("delete"), QStringLiteral("4242")}, root);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.json.contains(QStringLiteral("error")));
}
