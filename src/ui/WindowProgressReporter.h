#pragma once

#include "platform/ProgressReporter.h"

class CNotificationDlg;
class CSkinProgressDlg;

// The progress of the core's long operations shown in the desktop program's two
// progress windows. The windows are not owned; either may be missing (nothing shows).
class WindowProgressReporter : public ProgressReporter
{
public:
    void SetWindows(CSkinProgressDlg* dialog, CNotificationDlg* notification);

    void Begin(const QString& message, int range) override;
    void SetMessage(const QString& message) override;
    void SetPosition(int position) override;
    void Step() override;
    // Hides both windows: an operation ends with nothing left on the screen.
    void End() override;
    void Notify(const QString& text) override;

private:
    CSkinProgressDlg* m_dialog = nullptr;
    CNotificationDlg* m_notification = nullptr;
};
