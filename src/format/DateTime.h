#pragma once

#include <QByteArray>
#include <QDateTime>

// The program's date-time value: a day count since 30 December 1899, 00:00 (the fraction
// is the time of day, to the second) with a status of valid, invalid or null. Local
// time; no zone is kept.
class DateTime
{
public:
    enum class Status
    {
        Valid,
        Invalid,
        Null
    };

    DateTime() = default; // null
    static DateTime FromParts(int year, int month, int day, int hour, int minute, int second);
    static DateTime FromDays(double days);
    static DateTime FromQDateTime(const QDateTime& value);
    static DateTime Invalid();
    // "Now" of the injectable clock (see Clock.h).
    static DateTime CurrentLocal();

    Status status() const { return m_status; }
    bool IsValid() const { return m_status == Status::Valid; }
    bool IsNull() const { return m_status == Status::Null; }
    double Days() const { return m_days; }

    int Year() const;
    int Month() const;
    int Day() const;
    int Hour() const;
    int Minute() const;
    int Second() const;
    QDateTime ToQDateTime() const;

    // strftime codes (%Y %m %d %H %M %S %B %b %A %a %y %p %I %j %%). A null value
    // formats as "", an invalid one as "Invalid DateTime".
    QByteArray Format(const char* pattern) const;

    // The patterns the program shows dates in: "08/14/2008  -  03:05:09 PM" where a note's
    // last edit is shown whole (the editor, the import's comparison), "08/14/2008" beside a
    // printed note.
    static constexpr const char* kShownDateAndTime = "%m/%d/%Y  -  %I:%M:%S %p";
    static constexpr const char* kShownDate = "%m/%d/%Y";
    QString ShownDateAndTime() const { return QString::fromLatin1(Format(kShownDateAndTime)); }
    QString ShownDate() const { return QString::fromLatin1(Format(kShownDate)); }

    // The on-disk text "YYYY-MM-DD-HH-MM-SS".
    QByteArray ToFieldText() const { return Format("%Y-%m-%d-%H-%M-%S"); }
    // Sets the value from a field text with exactly five dashes; any other text leaves
    // the value as it was. Numbers are read with the C atol rule; a combination that is
    // no calendar moment makes the value invalid.
    void SetFromFieldText(const QByteArray& text);

    friend bool operator==(const DateTime& a, const DateTime& b)
    {
        return a.m_status == b.m_status && (a.m_status != Status::Valid || a.m_days == b.m_days);
    }

private:
    QDateTime Broken() const;

    double m_days = 0.0;
    Status m_status = Status::Null;
};
