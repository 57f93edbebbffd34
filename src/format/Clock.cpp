#include "format/Clock.h"

namespace Clock {

namespace {
    std::function<QDateTime()>& Override()
    {
        static std::function<QDateTime()> now;
        return now;
    }
} // namespace

QDateTime Now()
{
    const auto& now = Override();
    if (now)
        return now();
    // Every cleared record reads the clock, and a load clears records by the hundred
    // thousand; the local time is worked out (a zone look-up) once per second only.
    thread_local qint64 cachedSecond = -1;
    thread_local QDateTime cached;
    const qint64 second = QDateTime::currentMSecsSinceEpoch() / 1000;
    if (second != cachedSecond) {
        cached = QDateTime::fromSecsSinceEpoch(second);
        cachedSecond = second;
    }
    return cached;
}

void SetSource(std::function<QDateTime()> now)
{
    Override() = std::move(now);
}

} // namespace Clock
