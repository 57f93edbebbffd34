#include "ui/COptAgentPg.h"

#include "store/Settings.h"
#include "ui/OptionCheckBox.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kAltFlag = 1;
constexpr int kControlFlag = 2;
constexpr int kShiftFlag = 4;
constexpr int kFirstFunctionKey = 0x70;

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
    m_hotKey = new QKeySequenceEdit(group);
    m_hotKey->setObjectName(QStringLiteral("hotKey"));
    m_hotKey->setAccessibleName(QStringLiteral("Hot Keys:"));
    m_hotKey->setToolTip(QStringLiteral("Press the keys that make a note from selected text"));
    m_hotKey->setKeySequence(Sequence(m_context.Number(QStringLiteral("Hotkey"), 0),
                                      m_context.Number(QStringLiteral("HotkeyMod"), 0)));
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
    return group;
}

QWidget* COptAgentPg::BuildAgentSettings()
{
    auto* group = new QGroupBox(QStringLiteral("Agent Settings"), this);
    group->setAccessibleName(group->title());
    const auto stored = [this](const char* name) {
        return m_context.Number(QLatin1String(name), 0) == Settings::TrueNumber;
    };
    m_tray = Check(QStringLiteral("Display icon in task bar"), QStringLiteral("The agent shows an icon"),
                   "trayIcon", stored("TrayIcon"));
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

void COptAgentPg::StartupChanged(bool on)
{
    m_context.SetNumber(QStringLiteral("StartupAgent"), Ticked(on));
    if (on && m_runAgent->isChecked()) {
        m_runAgent->setChecked(false);
        m_context.settings->RunAgent = 0;
        m_context.settings->SaveRunAgent(*m_context.backend);
    }
    m_context.AgentSettingsChanged();
}

void COptAgentPg::RunAgentChanged(bool on)
{
    m_context.settings->RunAgent = Ticked(on);
    m_context.settings->SaveRunAgent(*m_context.backend);
    if (on) {
        m_startup->setChecked(false);
        m_context.SetNumber(QStringLiteral("StartupAgent"), 0);
    }
    // Ticked, the agent is to run with the program: this starts it.
    m_context.AgentSettingsChanged();
}

void COptAgentPg::SetHotKeys()
{
    const QKeySequence sequence = m_hotKey->keySequence();
    m_context.SetNumber(QStringLiteral("Hotkey"), KeyCode(sequence));
    m_context.SetNumber(QStringLiteral("HotkeyMod"), ModifierFlags(sequence));
    m_context.AgentSettingsChanged();
}

int COptAgentPg::KeyCode(const QKeySequence& sequence)
{
    if (sequence.isEmpty())
        return 0;
    const int key = sequence[0].key();
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return key; // letters and digits have their capital's code
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return kFirstFunctionKey + (key - Qt::Key_F1);
    return 0;
}

int COptAgentPg::ModifierFlags(const QKeySequence& sequence)
{
    if (sequence.isEmpty())
        return 0;
    const Qt::KeyboardModifiers modifiers = sequence[0].keyboardModifiers();
    int flags = 0;
    if (modifiers & Qt::AltModifier)
        flags |= kAltFlag;
    if (modifiers & Qt::ControlModifier)
        flags |= kControlFlag;
    if (modifiers & Qt::ShiftModifier)
        flags |= kShiftFlag;
    return flags;
}

QKeySequence COptAgentPg::Sequence(int keyCode, int modifierFlags)
{
    int key = 0;
    if ((keyCode >= 'A' && keyCode <= 'Z') || (keyCode >= '0' && keyCode <= '9'))
        key = keyCode;
    else if (keyCode >= kFirstFunctionKey && keyCode < kFirstFunctionKey + 24)
        key = Qt::Key_F1 + (keyCode - kFirstFunctionKey);
    if (key == 0)
        return QKeySequence();
    Qt::KeyboardModifiers modifiers;
    if (modifierFlags & kAltFlag)
        modifiers |= Qt::AltModifier;
    if (modifierFlags & kControlFlag)
        modifiers |= Qt::ControlModifier;
    if (modifierFlags & kShiftFlag)
        modifiers |= Qt::ShiftModifier;
    return QKeySequence(QKeyCombination(modifiers, Qt::Key(key)));
}
