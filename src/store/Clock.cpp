#include "store/Clock.h"

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
    return now ? now() : QDateTime::currentDateTime();
}

void SetNowForTesting(std::function<QDateTime()> now)
{
    Override() = std::move(now);
}

} // namespace Clock
