#include "exchange/PrintCommands.h"

#include "exchange/ExchangeFormat.h"
#include "exchange/PrintHandOffFiles.h"
#include "format/FileSystem.h"
#include "format/SourcesFile.h"
#include "lists/CurrentNotesList.h"
#include "platform/ProgressReporter.h"
#include "platform/RuntimeFolder.h"
#include "platform/UserPrompt.h"
#include "sources/BibFile.h"
#include "store/SourceStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
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

QString HandOffPath(const DataFolder& folder, const QString& name, FileStatus* failure)
{
    const QString inDataFolder = folder.FullPath(name);
    if (!folder.IsReadOnly())
        return inDataFolder;
    QString reason;
    const QString runtime = RuntimeFolder::SubFolder(QStringLiteral("quorvel"), &reason);
    if (runtime.isEmpty()) {
        if (failure)
            *failure
                = FileStatus::Failed(FileStatus::Action::CreateFolder, QStringLiteral("quorvel"), reason);
        return {};
    }
    return QDir(runtime).filePath(QFileInfo(inDataFolder).fileName());
}

QString PreviewCommandLine(const DataFolder& folder)
{
    const QString program = PrintProgramPath(folder);
    if (!folder.IsReadOnly())
        return NotesCommandLine(program);
    return Quoted(program) + QLatin1Char(' ')
        + Quoted(HandOffPath(folder, ExchangeFormat::PrintPreviewName()));
}

FileStatus WritePrintPreviewFor(const DataFolder& folder, const SourceStore& sources, const NotesList& notes,
                                QString* path)
{
    const SourceList stored = LoadSourcesFile(sources.SourcesFilePath());
    FileStatus failure;
    const QString file = HandOffPath(folder, ExchangeFormat::PrintPreviewName(), &failure);
    if (file.isEmpty())
        return failure;
    if (const FileStatus made = folder.Files().MakePath(QFileInfo(file).absolutePath()); !made)
        return made;
    if (path)
        *path = file;
    return WritePrintPreviewFile(folder.Files(), file, notes, stored, sources.Authors());
}

bool SaveOrPrintCurrentNotes(const CurrentNotesList& current, const SourceStore& sources,
                             const DataFolder& folder, UserPrompt& prompt, ProgressReporter& progress,
                             const ProgramStarter& start)
{
    if (current.Count() == 0) {
        prompt.Tell(QStringLiteral("Unable to save, there are no notes in the current list."),
                    QStringLiteral("Invalid Notes"), UserPrompt::Icon::Warning);
        return false;
    }
    progress.Notify(QStringLiteral("Preparing Preview...."));
    const FileStatus written = WritePrintPreviewFor(folder, sources, current.LoadAllNotes());
    progress.End();
    if (!written) {
        prompt.Tell(written.Message(), FileStatus::Caption(), UserPrompt::Icon::Warning);
        return false;
    }
    start(PreviewCommandLine(folder), folder);
    return true;
}

bool CreateBibliography(const DataFolder& folder, const SourceStore& sources, SourceList selected,
                        ProgressReporter& progress, const ProgramStarter& start, FileStatus* failure)
{
    if (selected.isEmpty())
        return false;
    progress.Notify(QStringLiteral("Preparing Sources...."));
    FileStatus written;
    const QString bibPath = HandOffPath(folder, ExchangeFormat::BibFileName(), &written);
    if (written)
        written = folder.Files().MakePath(QFileInfo(bibPath).absolutePath());
    if (written)
        written = WriteBibFile(folder.Files(), bibPath, selected, sources.Authors());
    progress.End();
    if (!written) {
        if (failure)
            *failure = written;
        return false;
    }
    start(BibliographyCommandLine(PrintProgramPath(folder), bibPath), folder);
    return true;
}

} // namespace PrintCommands
