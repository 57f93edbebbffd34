#include "format/DateTime.h"

#include "format/Clock.h"

#include <QDate>
#include <QList>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <string>

namespace {

const QDate kEpoch(1899, 12, 30);
constexpr int kSecondsPerDay = 86400;

// The calendar range a day count can stand for.
bool IsRealMoment(int year, int month, int day, int hour, int minute, int second)
{
    return year >= 100 && year <= 9999 && QDate::isValid(year, month, day) && hour >= 0 && hour < 24
        && minute >= 0 && minute < 60 && second >= 0 && second < 60;
}

} // namespace

DateTime DateTime::FromParts(int year, int month, int day, int hour, int minute, int second)
{
    if (!IsRealMoment(year, month, day, hour, minute, second))
        return Invalid();
    const qint64 wholeDays = kEpoch.daysTo(QDate(year, month, day));
    const int seconds = hour * 3600 + minute * 60 + second;
    return FromDays(static_cast<double>(wholeDays) + static_cast<double>(seconds) / kSecondsPerDay);
}

DateTime DateTime::FromDays(double days)
{
    DateTime value;
    value.m_days = days;
    value.m_status = std::isfinite(days) ? Status::Valid : Status::Invalid;
    return value;
}

DateTime DateTime::FromQDateTime(const QDateTime& value)
{
    if (!value.isValid())
        return Invalid();
    const QDate d = value.date();
    const QTime t = value.time();
    return FromParts(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
}

DateTime DateTime::Invalid()
{
    DateTime value;
    value.m_status = Status::Invalid;
    return value;
}

DateTime DateTime::CurrentLocal()
{
    return FromQDateTime(Clock::Now());
}

QDateTime DateTime::Broken() const
{
    // Whole seconds, rounded so that 14:07:09 stored as a fraction reads back as :09.
    const qint64 totalSeconds = std::llround(m_days * kSecondsPerDay);
    qint64 wholeDays = totalSeconds / kSecondsPerDay;
    qint64 rest = totalSeconds % kSecondsPerDay;
    if (rest < 0) {
        rest += kSecondsPerDay;
        --wholeDays;
    }
    // A stored moment is a calendar date and a clock time of no time zone. As UTC,
    // QDateTime never moves a time that falls in a daylight-saving gap, and never asks
    // the system for the local zone.
    return QDateTime(kEpoch.addDays(wholeDays), QTime(0, 0).addSecs(static_cast<int>(rest)), Qt::UTC);
}

int DateTime::Year() const
{
    return Broken().date().year();
}
int DateTime::Month() const
{
    return Broken().date().month();
}
int DateTime::Day() const
{
    return Broken().date().day();
}
int DateTime::Hour() const
{
    return Broken().time().hour();
}
int DateTime::Minute() const
{
    return Broken().time().minute();
}
int DateTime::Second() const
{
    return Broken().time().second();
}

QDateTime DateTime::ToQDateTime() const
{
    return IsValid() ? Broken() : QDateTime();
}

QByteArray DateTime::Format(const char* pattern) const
{
    if (m_status == Status::Null)
        return {};
    if (m_status == Status::Invalid)
        return QByteArrayLiteral("Invalid DateTime");
    const QDateTime moment = Broken();
    std::tm parts {};
    parts.tm_year = moment.date().year() - 1900;
    parts.tm_mon = moment.date().month() - 1;
    parts.tm_mday = moment.date().day();
    parts.tm_hour = moment.time().hour();
    parts.tm_min = moment.time().minute();
    parts.tm_sec = moment.time().second();
    parts.tm_wday = moment.date().dayOfWeek() % 7;
    parts.tm_yday = moment.date().dayOfYear() - 1;
    parts.tm_isdst = -1;
    char buffer[512];
    const size_t length = std::strftime(buffer, sizeof buffer, pattern, &parts);
    return QByteArray(buffer, static_cast<qsizetype>(length));
}

void DateTime::SetFromFieldText(const QByteArray& text)
{
    if (text.count('-') != 5)
        return;
    int numbers[6];
    qsizetype from = 0;
    for (int i = 0; i < 6; ++i) {
        const qsizetype dash = i < 5 ? text.indexOf('-', from) : text.size();
        // Short parts stay in the string's own storage: no allocation per time read.
        const std::string part(text.constData() + from, static_cast<size_t>(dash - from));
        numbers[i] = static_cast<int>(std::atol(part.c_str()));
        from = dash + 1;
    }
    *this = FromParts(numbers[0], numbers[1], numbers[2], numbers[3], numbers[4], numbers[5]);
}
