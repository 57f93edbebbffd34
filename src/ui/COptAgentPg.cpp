#include "ui/COptAgentPg.h"

#include "store/Settings.h"
#include "ui/CHotKeyCtrl.h"
#include "ui/OptionCheckBox.h"
#include "ui/agent/AgentSettings.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

int Ticked(bool on)
{
    return on ? Settings::TrueNumber : 0;
}

} // namespace

COptAgentPg::COptAgentPg(const OptionsContext& context, QWidget* parent)
    : QWidget(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("agentPage"));
    setAccessibleName(QStringLiteral("< Agent >"));
    auto* launch = new QPushButton(QStringLiteral("Launch Quorvel Agent"), this);
    launch->setObjectName(QStringLiteral("launchAgent"));
    launch->setAccessibleName(launch->text());
    launch->setToolTip(QStringLiteral("Start the agent unless it is running"));
    connect(launch, &QPushButton::clicked, this, [this] {
        if (m_context.startAgent)
            m_context.startAgent();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(launch);
    layout->addWidget(BuildHotKeys());
    layout->addWidget(BuildAgentSettings());
    layout->addStretch(1);
}

QCheckBox* COptAgentPg::Check(const QString& text, const QString& tip, const char* name, bool on)
{
    return MakeOptionCheckBox(this, text, tip, name, on);
}

QWidget* COptAgentPg::BuildHotKeys()
{
    auto* group = new QGroupBox(QStringLiteral("Hot Key Settings"), this);
    group->setAccessibleName(group->title());
    auto* hint = new QLabel(QStringLiteral("Change the Hot Keys assinged to Quorvel Agent"), group);
    auto* label = new QLabel(QStringLiteral("Hot Keys:"), group);
    m_hotKey = new CHotKeyCtrl(group);
    m_hotKey->setObjectName(QStringLiteral("hotKey"));
    m_hotKey->setAccessibleName(QStringLiteral("Hot Keys:"));
    m_hotKey->setToolTip(QStringLiteral("Press the keys that make a note from selected text"));
    m_hotKey->SetHotKey(quint32(m_context.Number(QStringLiteral("Hotkey"), 0)),
                        quint32(m_context.Number(QStringLiteral("HotkeyMod"), 0)));
    label->setBuddy(m_hotKey);
    auto* set = new QPushButton(QStringLiteral("Set Hot Keys"), group);
    set->setObjectName(QStringLiteral("setHotKeys"));
    set->setAccessibleName(set->text());
    set->setToolTip(QStringLiteral("Store the hot keys and tell the agent"));
    connect(set, &QPushButton::clicked, this, &COptAgentPg::SetHotKeys);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(hint);
    layout->addWidget(label);
    layout->addWidget(m_hotKey);
    layout->addWidget(set);
    if (m_context.hotKeysUnavailable)
        layout->addWidget(BuildShortcutNote(group));
    return group;
}

QWidget* COptAgentPg::BuildShortcutNote(QWidget* parent)
{
    auto* note = new QWidget(parent);
    m_hotKeyNote = new QLabel(QStringLiteral("This desktop (Wayland) lets no program take a key for itself, "
                                             "so the hot keys above do nothing here. Bind this command to a "
                                             "key in the desktop's keyboard shortcut settings instead:"),
                              note);
    m_hotKeyNote->setObjectName(QStringLiteral("hotKeyNote"));
    m_hotKeyNote->setWordWrap(true);
    m_hotKeyNote->setAccessibleName(m_hotKeyNote->text());
    m_captureCommand = new QLineEdit(AgentSettings::CaptureCommand(m_context.agentPath), note);
    m_captureCommand->setObjectName(QStringLiteral("captureCommand"));
    m_captureCommand->setReadOnly(true);
    m_captureCommand->setAccessibleName(QStringLiteral("Command for a desktop shortcut"));
    m_captureCommand->setToolTip(
        QStringLiteral("Run by a desktop shortcut, it makes a note from the selected text"));
    auto* copy = new QPushButton(QStringLiteral("Copy"), note);
    copy->setObjectName(QStringLiteral("copyCaptureCommand"));
    copy->setAccessibleName(QStringLiteral("Copy the command"));
    copy->setToolTip(QStringLiteral("Put the command on the clipboard"));
    connect(copy, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(m_captureCommand->text()); });
    // The command has a line of its own: a program folder's path can be long.
    m_captureCommand->setCursorPosition(0);
    m_captureCommand->setMinimumWidth(
        m_captureCommand->fontMetrics().horizontalAdvance(m_captureCommand->text()) + 12);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(copy);
    auto* layout = new QVBoxLayout(note);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_hotKeyNote);
    layout->addWidget(m_captureCommand);
    layout->addLayout(row);
    return note;
}

