#pragma once

#include <QDateTime>
#include <functional>

// The program's "now": the local date and time, or what the front end plugs in (the
// command line's fixed moment, a test's clock) so that dates of new notes and the day
// files they land in are predictable.
namespace Clock {

QDateTime Now();
// Where Now() reads from; an empty function restores the system clock.
void SetSource(std::function<QDateTime()> now);

} // namespace Clock
