#include "ui/CSkinProgressDlg.h"

#include <QApplication>
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
    m_bar->setRange(low, std::max(low, high));
    m_bar->setValue(low);
    RepaintNow();
}

void CSkinProgressDlg::SetPosition(int position)
{
    m_bar->setValue(std::clamp(position, m_bar->minimum(), m_bar->maximum()));
    RepaintNow();
}

void CSkinProgressDlg::StepIt()
{
    // Like the bar it stands for, stepping past the end starts again from the beginning.
    int next = m_bar->value() + 1;
    if (next > m_bar->maximum())
        next = m_bar->minimum();
    m_bar->setValue(next);
    RepaintNow();
}

void CSkinProgressDlg::SetMessage(const QString& message)
{
    m_message->setText(message);
    RepaintNow();
}

void CSkinProgressDlg::ShowCentred()
{
    if (QWidget* owner = parentWidget(); owner && owner->isVisible()) {
        const QPoint centre = owner->mapToGlobal(owner->rect().center());
        move(centre - QPoint(width() / 2, height() / 2));
    }
    show();
    raise();
    RepaintNow();
}

QString CSkinProgressDlg::Message() const
{
    return m_message->text();
}

int CSkinProgressDlg::Position() const
{
    return m_bar->value();
}

int CSkinProgressDlg::Maximum() const
{
    return m_bar->maximum();
}

void CSkinProgressDlg::RepaintNow()
{
    if (!isVisible())
        return;
    repaint();
    // Lets the window system put the new picture on the screen; input waits.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
