// The desktop program and a command line run on one data folder: the program holds the
// folder while it runs, and at start-up waits for a command that holds it.

#include "UiFixture.h"
#include "store/DataFolderLock.h"
#include "ui/CMainFrame.h"
#include "ui/QuorvelProgram.h"

#include <QTest>
#include <QUuid>
#include <thread>

namespace {

QuorvelProgram::Options ProgramOn(const QString& root, ScriptedPrompt* prompt, int waitMs)
{
    QuorvelProgram::Options options;
    options.dataRoot = root;
    options.serverName = QStringLiteral("ZolQuorvelTest") + QUuid::createUuid().toString(QUuid::Id128);
    options.prompt = prompt;
    options.lockWaitMs = waitMs;
    return options;
}

} // namespace

class DataFolderInUseTest : public QObject
{
    Q_OBJECT

private slots:
    void programHoldsTheFolderWhileItRuns()
    {
        QTemporaryDir root;
        UiFixture::WriteNotes(root.path(), UiFixture::ThreeNotes());
        ScriptedPrompt prompt;
        DataFolderLock other(root.path());
        {
            QuorvelProgram program(ProgramOn(root.path(), &prompt, 1000));
            QVERIFY(program.Start());
            QCOMPARE(other.TryLock(), DataFolderLock::Outcome::InUse);
            QCOMPARE(other.HolderProcess(), QCoreApplication::applicationPid());
        }
        QCOMPARE(other.TryLock(), DataFolderLock::Outcome::Held);
    }

    void programSaysSoAndEndsWhenTheFolderStaysInUse()
    {
        QTemporaryDir root;
        UiFixture::WriteNotes(root.path(), UiFixture::ThreeNotes());
        DataFolderLock command(root.path());
        QCOMPARE(command.TryLock(), DataFolderLock::Outcome::Held);
        ScriptedPrompt prompt;
        QuorvelProgram program(ProgramOn(root.path(), &prompt, 300));
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!program.Start());
        QVERIFY(timer.elapsed() >= 300);
        QCOMPARE(prompt.History().size(), 1);
        QCOMPARE(prompt.LastText(),
                 QStringLiteral("The data folder is in use by another Quorvel program (process %1).")
                     .arg(QCoreApplication::applicationPid()));
        QCOMPARE(prompt.History().first().icon, UserPrompt::Icon::Warning);
        // Nothing was started: no window, no settings read or written.
        QVERIFY(program.Frame() == nullptr);
        QVERIFY(program.App() == nullptr);
        QVERIFY(!QFile::exists(root.filePath(QStringLiteral("Quorvel.ini"))));
        // The waiting window is gone.
        for (QWidget* widget : QApplication::topLevelWidgets())
            QVERIFY(!widget->isVisible());
    }

    void programStartsWhenTheCommandEndsInTime()
    {
        QTemporaryDir root;
        UiFixture::WriteNotes(root.path(), UiFixture::ThreeNotes());
        DataFolderLock command(root.path());
        QCOMPARE(command.TryLock(), DataFolderLock::Outcome::Held);
        std::thread finish([&command] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            command.Unlock();
        });
        ScriptedPrompt prompt;
        QuorvelProgram program(ProgramOn(root.path(), &prompt, 60000));
        const bool started = program.Start();
        finish.join();
        QVERIFY(started);
        QVERIFY(prompt.History().isEmpty());
        QVERIFY(program.Frame()->isVisible());
        QCOMPARE(command.TryLock(), DataFolderLock::Outcome::InUse);
    }
};

QTEST_MAIN(DataFolderInUseTest)
#include "DataFolderInUseTest.moc"
