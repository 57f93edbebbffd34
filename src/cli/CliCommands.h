#pragma once

#include <QStringList>
#include <memory>

class CliCommand;

// The table of quorvel-cli's commands.
class CliCommands
{
public:
    // A fresh command of that name, or nullptr for an unknown name.
    static std::unique_ptr<CliCommand> Create(const QString& name);
    static QStringList Names();
};