QWidget* COptAgentPg::BuildAgentSettings()
{
    auto* group = new QGroupBox(QStringLiteral("Agent Settings"), this);
    group->setAccessibleName(group->title());
    const auto stored = [this](const char* name) {
        return m_context.Number(QLatin1String(name), 0) == Settings::TrueNumber;
    };
    // A fresh install has no "TrayIcon" and the agent shows its icon: so does the box.
    m_tray = Check(QStringLiteral("Display icon in task bar"), QStringLiteral("The agent shows an icon"),
                   "trayIcon",
                   m_context.Number(QStringLiteral("TrayIcon"), AgentSettings::kTrayIconByDefault)
                       == Settings::TrueNumber);
    m_startup
        = Check(QStringLiteral("Run Agent when Windows starts"),
                QStringLiteral("The agent starts when you log in"), "startupAgent", stored("StartupAgent"));
    m_runAgent = Check(QStringLiteral("Run Agent only when Quorvel runs"),
                       QStringLiteral("The agent starts and ends with this program"), "runAgent",
                       m_context.settings->RunAgent == Settings::TrueNumber);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(m_tray);
    layout->addWidget(m_startup);
    layout->addWidget(m_runAgent);
    connect(m_tray, &QCheckBox::clicked, this, [this](bool on) {
        m_context.SetNumber(QStringLiteral("TrayIcon"), Ticked(on));
        m_context.AgentSettingsChanged();
    });
    connect(m_startup, &QCheckBox::clicked, this, &COptAgentPg::StartupChanged);
    connect(m_runAgent, &QCheckBox::clicked, this, &COptAgentPg::RunAgentChanged);
    return group;
}

void COptAgentPg::SetStartup(bool on)
{
    m_context.SetNumber(QStringLiteral("StartupAgent"), Ticked(on));
    // The log-in entry follows the box at once; a running agent need not be there to write it.
    m_context.SetRunAtLogin(on);
}

void COptAgentPg::StartupChanged(bool on)
{
    SetStartup(on);
    if (on && m_runAgent->isChecked()) {
        m_runAgent->setChecked(false);
        m_context.settings->RunAgent = 0;
        m_context.Report(m_context.settings->SaveRunAgent(*m_context.backend));
    }
    m_context.AgentSettingsChanged();
}

void COptAgentPg::RunAgentChanged(bool on)
{
    m_context.settings->RunAgent = Ticked(on);
    m_context.Report(m_context.settings->SaveRunAgent(*m_context.backend));
    if (on) {
        m_startup->setChecked(false);
        SetStartup(false);
    }
    // Ticked, the agent is to run with the program: this starts it.
    m_context.AgentSettingsChanged();
}

void COptAgentPg::SetHotKeys()
{
    m_context.SetNumber(QStringLiteral("Hotkey"), int(m_hotKey->KeyCode()));
    m_context.SetNumber(QStringLiteral("HotkeyMod"), int(m_hotKey->ModifierFlags()));
    m_context.AgentSettingsChanged();
}
