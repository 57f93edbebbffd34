#include "cli/CliOptions.h"

bool CliOptions::OptionalInt(const CliArguments& arguments, const QString& name, std::optional<int>* value,
                             QString* error)
{
    value->reset();
    if (!arguments.Has(name))
        return true;
    qint32 number = 0;
    if (!arguments.IntValue(name, &number, error))
        return false;
    *value = number;
    return true;
}

bool CliOptions::OneFile(const CliArguments& arguments, const QString& what, QString* file, QString* error)
{
    if (arguments.Positional().size() != 1) {
        *error = QStringLiteral("%1 needs exactly one file.").arg(what);
        return false;
    }
    *file = arguments.Positional().first();
    return true;
}

bool CliOptions::WaitMilliseconds(const QString& text, int* milliseconds)
{
    bool ok = false;
    const double seconds = text.toDouble(&ok);
    // The negated test also refuses NaN.
    if (!ok || !(seconds >= 0.0 && seconds <= 86400.0))
        return false;
    *milliseconds = int(seconds * 1000.0);
    return true;
}
