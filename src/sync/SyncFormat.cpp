#include "sync/SyncFormat.h"

QString SyncFormat::ArchiveFileName(qint64 first, qint64 last)
{
    const auto number = [](qint64 n) { return QStringLiteral("%1").arg(n, 8, 10, QLatin1Char('0')); };
    if (first == last)
        return number(first) + QStringLiteral(".qvx");
    return number(first) + QLatin1Char('-') + number(last) + QStringLiteral(".qvx");
}
