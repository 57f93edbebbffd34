#include "ui/agent/CAgentTray.h"

#include "format/FieldFormat.h"
#include "ui/AgentLink.h"
#include "ui/SingleInstanceGuard.h"
#include "ui/agent/AgentAutostart.h"
#include "ui/agent/AgentCapture.h"
#include "ui/agent/AgentHotKey.h"
#include "ui/agent/AgentSettings.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QProcess>
#include <QSettings>
#include <QSystemTrayIcon>

namespace {

constexpr qint32 kOn = FieldFormat::kTrueValue;

QIcon AgentIcon()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(40, 90, 160));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(2, 2, 28, 28), 5, 5);
    painter.setPen(QPen(Qt::white, 3));
    painter.drawEllipse(QRectF(8, 7, 15, 15));
    painter.drawLine(QPointF(19, 19), QPointF(25, 26));
    return QIcon(pixmap);
}

} // namespace

CAgentTray::CAgentTray(Options options, QObject* parent)
    : QObject(parent)
    , m_options(std::move(options))
{
    if (m_options.serverName.isEmpty())
        m_options.serverName = AgentLink::DefaultServerName();
    if (m_options.programServerName.isEmpty())
        m_options.programServerName = SingleInstanceGuard::DefaultServerName();
    m_guard = std::make_unique<SingleInstanceGuard>(m_options.serverName);
    CreateMenu();
    m_hotKey = new AgentHotKey(this);
    connect(m_hotKey, &AgentHotKey::Pressed, this, &CAgentTray::CaptureSelection);
}

CAgentTray::~CAgentTray() = default;

void CAgentTray::CreateMenu()
{
    m_menu = std::make_unique<QMenu>();
    m_menu->setAccessibleName(QStringLiteral("Quorvel Agent"));
    QAction* capture = m_menu->addAction(QStringLiteral("New Note From Selection"));
    capture->setObjectName(QStringLiteral("actionCapture"));
    connect(capture, &QAction::triggered, this, &CAgentTray::CaptureSelection);
    QAction* open = m_menu->addAction(QStringLiteral("Open Quorvel"));
    open->setObjectName(QStringLiteral("actionOpenQuorvel"));
    connect(open, &QAction::triggered, this, &CAgentTray::OpenProgram);
    m_menu->addSeparator();
    QMenu* settings = m_menu->addMenu(QStringLiteral("Settings"));
    settings->setAccessibleName(QStringLiteral("Settings"));
    m_runAtLogin = settings->addAction(QStringLiteral("Run Agent at log-in"));
    m_runAtLogin->setObjectName(QStringLiteral("actionRunAtLogin"));
    m_runAtLogin->setCheckable(true);
    connect(m_runAtLogin, &QAction::toggled, this, &CAgentTray::SetRunAtLogin);
    m_menu->addSeparator();
    QAction* quit = m_menu->addAction(QStringLiteral("Quit"));
    quit->setObjectName(QStringLiteral("actionQuit"));
    connect(quit, &QAction::triggered, this, &CAgentTray::QuitRequested);

    m_tray = new QSystemTrayIcon(AgentIcon(), this);
    m_tray->setToolTip(QStringLiteral("Quorvel Agent"));
    m_tray->setContextMenu(m_menu.get());
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            CaptureSelection();
    });
}

bool CAgentTray::Start()
{
    if (AgentLink::FindAgent(m_options.serverName) || !m_guard->Listen())
        return false;
    connect(m_guard.get(), &SingleInstanceGuard::CopyData, this, &CAgentTray::OnMessage);
    ReloadSettings();
    return true;
}

void CAgentTray::OnMessage(quint32, const QByteArray& data)
{
    const QString text = QString::fromUtf8(data);
    if (text.contains(AgentLink::CloseMessage()))
        emit QuitRequested();
    else if (text.contains(AgentLink::CheckSettingsMessage()))
        ReloadSettings();
}

qint32 CAgentTray::ReadSetting(const QString& name, qint32 fallback) const
{
    QSettings settings(m_options.settingsFile, QSettings::IniFormat);
    bool ok = false;
    const qint32 value = settings.value(QStringLiteral("Options/") + name).toInt(&ok);
    return ok ? value : fallback;
}

void CAgentTray::WriteSetting(const QString& name, qint32 value)
{
    QSettings settings(m_options.settingsFile, QSettings::IniFormat);
    settings.setValue(QStringLiteral("Options/") + name, value);
}

void CAgentTray::ReloadSettings()
{
    m_trayShown = ReadSetting(QStringLiteral("TrayIcon"), AgentSettings::kTrayIconByDefault) == kOn;
    if (QSystemTrayIcon::isSystemTrayAvailable())
        m_tray->setVisible(m_trayShown);
    const bool atLogin = ReadSetting(QStringLiteral("StartupAgent"), 0) == kOn;
    const QSignalBlocker blocker(m_runAtLogin);
    m_runAtLogin->setChecked(atLogin);
    AgentAutostart::SetRunAtLogin(atLogin, m_options.agentPath);
    const qint32 key = ReadSetting(QStringLiteral("Hotkey"), 0);
    if (key > 0)
        m_hotKeyGrabbed = m_hotKey->Grab(quint32(key), quint32(ReadSetting(QStringLiteral("HotkeyMod"), 0)));
    else
        m_hotKey->Release();
    if (key <= 0)
        m_hotKeyGrabbed = false;
}

void CAgentTray::SetRunAtLogin(bool on)
{
    WriteSetting(QStringLiteral("StartupAgent"), on ? kOn : 0);
    AgentAutostart::SetRunAtLogin(on, m_options.agentPath);
}

bool CAgentTray::CaptureSelection()
{
    const QString text = AgentCapture::SelectedText();
    if (text.isEmpty())
        return false;
    AgentCapture::PutOnClipboard(text);
    return AgentCapture::RequestNote(m_options.programPath, m_options.programServerName,
                                     m_options.programArguments);
}

void CAgentTray::OpenProgram()
{
    // An empty hand-over brings a running copy to the front.
    if (!SingleInstanceGuard(m_options.programServerName).HandOver(QByteArray()))
        QProcess::startDetached(m_options.programPath, m_options.programArguments);
}
