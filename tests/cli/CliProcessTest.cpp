#include "store/DataFolderLock.h"
#include "support/ReadOnlyFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
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

TEST(CliProcessTest, ReadOnlyFolderAnswersReadsAndRefusesWrites)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString root = dir.path();
    ASSERT_EQ(RunCli({QStringLiteral("--data-root"), root, QStringLiteral("add"), QStringLiteral("--text"),
                      QStringLiteral("kept")})
                  .exitCode,
              0);
    ReadOnlyFolder readOnly(root);
    if (!readOnly.Made())
        GTEST_SKIP() << readOnly.Why();
    const Outcome info = RunCli({QStringLiteral("--data-root"), root, QStringLiteral("info")});
    EXPECT_EQ(info.exitCode, 0);
    EXPECT_EQ(info.json.value(QStringLiteral("total")).toInt(), 1);
    const Outcome add = RunCli({QStringLiteral("--data-root"), root, QStringLiteral("add"),
                                QStringLiteral("--text"), QStringLiteral("x")});
    EXPECT_EQ(add.exitCode, 1);
    EXPECT_EQ(add.json.value(QStringLiteral("error")).toString(),
              QStringLiteral("The data folder \"%1/Data Files\" is read-only: nothing can be stored in it.")
                  .arg(root));
}

namespace {

QProcess* StartCli(const QStringList& arguments, QObject* parent)
{
    auto* process = new QProcess(parent);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QUORVEL_DATA_ROOT"));
    process->setProcessEnvironment(environment);
    process->start(QStringLiteral(QUORVEL_CLI), arguments);
    return process;
}

Outcome Finish(QProcess* process)
{
    EXPECT_TRUE(process->waitForFinished(180000));
    Outcome outcome;
    outcome.exitCode = process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
    outcome.json = QJsonDocument::fromJson(process->readAllStandardOutput()).object();
    return outcome;
}

// Every note of the folder: id -> plain text.
QMap<qint64, QString> AllNotes(const QString& root)
{
    const Outcome listed = RunCli({QStringLiteral("--data-root"), root, QStringLiteral("notes")});
    EXPECT_EQ(listed.exitCode, 0);
    QMap<qint64, QString> notes;
    for (const QJsonValue& note : listed.json.value(QStringLiteral("notes")).toArray()) {
        const qint64 id = note[QStringLiteral("id")].toInteger();
        EXPECT_FALSE(notes.contains(id)) << "id " << id << " stored twice";
        notes.insert(id, note[QStringLiteral("plain_text")].toString());
    }
    return notes;
}

} // namespace

// Commands started together on one folder run one after the other: each new note gets
// its own id and every note is stored once; deleting some removes exactly those.
TEST(CliProcessTest, ParallelCommandsNeverShareAnId)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString root = dir.path();
    constexpr int kWriters = 12;

    QObject owner;
    QList<QProcess*> adds;
    for (int i = 0; i < kWriters; ++i) {
        adds.append(StartCli({QStringLiteral("--data-root"), root, QStringLiteral("--wait"),
                              QStringLiteral("170"), QStringLiteral("add"), QStringLiteral("--text"),
                              QStringLiteral("Parallel note %1").arg(i)},
                             &owner));
    }
    QMap<qint64, QString> added;
    for (int i = 0; i < kWriters; ++i) {
        const Outcome outcome = Finish(adds.at(i));
        ASSERT_EQ(outcome.exitCode, 0) << i;
        const qint64 id = outcome.json.value(QStringLiteral("id")).toInteger();
        EXPECT_FALSE(added.contains(id)) << "id " << id << " issued twice";
        added.insert(id, QStringLiteral("Parallel note %1").arg(i));
    }
    EXPECT_EQ(added.size(), kWriters);
    EXPECT_EQ(AllNotes(root), added);

    // Half of them deleted at once, each by its own command.
    QList<QProcess*> deletes;
    const QList<qint64> ids = added.keys();
    for (int i = 0; i < kWriters; i += 2) {
        deletes.append(StartCli({QStringLiteral("--data-root"), root, QStringLiteral("--wait"),
                                 QStringLiteral("170"), QStringLiteral("delete"), QString::number(ids.at(i))},
                                &owner));
        added.remove(ids.at(i));
    }
    for (QProcess* process : deletes)
        EXPECT_EQ(Finish(process).exitCode, 0);
    EXPECT_EQ(AllNotes(root), added);
}

// A command finds the folder in use: within --wait it waits for the holder; beyond it it
// fails, naming the holder's process, and touches nothing.
TEST(CliProcessTest, FolderInUseIsWaitedForThenRefused)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString root = dir.path();
    DataFolderLock holder(root);
    ASSERT_EQ(holder.TryLock(), DataFolderLock::Outcome::Held);

    QElapsedTimer timer;
    timer.start();
    const Outcome refused
        = RunCli({QStringLiteral("--data-root"), root, QStringLiteral("--wait"), QStringLiteral("0.5"),
                  QStringLiteral("add"), QStringLiteral("--text"), QStringLiteral("lost?")});
    EXPECT_GE(timer.elapsed(), 500);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.json.value(QStringLiteral("error")).toString(),
              QStringLiteral("The data folder is in use by another Quorvel program (process %1).")
                  .arg(QCoreApplication::applicationPid()));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("Quorvel.ini"))));
    EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("Data Files/Notes"))).isEmpty());

    EXPECT_EQ(RunCli({QStringLiteral("--data-root"), root, QStringLiteral("--wait"), QStringLiteral("soon"),
                      QStringLiteral("info")})
                  .exitCode,
              2);

    // Released while the command waits: it goes ahead.
    QObject owner;
    QProcess* waiting
        = StartCli({QStringLiteral("--data-root"), root, QStringLiteral("--wait=170"), QStringLiteral("add"),
                    QStringLiteral("--text"), QStringLiteral("after the wait")},
                   &owner);
    ASSERT_TRUE(waiting->waitForStarted());
    EXPECT_FALSE(waiting->waitForFinished(700));
    holder.Unlock();
    const Outcome added = Finish(waiting);
    EXPECT_EQ(added.exitCode, 0);
    EXPECT_EQ(AllNotes(root).values(), QStringList {QStringLiteral("after the wait")});
}
