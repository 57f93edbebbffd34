#pragma once

#include "ui/OptionsContext.h"

#include <QKeySequence>
#include <QWidget>

class QCheckBox;
class QKeySequenceEdit;

// "< Agent >": starting the agent, its hot key and how it runs. Every change is stored
// at once and a running agent is told to read its settings again.
class COptAgentPg : public QWidget
{
    Q_OBJECT
public:
    COptAgentPg(const OptionsContext& context, QWidget* parent = nullptr);

    // The stored hot key: the key's code ("Hotkey") and the modifiers in the system's
    // flags ("HotkeyMod": Alt 1, Control 2, Shift 4). Keys without a code give 0.
    static int KeyCode(const QKeySequence& sequence);
    static int ModifierFlags(const QKeySequence& sequence);
    static QKeySequence Sequence(int keyCode, int modifierFlags);

    QKeySequenceEdit* HotKey() const { return m_hotKey; }
    QCheckBox* TrayIcon() const { return m_tray; }
    QCheckBox* StartupAgent() const { return m_startup; }
    QCheckBox* RunAgent() const { return m_runAgent; }
    void SetHotKeys();

private:
    QWidget* BuildHotKeys();
    QWidget* BuildAgentSettings();
    QCheckBox* Check(const QString& text, const QString& tip, const char* name, bool on);
    void StartupChanged(bool on);
    void RunAgentChanged(bool on);

    const OptionsContext& m_context;
    QKeySequenceEdit* m_hotKey = nullptr;
    QCheckBox* m_tray = nullptr;
    QCheckBox* m_startup = nullptr;
    QCheckBox* m_runAgent = nullptr;
};
