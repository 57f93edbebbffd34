// The link with the capture agent, with the other side in another thread as another
// process would be: the close message at exit, and the agent's request for a note from
// the clipboard, while the editor is open and during start-up.
#include "ui/AgentLink.h"

#include "UiFixture.h"
#include "editor/CEditNoteDlg.h"
#include "editor/CNoteEditCtrl.h"
#include "ui/CMainFrame.h"
#include "ui/QuorvelProgram.h"
#include "ui/SingleInstanceGuard.h"

#include <QApplication>
#include <QClipboard>
#include <QMutex>
#include <QSettings>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QUuid>
#include <atomic>
#include <thread>

namespace {

QString UniqueName(const QString& prefix)
{
    return prefix + QUuid::createUuid().toString(QUuid::Id128);
}

// An agent listening in a thread of its own, recording what it is told.
class FakeAgent
{
public:
    explicit FakeAgent(const QString& name)
    {
        m_context.moveToThread(&m_thread);
        m_thread.start();
        QMetaObject::invokeMethod(
            &m_context,
            [this, name] {
                m_guard = new SingleInstanceGuard(name);
                m_guard->Listen();
                QObject::connect(m_guard, &SingleInstanceGuard::CopyData, m_guard,
                                 [this](quint32 tag, const QByteArray& data) {
                                     QMutexLocker lock(&m_mutex);
                                     m_received.append(QString::number(tag) + QLatin1Char(':')
                                                       + QString::fromUtf8(data));
                                 });
            },
            Qt::BlockingQueuedConnection);
    }
    ~FakeAgent()
    {
        QMetaObject::invokeMethod(
            &m_context, [this] { delete m_guard; }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }
    QStringList Received()
    {
        QMutexLocker lock(&m_mutex);
        return m_received;
    }

private:
    QThread m_thread;
    QObject m_context;
    SingleInstanceGuard* m_guard = nullptr;
    QMutex m_mutex;
    QStringList m_received;
};

// The agent's request from another thread: the hand-over waits for the program's answer.
struct Request
{
    std::atomic<int> result {-1};
    std::thread thread;
    Request(const QString& name, const QByteArray& data, quint32 tag)
        : thread([this, name, data, tag] { result = SingleInstanceGuard(name).HandOver(data, tag) ? 1 : 0; })
    {
    }
    ~Request() { thread.join(); }
};

QList<CEditNoteDlg*> OpenEditors()
{
    QList<CEditNoteDlg*> editors;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* editor = qobject_cast<CEditNoteDlg*>(widget); editor && editor->isVisible())
            editors.append(editor);
    }
    return editors;
}

} // namespace

class AgentLinkTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_root;
    ScriptedPrompt m_prompt;

    QuorvelProgram::Options Options(const QString& agentName, qint32 runAgent)
    {
        m_root = std::make_unique<QTemporaryDir>();
        UiFixture::WriteNotes(m_root->path(), UiFixture::ThreeNotes());
        {
            QSettings ini(m_root->filePath(QStringLiteral("Quorvel.ini")), QSettings::IniFormat);
            ini.setValue(QStringLiteral("Options/RunAgent"), runAgent);
        }
        QuorvelProgram::Options options;
        options.dataRoot = m_root->path();
        options.serverName = UniqueName(QStringLiteral("ZolQuorvelTest"));
        options.agentServerName = agentName;
        options.prompt = &m_prompt;
        return options;
    }

private slots:
    void tellAgentReachesOnlyARunningAgent()
    {
        const QString name = UniqueName(QStringLiteral("QuorvelAgentTest"));
        QVERIFY(!AgentLink::FindAgent(name));
        QVERIFY(!AgentLink::TellAgent(AgentLink::CheckSettingsMessage(), name));
        FakeAgent agent(name);
        QVERIFY(AgentLink::FindAgent(name));
        QVERIFY(AgentLink::TellAgent(AgentLink::CheckSettingsMessage(), name));
        QTRY_COMPARE(agent.Received(), QStringList({QStringLiteral("0:ZOLAGENTCHECKSETTINGS")}));
    }

    void settingsChangeStartsTheAgentOnlyWhenItRunsWithTheProgram()
    {
        int starts = 0;
        QStringList told;
        const auto start = [&starts] { ++starts; };
        const auto tell = [&told](const QString& text) { told << text; };
        AgentLink::AgentSettingsChanged(0, start, tell);
        QCOMPARE(starts, 0);
        AgentLink::AgentSettingsChanged(2112, start, tell);
        QCOMPARE(starts, 1);
        // Told after either change, so that a running agent reads the new settings.
        QCOMPARE(told, QStringList(2, QStringLiteral("ZOLAGENTCHECKSETTINGS")));
    }

    void exitClosesTheAgentOnlyWhenItRunsWithTheProgram()
    {
        const QString name = UniqueName(QStringLiteral("QuorvelAgentTest"));
        FakeAgent agent(name);
        {
            QuorvelProgram program(Options(name, 0));
            QVERIFY(program.Start());
            program.Frame()->close();
        }
        QVERIFY(agent.Received().isEmpty());
        {
            QuorvelProgram program(Options(name, 2112));
            QVERIFY(program.Start());
            program.Frame()->close();
        }
        QTRY_COMPARE(agent.Received(), QStringList({QStringLiteral("0:ZOLAGENTCLOSE")}));
    }

    void requestWhileEditingPastesIntoThatEditor()
    {
        QuorvelProgram::Options options = Options(UniqueName(QStringLiteral("QuorvelAgentTest")), 0);
        QuorvelProgram program(options);
        QVERIFY(program.Start());
        QApplication::clipboard()->setText(QStringLiteral("captured words"));
        int editorsSeen = -1;
        QString text;
        QTimer::singleShot(50, [&] {
            CEditNoteDlg* editor = OpenEditors().value(0);
            QVERIFY(editor);
            QTest::keyClicks(editor->TextControl(), QStringLiteral("Typed "));
            Request request(options.serverName, AgentLink::SelectedTextRequest().toUtf8(), 100);
            QTRY_COMPARE(request.result.load(), 1);
            QTest::qWait(100); // the second editor timer 105 would have opened by now
            editorsSeen = int(OpenEditors().size());
            text = editor->TextControl()->PlainText();
            editor->Save();
        });
        program.Frame()->AddNote();
        QCOMPARE(editorsSeen, 1);
        QCOMPARE(text, QStringLiteral("Typed captured words"));
        QTest::qWait(100);
        QVERIFY(OpenEditors().isEmpty());
    }

    void requestDuringStartUpWaitsForTheLastList()
    {
        QuorvelProgram::Options options = Options(UniqueName(QStringLiteral("QuorvelAgentTest")), 0);
        options.fileName = AgentLink::SelectedTextRequest();
        QApplication::clipboard()->setText(QStringLiteral("from another window"));
        QuorvelProgram program(options);
        QString text;
        bool listShown = false;
        auto* timer = new QTimer(this);
        timer->setInterval(10);
        connect(timer, &QTimer::timeout, this, [&] {
            CEditNoteDlg* editor = OpenEditors().value(0);
            if (!editor)
                return;
            timer->stop();
            listShown = !program.App()->IsStartingUp();
            text = editor->TextControl()->PlainText();
            editor->Save();
        });
        timer->start();
        QVERIFY(program.Start());
        QTRY_VERIFY(!text.isEmpty());
        QVERIFY(listShown);
        QCOMPARE(text, QStringLiteral("from another window"));
        QVERIFY(program.ImportedFiles().isEmpty());
        delete timer;
    }
};

QTEST_MAIN(AgentLinkTest)
#include "AgentLinkTest.moc"
