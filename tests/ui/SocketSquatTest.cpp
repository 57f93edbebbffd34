// Another local user cannot stand in for the running copy or the agent: the sockets live
// in the user's own runtime folder, and where another user listens on a socket's name all
// the same, or connects to ours, the peer check turns it away before anything is sent or
// obeyed. The other user is a child process running as "nobody" (super-user runs only).
#include "UiFixture.h"
#include "support/OtherUserProcess.h"
#include "support/PrivateRuntime.h"
#include "ui/AgentLink.h"
#include "ui/CMainFrame.h"
#include "ui/QuorvelProgram.h"
#include "ui/SingleInstanceGuard.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <QUuid>
#include <atomic>
#include <thread>

namespace {

QString UserName()
{
    const QString name = qEnvironmentVariable("USER");
    return name.isEmpty() ? QDir::home().dirName() : name;
}

// A folder every user may enter and write, like /tmp.
struct SharedFolder
{
    QTemporaryDir dir;
    SharedFolder() { QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777)); }
    QString Socket(const char* name) const { return dir.filePath(QLatin1String(name)); }
};

QuorvelProgram::Options ProgramOptions(const QString& root, ScriptedPrompt* prompt, const QString& serverName)
{
    QuorvelProgram::Options options;
    options.dataRoot = root;
    options.prompt = prompt;
    options.serverName = serverName;
    options.agentServerName = QStringLiteral("QuorvelAgentTest") + QUuid::createUuid().toString(QUuid::Id128);
    return options;
}

} // namespace

class SocketSquatTest : public QObject
{
    Q_OBJECT

private slots:
    void socketsLiveInTheUsersRuntimeFolder()
    {
        PrivateRuntime runtime;
        QCOMPARE(SingleInstanceGuard::DefaultServerName(),
                 QDir(runtime.Path()).filePath(QStringLiteral("ZolQuorvel") + UserName()));
        QCOMPARE(AgentLink::DefaultServerName(),
                 QDir(runtime.Path()).filePath(QStringLiteral("QuorvelAgent") + UserName()));

        // The running copy's socket is found there, and only this user may reach it.
        SingleInstanceGuard running(SingleInstanceGuard::DefaultServerName());
        QVERIFY(running.Listen());
        QSignalSpy handed(&running, &SingleInstanceGuard::HandedOver);
        std::atomic<int> result {-1};
        std::thread second([&] { result = SingleInstanceGuard().HandOver("a.qvx") ? 1 : 0; });
        QTRY_COMPARE(handed.count(), 1);
        second.join();
        QCOMPARE(result.load(), 1);
    }

    void noSafeRuntimeFolderMeansNoSocketAtAll()
    {
        // With no safe folder there is no name to squat: the program runs on its own.
        PrivateRuntime runtime;
        qputenv("XDG_RUNTIME_DIR", "relative/not/usable");
        QTemporaryDir temp;
        const QByteArray previousTemp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
        QVERIFY(QDir().mkdir(temp.filePath(QStringLiteral("quorvel-%1").arg(::geteuid()))));
        QFile::setPermissions(temp.filePath(QStringLiteral("quorvel-%1").arg(::geteuid())),
                              QFileDevice::Permissions(0x7777));
        const QString name = SingleInstanceGuard::DefaultServerName();
        qputenv("TMPDIR", previousTemp);
        QCOMPARE(name, QString());
        SingleInstanceGuard guard(name);
        QVERIFY(!guard.HandOver("a.qvx", SingleInstanceGuard::HandOverTag, 200));
        QVERIFY(!guard.Listen());
    }

    void squatterOnTheOldPublicNameGetsNothing()
    {
        if (!OtherUserProcess::Possible())
            QSKIP("needs the super-user to run a process as another user");
        // Another user listens first on the name the program used to use in /tmp.
        const QString oldName = QDir(QDir::tempPath()).filePath(QStringLiteral("ZolQuorvel") + UserName());
        QFile::remove(oldName);
        OtherUserProcess squatter;
        const std::string path = QFile::encodeName(oldName).toStdString();
        QVERIFY(squatter.Start([path](int report) { OtherUserProcess::Squat(path, 1500, report); }));
        QVERIFY(squatter.WaitFor('L'));

        PrivateRuntime runtime;
        QTemporaryDir root;
        UiFixture::WriteNotes(root.path(), UiFixture::ThreeNotes());
        ScriptedPrompt prompt;
        QuorvelProgram program(ProgramOptions(root.path(), &prompt, QString()));
        QVERIFY(program.Start());
        QVERIFY(program.Frame()->isVisible());
        QCOMPARE(squatter.Finish(), QByteArray("L")); // no connection came
        QFile::remove(oldName);
    }

