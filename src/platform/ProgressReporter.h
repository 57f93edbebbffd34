#pragma once

#include <QString>

// Progress of long operations: the desktop program shows its progress dialog and
// notification window; the command line and the tests stay silent.
class ProgressReporter
{
public:
    virtual ~ProgressReporter() = default;
    // Shows the dialog with a message and a range of steps.
    virtual void Begin(const QString& message, int range) { (void)message, (void)range; }
    virtual void SetMessage(const QString& message) { (void)message; }
    virtual void SetPosition(int position) { (void)position; }
    virtual void Step() { }
    virtual void End() { }
    // The one-line notification window.
    virtual void Notify(const QString& text) { (void)text; }
};

// A reporter that shows nothing.
inline ProgressReporter& SilentProgress()
{
    static ProgressReporter silent;
    return silent;
}
