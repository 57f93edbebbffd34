#pragma once

#include <QObject>
#include <QStringList>
#include <memory>

class AgentHotKey;
class QAction;
class QMenu;
class QSystemTrayIcon;
class SingleInstanceGuard;

// The capture agent running in the background: a tray icon with its menu (a note from
// the selection, open Quorvel, run at log-in, quit), listening for the program's
// messages: "ZOLAGENTCHECKSETTINGS" re-reads the settings, "ZOLAGENTCLOSE" quits.
//
// Settings, in the program's settings file, group "Options": "TrayIcon" (2112 or unset:
// the icon shows), "StartupAgent" (2112: the agent runs at log-in), "Hotkey" and
// "HotkeyMod" (the global hot key on X11; none while "Hotkey" is 0).
class CAgentTray : public QObject
{
    Q_OBJECT
public:
    struct Options
    {
        QString settingsFile; // the program's INI file
        QString serverName; // where the agent listens; empty: the per-user name
        QString programServerName; // where the program listens; empty: the per-user name
        QString programPath; // the program started when none runs
        QStringList programArguments; // given to it before the request
        QString agentPath; // what the autostart entry starts
    };

    explicit CAgentTray(Options options, QObject* parent = nullptr);
    ~CAgentTray() override;

    // Starts listening; false when another agent runs already.
    bool Start();
    void ReloadSettings();
    // "New Note From Selection": the selected text to the clipboard, then the request.
    bool CaptureSelection();
    void OpenProgram();
    void SetRunAtLogin(bool on);

    QMenu* Menu() const { return m_menu.get(); }
    QSystemTrayIcon* Tray() const { return m_tray; }
    bool TrayShown() const { return m_trayShown; }
    // Whether the X server holds the hot key for the agent.
    bool HotKeyGrabbed() const { return m_hotKeyGrabbed; }

signals:
    void QuitRequested();

private:
    void CreateMenu();
    void OnMessage(quint32 tag, const QByteArray& data);
    qint32 ReadSetting(const QString& name, qint32 fallback) const;
    void WriteSetting(const QString& name, qint32 value);

    Options m_options;
    std::unique_ptr<SingleInstanceGuard> m_guard;
    std::unique_ptr<QMenu> m_menu;
    QSystemTrayIcon* m_tray = nullptr;
    QAction* m_runAtLogin = nullptr;
    bool m_trayShown = false;
    AgentHotKey* m_hotKey = nullptr;
    bool m_hotKeyGrabbed = false;
};
