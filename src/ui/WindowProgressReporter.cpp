#include "ui/WindowProgressReporter.h"

#include "ui/CNotificationDlg.h"
#include "ui/CSkinProgressDlg.h"

void WindowProgressReporter::SetWindows(CSkinProgressDlg* dialog, CNotificationDlg* notification)
{
    m_dialog = dialog;
    m_notification = notification;
}

void WindowProgressReporter::Begin(const QString& message, int range)
{
    if (!m_dialog)
        return;
    m_dialog->SetRange(0, range);
    m_dialog->SetMessage(message);
    if (!m_dialog->isVisible())
        m_dialog->ShowCentred();
}

void WindowProgressReporter::SetMessage(const QString& message)
{
    if (m_dialog)
        m_dialog->SetMessage(message);
}

void WindowProgressReporter::SetPosition(int position)
{
    if (m_dialog)
        m_dialog->SetPosition(position);
}

void WindowProgressReporter::Step()
{
    if (m_dialog)
        m_dialog->StepIt();
}

void WindowProgressReporter::End()
{
    if (m_dialog)
        m_dialog->hide();
    if (m_notification)
        m_notification->hide();
}

void WindowProgressReporter::Notify(const QString& text)
{
    if (!m_notification)
        return;
    m_notification->SetMessage(text);
    if (!m_notification->isVisible())
        m_notification->ShowCentred();
}
