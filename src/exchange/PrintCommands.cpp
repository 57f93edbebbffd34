#include "exchange/PrintCommands.h"

#include "exchange/ExchangeFormat.h"
#include "exchange/PrintHandOffFiles.h"
#include "format/FileSystem.h"
#include "format/SourcesFile.h"
#include "platform/ProgressReporter.h"
#include "platform/UserPrompt.h"
#include "sources/BibFile.h"
#include "store/NoteDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>

namespace PrintCommands {

namespace {

    QString Quoted(const QString& path)
    {
        return QLatin1Char('"') + path + QLatin1Char('"');
    }

} // namespace

bool StartDetached(const QString& commandLine, const DataFolder& folder)
{
    QStringList arguments = QProcess::splitCommand(commandLine);
    if (arguments.isEmpty())
        return false;
    QProcess process;
    process.setProgram(arguments.takeFirst());
    process.setArguments(arguments);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!folder.DataRoot().isEmpty())
        environment.insert(QStringLiteral("QUORVEL_DATA_ROOT"), folder.DataRoot());
    process.setProcessEnvironment(environment);
    return process.startDetached();
}

QString PrintProgramPath(const DataFolder& folder)
{
    const QString programFolder
        = folder.ProgramFolder().isEmpty() ? QCoreApplication::applicationDirPath() : folder.ProgramFolder();
    return QDir(programFolder).filePath(QStringLiteral("ZozozOvuv"));
}

QString NotesCommandLine(const QString& programPath)
{
    return Quoted(programPath);
}

QString BibliographyCommandLine(const QString& programPath, const QString& bibPath)
{
    return Quoted(programPath) + QLatin1Char(' ') + Quoted(bibPath);
}

FileStatus WritePrintPreviewFor(const NoteDatabase& database, const NotesList& notes)
{
    const SourceList sources = LoadSourcesFile(database.SourcesFilePath());
    if (const FileStatus folder = FileSystem::Current().MakePath(database.Folder().DataFilesFolder());
        !folder)
        return folder;
    return WritePrintPreviewFile(database.Folder().FullPath(ExchangeFormat::PrintPreviewName()), notes,
                                 sources, database.Authors());
}

bool SaveOrPrintCurrentNotes(NoteDatabase& database, UserPrompt& prompt, ProgressReporter& progress,
                             const ProgramStarter& start)
{
    if (database.CurrentList().isEmpty()) {
        prompt.Tell(QStringLiteral("Unable to save, there are no notes in the current list."),
                    QStringLiteral("Invalid Notes"), UserPrompt::Icon::Warning);
        return false;
    }
    progress.Notify(QStringLiteral("Preparing Preview...."));
    const FileStatus written = WritePrintPreviewFor(database, database.LoadListed(database.CurrentList()));
    progress.End();
    if (!written) {
        prompt.Tell(written.Message(), FileStatus::Caption(), UserPrompt::Icon::Warning);
        return false;
    }
    start(NotesCommandLine(PrintProgramPath(database.Folder())), database.Folder());
    return true;
}

bool CreateBibliography(NoteDatabase& database, SourceList selected, ProgressReporter& progress,
                        const ProgramStarter& start, FileStatus* failure)
{
    if (selected.isEmpty())
        return false;
    progress.Notify(QStringLiteral("Preparing Sources...."));
    const QString bibPath = database.Folder().FullPath(ExchangeFormat::BibFileName());
    FileStatus written = FileSystem::Current().MakePath(database.Folder().DataFilesFolder());
    if (written)
        written = WriteBibFile(bibPath, selected, database.Authors());
    progress.End();
    if (!written) {
        if (failure)
            *failure = written;
        return false;
    }
    start(BibliographyCommandLine(PrintProgramPath(database.Folder()), bibPath), database.Folder());
    return true;
}

} // namespace PrintCommands
