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
        {QStringLiteral("source"),
         QStringLiteral("Add, change or delete a source; import or export sources (BibTeX, RIS...).")},
        {QStringLiteral("authors"), QStringLiteral("Every author.")},
        {QStringLiteral("settings"), QStringLiteral("Every setting with its value.")},
        {QStringLiteral("current"), QStringLiteral("The current notes list; --set replaces it.")},
        {QStringLiteral("sort"), QStringLiteral("Store a sort order and sort the current list by it.")},
        {QStringLiteral("search"), QStringLiteral("Search the database (or the current notes).")},
        {QStringLiteral("index"),
         QStringLiteral("Bring the kept search index up to date with the note files.")},
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
        {QStringLiteral("notes-export"),
         QStringLiteral("Write notes (or the current list) as Markdown files with a .bib of their sources.")},
        {QStringLiteral("sync"),
         QStringLiteral("Sync with the other machines through the sync folder (\"Sync Now\").")},
    };
    return summaries;
}

// What a command's options and arguments mean, a line each, for COMMAND --help.
const QHash<QString, QStringList>& Details()
{
    static const QHash<QString, QStringList> details {
        {QStringLiteral("notes"),
         {QStringLiteral("  ID...            note ids; ids without a note are skipped")}},
        {QStringLiteral("add"),
         {QStringLiteral("  --text T         the note's text (required)"),
          QStringLiteral("  --source ID      the id of the note's source"),
          QStringLiteral("  --keywords K     the key word line"),
          QStringLiteral("  --category PATH  up to four category names: A/B/C/D"),
          QStringLiteral("  --attach PATH    a file to attach (repeatable)")}},
        {QStringLiteral("edit"),
         {QStringLiteral("  ID               the note to change"),
          QStringLiteral("  --text T         the new text"),
          QStringLiteral("  --source ID      the new source; 0 removes it"),
          QStringLiteral("  --keywords K     the new key word line"),
          QStringLiteral("  --category PATH  the new category path A/B/C/D")}},
        {QStringLiteral("delete"), {QStringLiteral("  ID...            the notes to delete")}},
        {QStringLiteral("current"),
         {QStringLiteral("  --set ID...      make these notes the current list, sorted")}},
        {QStringLiteral("sort"),
         {QStringLiteral("  --by SORTID      701-705 ascending, 801-805 descending: 01 date added,"),
          QStringLiteral("                   02 last edited, 03 source, 04 categories, 05 placement only")}},
        {QStringLiteral("search"),
         {QStringLiteral("  QUERY            words; \"word\" for a whole word; A AND B or A OR B; SHOWALL"),
          QStringLiteral("  --current        search only the current notes"),
          QStringLiteral("  --ids-only       print the ids without the highlighted texts"),
          QStringLiteral("  --scan           read every note file instead of the kept search index")}},
        {QStringLiteral("index"),
         {QStringLiteral("  --rebuild        build the index from nothing instead of reading again"),
          QStringLiteral("                   only the note files that changed")}},
        {QStringLiteral("cite"),
         {QStringLiteral("  ID...            source ids (every source when none is given)"),
          QStringLiteral("  --style N        a citation style 0-13 instead of each source's own"),
          QStringLiteral("  --width W        also lay the citation out at W characters")}},
        {QStringLiteral("bib"),
         {QStringLiteral("  ID...            the sources of the bibliography"),
          QStringLiteral("  --style N --indent N --et-al N  one formatting for all of them"),
          QStringLiteral("  --unsorted       keep the given order")}},
        {QStringLiteral("export"),
         {QStringLiteral("  FILE             the .qvx archive to write"),
          QStringLiteral("  ID...            the notes (the current list when none is given)")}},
        {QStringLiteral("backup"), {QStringLiteral("  FILE             the .qvx archive to write")}},
        {QStringLiteral("import"),
         {QStringLiteral("  FILE             the .qvx archive to read"),
          QStringLiteral("  --select RULE    all (default), new, changed (new and newer) or none"),
          QStringLiteral("  --no-display     leave the current list as it is")}},
        {QStringLiteral("print"),
         {QStringLiteral("  ID...            the notes (the current list when none is given)")}},
        {QStringLiteral("rtf-text"), {QStringLiteral("  FILE             an RTF file")}},
        {QStringLiteral("source"),
         {QStringLiteral(
              "  import FILE      read sources from a bibliography file; --format auto (told from"),
          QStringLiteral(
              "                   the file), bibtex, biblatex, ris, endnote, endnote-xml, medline,"),
          QStringLiteral("                   isi, mods or csljson; --select new (default), all or none"),
          QStringLiteral("  export FILE [ID...]  write sources (every one when none is given); --format"),
          QStringLiteral("                   bibtex, biblatex, ris, endnote, mods or csljson")}},
        {QStringLiteral("notes-export"),
         {QStringLiteral("  --format markdown  one Markdown file a note, its attachments beside it"),
          QStringLiteral("  DIR              the folder to write into (made when missing)"),
          QStringLiteral("  ID...            the notes (the current list when none is given)")}},
        {QStringLiteral("sync"),
         {QStringLiteral("  --folder DIR     the sync folder (else the \"Sync folder\" option)"),
          QStringLiteral(
              "  --machine NAME   this machine's name there (else the option, else the host name)")}},
    };
    return details;
}

const QString& Invocation()
{
    static const QString text = QStringLiteral("quorvel-cli [--data-root DIR] [--wait SECONDS]");
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
          << QStringLiteral(
                 "  --wait SECONDS   how long to wait for a data folder another Quorvel program is")
          << QStringLiteral("                   using (default 10), then fail with exit status 1")
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
    const QStringList details = Details().value(command.Name());
    if (!details.isEmpty())
        text += QLatin1Char('\n') + details.join(QLatin1Char('\n')) + QLatin1Char('\n');
    return text;
}
