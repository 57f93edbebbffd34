#pragma once

#include "format/Clock.h"

#include <QDateTime>

// A test's "now": while it lives, the program's clock reads the given moment, so that
// dates of new notes and the day files they land in are predictable. The system clock
// comes back when it goes.
class FixedClock
{
public:
    explicit FixedClock(const QDateTime& now) { Set(now); }
    ~FixedClock() { Clock::SetSource({}); }
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;

    void Set(const QDateTime& now)
    {
        Clock::SetSource([now] { return now; });
    }
};
