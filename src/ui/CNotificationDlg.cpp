#include "ui/CNotificationDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>

CNotificationDlg::CNotificationDlg(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("notificationWindow"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setStyleSheet(QStringLiteral("CNotificationDlg { background: #fffbe8; border: 1px solid #8a7a40; }"));
    setAutoFillBackground(true);
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("notificationText"));
    QFont font(QStringLiteral("Myriad Pro"));
    font.setPixelSize(14);
    m_label->setFont(font);
    m_busy = new QProgressBar(this);
    m_busy->setRange(0, 0); // a busy strip, not a count
    m_busy->setTextVisible(false);
    m_busy->setFixedSize(60, 12);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 6, 12, 6);
    layout->addWidget(m_busy);
    layout->addWidget(m_label, 1);
    // 257 x 25 dialog units.
    setFixedSize(386, 42);
}

void CNotificationDlg::SetMessage(const QString& text)
{
    m_text = text;
    m_label->setText(text);
    m_repaint.Request();
}

void CNotificationDlg::ShowCentred()
{
    if (QWidget* owner = parentWidget(); owner && owner->isVisible()) {
        const QPoint centre = owner->mapToGlobal(owner->rect().center());
        move(centre - QPoint(width() / 2, height() / 2));
    }
    show();
    raise();
    m_repaint.Request(true);
}
