#pragma once

#include <QJsonObject>
#include <QString>

// What a command hands back: the JSON document to print and the exit status
// (0 success, 1 the operation failed or was refused, 2 usage error).
struct CliOutcome
{
    enum ExitCode
    {
        Success = 0,
        Failure = 1,
        UsageError = 2
    };

    int exitCode = Success;
    QJsonObject document;

    static CliOutcome Ok(QJsonObject document) { return {Success, std::move(document)}; }
    // {"error": text}, exit status 1.
    static CliOutcome Failed(const QString& text)
    {
        return {Failure, QJsonObject {{QStringLiteral("error"), text}}};
    }
    // {"error": text}, exit status 2.
    static CliOutcome Usage(const QString& text)
    {
        return {UsageError, QJsonObject {{QStringLiteral("error"), text}}};
    }
};
