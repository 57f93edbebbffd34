#include "cli/CliHelp.h"

#include "cli/CliCommand.h"
#include "cli/CliCommands.h"

#include <QHash>

namespace {

const QHash<QString, QString>& Summaries()
{
    static const QHash<QString, QString> summaries {
        {QStringLiteral("info"), QStringLiteral("Totals, highest ids, note files and the current list.")},
        {QStringLiteral("notes"), QStringLiteral("The notes with the given ids, or every note.")},
        {QStringLiteral("add"), QStringLiteral("Save a new note as the note editor saves it.")},
        {QStringLiteral("edit"), QStringLiteral("Change and re-save an existing note.")},
        {QStringLiteral("delete"), QStringLiteral("Delete notes for good, with their attachments.")},
        {QStringLiteral("categories"), QStringLiteral("The category trees with the notes of each category.")},
        {QStringLiteral("keywords"), QStringLiteral("The key words with their notes; attach or remove one.")},
        {QStringLiteral("sources"), QStringLiteral("Every source with its fields and notes.")},
        {QStringLiteral("source"), QStringLiteral("Add, change or delete a source.")},
        {QStringLiteral("authors"), QStringLiteral("Every author.")},
        {QStringLiteral("settings"), QStringLiteral("Every setting with its value.")},
        {QStringLiteral("current"), QStringLiteral("The current notes list; --set replaces it.")},
        {QStringLiteral("sort"), QStringLiteral("Store a sort order and sort the current list by it.")},
        {QStringLiteral("search"), QStringLiteral("Search the database (or the current notes).")},
        {QStringLiteral("cite"), QStringLiteral("Format the citations of sources.")},
        {QStringLiteral("bib"),
         QStringLiteral("Write the bibliography file of sources for the print program.")},
        {QStringLiteral("export"), QStringLiteral("Export notes (or the current list) into a .qvx archive.")},
        {QStringLiteral("backup"), QStringLiteral("Back up every note into a .qvx archive.")},
        {QStringLiteral("import"), QStringLiteral("Import a .qvx archive, choosing notes by their status.")},
        {QStringLiteral("print"),
         QStringLiteral("Write the print program's file of notes (or the current list).")},
        {QStringLiteral("retree"), QStringLiteral("Edit the category trees and re-file every note.")},
        {QStringLiteral("rtf-text"),
         QStringLiteral("The plain text of an RTF file as the note view shows it.")},
    };
    return summaries;
}

const QString& Invocation()
{
    static const QString text = QStringLiteral("quorvel-cli [--data-root DIR]");
    return text;
}

} // namespace

QString CliHelp::Summary(const QString& commandName)
{
    return Summaries().value(commandName);
}

QString CliHelp::ProgramUsage()
{
    QStringList names = CliCommands::Names();
    qsizetype width = 0;
    for (const QString& name : std::as_const(names))
        width = std::max(width, name.size());
    QStringList lines {
        QStringLiteral("Usage: %1 COMMAND [ARGS...]").arg(Invocation()),
        QStringLiteral("       quorvel-cli --help | --version | COMMAND --help"),
        QString(),
        QStringLiteral("The headless front end of Quorvel: every command loads the notes as the desktop"),
        QStringLiteral("program does, runs one operation and prints one JSON document on standard output."),
        QString(),
        QStringLiteral("Commands:"),
    };
    for (const QString& name : std::as_const(names))
        lines.append(QStringLiteral("  ") + name.leftJustified(width + 2) + Summary(name));
    lines << QString() << QStringLiteral("Options:")
          << QStringLiteral(
                 "  --data-root DIR  the folder that holds \"Data Files\"; QUORVEL_DATA_ROOT also names it;")
          << QStringLiteral("                   the default is $XDG_DATA_HOME/Brenlow Software/Quorvel")
          << QStringLiteral("  --help           print this help and exit")
          << QStringLiteral("  --version        print the version and exit") << QString()
          << QStringLiteral("Exit status: 0 success, 1 the operation failed or was refused, 2 usage error.")
          << QStringLiteral("Run \"quorvel-cli COMMAND --help\" for the options of a command.");
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString CliHelp::CommandUsage(const CliCommand& command)
{
    QString text = QStringLiteral("Usage: %1 %2\n").arg(Invocation(), command.Synopsis());
    const QString summary = Summary(command.Name());
    if (!summary.isEmpty())
        text += QLatin1Char('\n') + summary + QLatin1Char('\n');
    return text;
}
