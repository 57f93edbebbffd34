// The capture agent's side: its log-in entry, and the program's messages re-reading its
// settings and closing it, sent from another thread as the program would send them.
#include "ui/AgentLink.h"
#include "ui/agent/AgentAutostart.h"
#include "ui/agent/AgentHotKey.h"
#include "ui/agent/CAgentTray.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>
#include <atomic>
#include <thread>

namespace {

// The program telling the agent something: the sender waits for the agent's answer.
struct Tell
{
    std::atomic<int> result {-1};
    std::thread thread;
    Tell(const QString& name, const QString& text)
        : thread([this, name, text] { result = AgentLink::TellAgent(text, name) ? 1 : 0; })
    {
    }
    ~Tell() { thread.join(); }
};

} // namespace

class AgentTrayTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    CAgentTray::Options Options()
    {
        CAgentTray::Options options;
        options.settingsFile = m_dir.filePath(QStringLiteral("Quorvel.ini"));
        options.serverName = QStringLiteral("QuorvelAgentTest") + QUuid::createUuid().toString(QUuid::Id128);
        options.programServerName
            = QStringLiteral("ZolQuorvelTest") + QUuid::createUuid().toString(QUuid::Id128);
        options.agentPath = QStringLiteral("/opt/Quorvel Tools/QVAgent");
        return options;
    }

    void SetOption(const QString& name, int value)
    {
        QSettings ini(m_dir.filePath(QStringLiteral("Quorvel.ini")), QSettings::IniFormat);
        ini.setValue(QStringLiteral("Options/") + name, value);
    }

private slots:
    void initTestCase() { qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toUtf8()); }

    void autostartEntryStartsTheAgent()
    {
        const QString text = AgentAutostart::EntryText(QStringLiteral("/opt/Quorvel Tools/QVAgent"));
        QVERIFY(text.startsWith(QLatin1String("[Desktop Entry]\n")));
        QVERIFY(text.contains(QLatin1String("\nType=Application\n")));
        QVERIFY(text.contains(QLatin1String("\nExec=\"/opt/Quorvel Tools/QVAgent\"\n")));
        QCOMPARE(AgentAutostart::EntryPath(),
                 m_dir.filePath(QStringLiteral("config/autostart/QVAgent.desktop")));
        QVERIFY(AgentAutostart::SetRunAtLogin(true, QStringLiteral("/usr/bin/QVAgent")));
        QVERIFY(AgentAutostart::RunsAtLogin());
        QVERIFY(AgentAutostart::SetRunAtLogin(false, QStringLiteral("/usr/bin/QVAgent")));
        QVERIFY(!AgentAutostart::RunsAtLogin());
        QVERIFY(
            AgentAutostart::SetRunAtLogin(false, QStringLiteral("/usr/bin/QVAgent"))); // nothing to remove
    }

    void secondAgentDoesNotStart()
    {
        const CAgentTray::Options options = Options();
        CAgentTray first(options);
        QVERIFY(first.Start());
        CAgentTray second(options);
        QVERIFY(!second.Start());
    }

    void checkSettingsMessageRereadsTheSettings()
    {
        SetOption(QStringLiteral("StartupAgent"), 0);
        SetOption(QStringLiteral("TrayIcon"), 2112);
        const CAgentTray::Options options = Options();
        CAgentTray agent(options);
        QVERIFY(agent.Start());
        QVERIFY(agent.TrayShown());
        QVERIFY(!AgentAutostart::RunsAtLogin());

        // The options page stored new values and tells the agent.
        SetOption(QStringLiteral("StartupAgent"), 2112);
        SetOption(QStringLiteral("TrayIcon"), 0);
        {
            Tell tell(options.serverName, AgentLink::CheckSettingsMessage());
            QTRY_COMPARE(tell.result.load(), 1);
        }
        QVERIFY(!agent.TrayShown());
        QVERIFY(AgentAutostart::RunsAtLogin());
        QFile entry(AgentAutostart::EntryPath());
        QVERIFY(entry.open(QIODevice::ReadOnly));
        QVERIFY(entry.readAll().contains("Exec=\"/opt/Quorvel Tools/QVAgent\""));

        // Unticking "Run Agent at log-in" in the agent's own menu stores 0 and removes it.
        QAction* atLogin = agent.Menu()->findChild<QAction*>(QStringLiteral("actionRunAtLogin"));
        QVERIFY(atLogin && atLogin->isChecked());
        atLogin->setChecked(false);
        QVERIFY(!AgentAutostart::RunsAtLogin());
        QSettings ini(options.settingsFile, QSettings::IniFormat);
        QCOMPARE(ini.value(QStringLiteral("Options/StartupAgent")).toInt(), 0);
    }

    void closeMessageQuitsAndOthersDoNot()
    {
        const CAgentTray::Options options = Options();
        CAgentTray agent(options);
        QVERIFY(agent.Start());
        QSignalSpy quit(&agent, &CAgentTray::QuitRequested);
        {
            Tell tell(options.serverName, QStringLiteral("something else"));
            QTRY_COMPARE(tell.result.load(), 1);
        }
        QCOMPARE(quit.count(), 0);
        {
            Tell tell(options.serverName, AgentLink::CloseMessage());
            QTRY_COMPARE(tell.result.load(), 1);
        }
        QCOMPARE(quit.count(), 1);
    }

    void storedHotKeyBecomesTheXKey()
    {
        // Control+Shift+N is stored as 'N' with Control 2 + Shift 4.
        QCOMPARE(AgentHotKey::KeySym('N'), quint32(0x6E)); // the symbol "n"
        QCOMPARE(AgentHotKey::ModifierMask(6), quint16(4 | 1)); // Control and Shift masks
        QCOMPARE(AgentHotKey::ModifierMask(1), quint16(8)); // Alt is the first modifier
        QCOMPARE(AgentHotKey::KeySym('7'), quint32(0x37));
        QCOMPARE(AgentHotKey::KeySym(0x70), quint32(0xFFBE)); // F1
        QCOMPARE(AgentHotKey::KeySym(0x7B), quint32(0xFFC9)); // F12
        QCOMPARE(AgentHotKey::KeySym(0x20), quint32(0x20)); // Space
        QCOMPARE(AgentHotKey::KeySym(0x14), quint32(0)); // Caps Lock is no hot key
        // Without an X server nothing is grabbed.
        AgentHotKey key;
        QVERIFY(!key.Grab('N', 6));
    }

    void menuOffersTheFourEntries()
    {
        CAgentTray agent(Options());
        QStringList texts;
        for (QAction* action : agent.Menu()->actions()) {
            if (!action->isSeparator())
                texts.append(action->text());
        }
        QCOMPARE(texts,
                 QStringList({QStringLiteral("New Note From Selection"), QStringLiteral("Open Quorvel"),
                              QStringLiteral("Settings"), QStringLiteral("Quit")}));
    }
};

QTEST_MAIN(AgentTrayTest)
#include "AgentTrayTest.moc"
