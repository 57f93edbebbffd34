#include "UiFixture.h"
#include "ui/CMainFrame.h"
#include "ui/QuorvelProgram.h"
#include "ui/SingleInstanceGuard.h"

#include <QSignalSpy>
#include <QTest>
#include <QUuid>
#include <atomic>
#include <thread>

namespace {

QString UniqueName()
{
    return QStringLiteral("ZolQuorvelTest") + QUuid::createUuid().toString(QUuid::Id128);
}

// The second copy runs in its own thread: the hand-over waits for the answer, which the
// first copy gives from its event loop.
struct SecondCopy
{
    std::atomic<int> result {-1};
    std::thread thread;

    SecondCopy(const QString& name, const QByteArray& data, quint32 tag = SingleInstanceGuard::HandOverTag)
        : thread([this, name, data, tag] { result = SingleInstanceGuard(name).HandOver(data, tag) ? 1 : 0; })
    {
    }
    ~SecondCopy() { thread.join(); }
};

} // namespace

using namespace Qt::Literals::StringLiterals;

class SingleInstanceTest : public QObject
{
    Q_OBJECT

private slots:
    void noRunningCopyRefusesTheHandOver()
    {
        SingleInstanceGuard guard(UniqueName());
        QVERIFY(!guard.HandOver("file.qvx", SingleInstanceGuard::HandOverTag, 200));
    }

    void runningCopyTakesTheFile()
    {
        const QString name = UniqueName();
        SingleInstanceGuard first(name);
        QVERIFY(first.Listen());
        QSignalSpy handed(&first, &SingleInstanceGuard::HandedOver);
        QSignalSpy other(&first, &SingleInstanceGuard::CopyData);
        {
            SecondCopy second(name, "/home/user/Notes Export.qvx");
            QTRY_COMPARE(handed.count(), 1);
            QTRY_COMPARE(second.result.load(), 1);
        }
        QCOMPARE(handed.first().first().toString(), QStringLiteral("/home/user/Notes Export.qvx"));

        // No file: an empty text, the running copy only comes to the front.
        {
            SecondCopy second(name, QByteArray());
            QTRY_COMPARE(handed.count(), 2);
            QTRY_COMPARE(second.result.load(), 1);
        }
        QCOMPARE(handed.last().first().toString(), QString());

        // Other tags go to the main window, not to the file handler.
        {
            SecondCopy second(name, "ZOLCLOSEQUORVEL", 7);
            QTRY_COMPARE(other.count(), 1);
            QTRY_COMPARE(second.result.load(), 1);
        }
        QCOMPARE(other.first().at(0).toUInt(), 7u);
        QCOMPARE(other.first().at(1).toByteArray(), QByteArray("ZOLCLOSEQUORVEL"));
        QCOMPARE(handed.count(), 2);
    }

    void longNamesAreCutAt1023Bytes()
    {
        const QString name = UniqueName();
        SingleInstanceGuard first(name);
        QVERIFY(first.Listen());
        QSignalSpy handed(&first, &SingleInstanceGuard::HandedOver);
        SecondCopy second(name, QByteArray(1500, 'a'));
        QTRY_COMPARE(handed.count(), 1);
        QCOMPARE(handed.first().first().toString().size(), 1023);
    }

    void programImportsAHandedOverFile()
    {
        QTemporaryDir root;
        UiFixture::WriteNotes(root.path(), UiFixture::ThreeNotes());
        ScriptedPrompt prompt;
        QuorvelProgram::Options options;
        options.dataRoot = root.path();
        options.serverName = UniqueName();
        options.prompt = &prompt;
        QuorvelProgram program(options);
        QVERIFY(program.Start());
        QVERIFY(program.Frame()->isVisible());
        QVERIFY(program.ImportedFiles().isEmpty());

        const QString file = root.filePath(QStringLiteral("incoming.qvx"));
        SecondCopy second(options.serverName, file.toUtf8());
        QTRY_COMPARE(program.ImportedFiles(), QStringList({file}));
        QTRY_COMPARE(second.result.load(), 1);
    }

    void fileGivenAtStartIsImportedAfterTheLastList()
    {
        QTemporaryDir root;
        UiFixture::WriteNotes(root.path(), UiFixture::ThreeNotes());
        ScriptedPrompt prompt;
        QuorvelProgram::Options options;
        options.dataRoot = root.path();
        options.serverName = UniqueName();
        options.prompt = &prompt;
        options.fileName = root.filePath(QStringLiteral("start.qvx"));
        QuorvelProgram program(options);
        QVERIFY(program.Start());
        QCOMPARE(program.ImportedFiles(), QStringList({options.fileName}));
    }
};

QTEST_MAIN(SingleInstanceTest)
#include "SingleInstanceTest.moc"
