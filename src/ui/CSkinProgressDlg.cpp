#include "ui/CSkinProgressDlg.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

CSkinProgressDlg::CSkinProgressDlg(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("progressDialog"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("CSkinProgressDlg { background: #eef2f8; border: 1px solid #5a6f91; }"));
    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("progressMessage"));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    font.setBold(true);
    m_message->setFont(font);
    m_bar = new QProgressBar(this);
    m_bar->setTextVisible(false);
    m_bar->setFixedHeight(16);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 14);
    layout->addWidget(m_message);
    layout->addWidget(m_bar);
    setFixedSize(380, 76);
}

void CSkinProgressDlg::SetRange(int low, int high)
{
    m_low = low;
    m_high = std::max(low, high);
    m_position = low;
    m_repaint.Request();
}

void CSkinProgressDlg::SetPosition(int position)
{
    m_position = std::clamp(position, m_low, m_high);
    m_repaint.Request();
}

void CSkinProgressDlg::StepIt()
{
    // Like the bar it stands for, stepping past the end starts again from the beginning.
    m_position = m_position + 1 > m_high ? m_low : m_position + 1;
    m_repaint.Request();
}

void CSkinProgressDlg::SetMessage(const QString& message)
{
    m_message->setText(message);
    m_repaint.Request();
}

void CSkinProgressDlg::ShowCentred()
{
    if (QWidget* owner = parentWidget(); owner && owner->isVisible()) {
        const QPoint centre = owner->mapToGlobal(owner->rect().center());
        move(centre - QPoint(width() / 2, height() / 2));
    }
    show();
    raise();
    m_repaint.Request(true);
}

QString CSkinProgressDlg::Message() const
{
    return m_message->text();
}

int CSkinProgressDlg::Position() const
{
    return m_position;
}

int CSkinProgressDlg::Maximum() const
{
    return m_high;
}

void CSkinProgressDlg::ShowBarState()
{
    m_bar->setRange(m_low, m_high);
    m_bar->setValue(m_position);
}
