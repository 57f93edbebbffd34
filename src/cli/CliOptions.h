#pragma once

#include "cli/CliArguments.h"

#include <optional>

// Small readers shared by the commands' argument checks.
class CliOptions
{
public:
    // The option's integer when given; false, with a usage message, when not a number.
    static bool OptionalInt(const CliArguments& arguments, const QString& name, std::optional<int>* value,
                            QString* error);
    // Exactly one positional word (a file); false with a usage message otherwise.
    static bool OneFile(const CliArguments& arguments, const QString& what, QString* file, QString* error);
    // "--wait SECONDS": a number of seconds, not negative, fractions allowed ("0.5"); at
    // most a day.
    static bool WaitMilliseconds(const QString& text, int* milliseconds);
};
