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
