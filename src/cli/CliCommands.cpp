#include "cli/CliCommands.h"

#include "cli/AddCommand.h"
#include "cli/AuthorsCommand.h"
#include "cli/BackupCommand.h"
#include "cli/BibCommand.h"
#include "cli/CategoriesCommand.h"
#include "cli/CiteCommand.h"
#include "cli/CurrentCommand.h"
#include "cli/DeleteCommand.h"
#include "cli/EditCommand.h"
#include "cli/ExportCommand.h"
#include "cli/ImportCommand.h"
#include "cli/IndexCommand.h"
#include "cli/InfoCommand.h"
#include "cli/KeywordsCommand.h"
#include "cli/NotesCommand.h"
#include "cli/NotesExportCommand.h"
#include "cli/PrintCommand.h"
#include "cli/RetreeCommand.h"
#include "cli/RtfTextCommand.h"
#include "cli/SearchCommand.h"
#include "cli/SettingsCommand.h"
#include "cli/SortCommand.h"
#include "cli/SourceCommand.h"
#include "cli/SourcesCommand.h"
#include "cli/SyncCommand.h"

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
        Entry<AddCommand>("add"),           Entry<EditCommand>("edit"),
        Entry<DeleteCommand>("delete"),     Entry<CategoriesCommand>("categories"),
        Entry<KeywordsCommand>("keywords"), Entry<SourcesCommand>("sources"),
        Entry<SourceCommand>("source"),     Entry<AuthorsCommand>("authors"),
        Entry<SettingsCommand>("settings"), Entry<CurrentCommand>("current"),
        Entry<SortCommand>("sort"),         Entry<SearchCommand>("search"),
        Entry<IndexCommand>("index"),       Entry<CiteCommand>("cite"),
        Entry<BibCommand>("bib"),           Entry<ExportCommand>("export"),
        Entry<BackupCommand>("backup"),     Entry<ImportCommand>("import"),
        Entry<PrintCommand>("print"),       Entry<RtfTextCommand>("rtf-text"),
        Entry<RetreeCommand>("retree"),     Entry<NotesExportCommand>("notes-export"),
        Entry<SyncCommand>("sync"),
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