    void squatterOnTheSameNameIsTurnedAwayAndTheProgramStarts()
    {
        if (!OtherUserProcess::Possible())
            QSKIP("needs the super-user to run a process as another user");
        SharedFolder shared;
        const QString name = shared.Socket("ZolQuorvelSquat");
        OtherUserProcess squatter;
        const std::string path = QFile::encodeName(name).toStdString();
        QVERIFY(squatter.Start([path](int report) { OtherUserProcess::Squat(path, 5000, report); }));
        QVERIFY(squatter.WaitFor('L'));

        QTemporaryDir root;
        UiFixture::WriteNotes(root.path(), UiFixture::ThreeNotes());
        ScriptedPrompt prompt;
        QuorvelProgram::Options options = ProgramOptions(root.path(), &prompt, name);
        options.fileName = root.filePath(QStringLiteral("private archive.qvx"));
        QuorvelProgram program(options);
        // Before the check the second copy sent the archive's path and, told "handed
        // over", ended: the program could not start while the squat lasted.
        QVERIFY(program.Start());
        QVERIFY(program.Frame()->isVisible());
        QCOMPARE(squatter.Finish(), QByteArray("LCB0;"));
        QCOMPARE(program.ImportedFiles(), QStringList {options.fileName});

        // The program took the name over: the next copy of this user finds it.
        std::atomic<int> result {-1};
        std::thread second([&] { result = SingleInstanceGuard(name).HandOver(QByteArray()) ? 1 : 0; });
        QTRY_COMPARE(result.load(), 1);
        second.join();
    }

    void runningCopyIgnoresAnotherUsersMessages()
    {
        if (!OtherUserProcess::Possible())
            QSKIP("needs the super-user to run a process as another user");
        SharedFolder shared;
        const QString name = shared.Socket("ZolQuorvelOpen");
        SingleInstanceGuard running(name);
        QVERIFY(running.Listen());
        QFile::setPermissions(name, QFileDevice::Permissions(0x7777)); // let the other user connect
        QSignalSpy handed(&running, &SingleInstanceGuard::HandedOver);
        QSignalSpy other(&running, &SingleInstanceGuard::CopyData);

        OtherUserProcess intruder;
        const std::string path = QFile::encodeName(name).toStdString();
        QVERIFY(intruder.Start(
            [path](int report) { OtherUserProcess::SendHandOver(path, "/tmp/planted.qvx", report); }));
        // Events are served while the intruder waits for an answer that must not come.
        QTRY_VERIFY_WITH_TIMEOUT(intruder.Report(10).contains(';'), 5000);
        QCOMPARE(intruder.Finish(), QByteArray("SA0;"));
        QCOMPARE(handed.count(), 0);
        QCOMPARE(other.count(), 0);
    }

    void anotherUsersListenerIsNoAgent()
    {
        if (!OtherUserProcess::Possible())
            QSKIP("needs the super-user to run a process as another user");
        SharedFolder shared;
        const QString name = shared.Socket("QuorvelAgentSquat");
        OtherUserProcess squatter;
        const std::string path = QFile::encodeName(name).toStdString();
        QVERIFY(squatter.Start([path](int report) { OtherUserProcess::Squat(path, 5000, report); }));
        QVERIFY(squatter.WaitFor('L'));
        QVERIFY(!AgentLink::FindAgent(name));
        QVERIFY(!AgentLink::TellAgent(AgentLink::CloseMessage(), name));
        const QByteArray report = squatter.Finish();
        QVERIFY2(!report.contains("B") || report.contains("B0;"), report.constData());
    }
};

QTEST_MAIN(SocketSquatTest)
#include "SocketSquatTest.moc"
