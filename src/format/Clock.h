#pragma once

#include <QDateTime>
#include <functional>

// The program's "now": the local date and time, replaceable by tests so that dates of
// new notes and the day files they land in are predictable.
namespace Clock {

QDateTime Now();
// An empty function restores the system clock.
void SetNowForTesting(std::function<QDateTime()> now);

} // namespace Clock
