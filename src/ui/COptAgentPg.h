#pragma once

#include "ui/OptionsContext.h"

#include <QWidget>

class CHotKeyCtrl;
class QCheckBox;
class QLabel;
class QLineEdit;

// "< Agent >": starting the agent, its hot key and how it runs. Every change is stored
// at once and a running agent is told to read its settings again. Where the desktop lets
// no program take a key (Wayland) the page says so and offers the command to bind to a
// desktop shortcut instead.
class COptAgentPg : public QWidget
{
    Q_OBJECT
public:
    COptAgentPg(const OptionsContext& context, QWidget* parent = nullptr);

    CHotKeyCtrl* HotKey() const { return m_hotKey; }
    QCheckBox* TrayIcon() const { return m_tray; }
    QCheckBox* StartupAgent() const { return m_startup; }
    QCheckBox* RunAgent() const { return m_runAgent; }
    // The note and the command shown where hot keys do nothing; null elsewhere.
    QLabel* HotKeyNote() const { return m_hotKeyNote; }
    QLineEdit* CaptureCommand() const { return m_captureCommand; }
    // "Set Hot Keys": stores the key and its modifiers and tells the agent.
    void SetHotKeys();

private:
    QWidget* BuildHotKeys();
    QWidget* BuildShortcutNote(QWidget* parent);
    QWidget* BuildAgentSettings();
    QCheckBox* Check(const QString& text, const QString& tip, const char* name, bool on);
    void StartupChanged(bool on);
    void RunAgentChanged(bool on);
    void SetStartup(bool on);

    const OptionsContext& m_context;
    CHotKeyCtrl* m_hotKey = nullptr;
    QLabel* m_hotKeyNote = nullptr;
    QLineEdit* m_captureCommand = nullptr;
    QCheckBox* m_tray = nullptr;
    QCheckBox* m_startup = nullptr;
    QCheckBox* m_runAgent = nullptr;
};
