#include "cli/CliCommands.h"

#include "cli/AuthorsCommand.h"
#include "cli/CategoriesCommand.h"
#include "cli/CurrentCommand.h"
#include "cli/DeleteCommand.h"
#include "cli/InfoCommand.h"
#include "cli/KeywordsCommand.h"
#include "cli/NotesCommand.h"
#include "cli/SettingsCommand.h"
#include "cli/SourcesCommand.h"

#include <functional>
#include <utility>

namespace {

using Factory = std::function<std::unique_ptr<CliCommand>()>;

template<typename Command> std::pair<QString, Factory> Entry(const char* name)
{
    return {QString::fromLatin1(name), [] { return std::make_unique<Command>(); }};
}

// In the order the usage text lists them.
const QList<std::pair<QString, Factory>>& Table()
{
    static const QList<std::pair<QString, Factory>> table {
        Entry<InfoCommand>("info"),         Entry<NotesCommand>("notes"),
        Entry<DeleteCommand>("delete"),     Entry<CategoriesCommand>("categories"),
        Entry<KeywordsCommand>("keywords"), Entry<SourcesCommand>("sources"),
        Entry<AuthorsCommand>("authors"),   Entry<SettingsCommand>("settings"),
        Entry<CurrentCommand>("current"),
    };
    return table;
}

} // namespace

std::unique_ptr<CliCommand> CliCommands::Create(const QString& name)
{
    for (const auto& [entryName, factory] : Table()) {
        if (entryName == name)
            return factory();
    }
    return nullptr;
}

QStringList CliCommands::Names()
{
    QStringList names;
    for (const auto& entry : Table())
        names.append(entry.first);
    return names;
}
