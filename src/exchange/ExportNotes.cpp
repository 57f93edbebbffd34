#include "exchange/ExportNotes.h"

#include "exchange/ExchangeFormat.h"
#include "exchange/ExportDataWriter.h"
#include "exchange/TempFolder.h"
#include "exchange/ZipFolder.h"
#include "format/AttachmentRecord.h"
#include "format/NoteFile.h"
#include "format/SourcesFile.h"
#include "platform/ProgressReporter.h"
#include "platform/UserPrompt.h"
#include "store/NoteDatabase.h"
#include "store/NoteFileGroups.h"
#include "store/SourceStore.h"

#include <QDir>
#include <QTemporaryDir>
#include <functional>
#include <optional>

namespace {

// The archive holds the data file and a copy of every attached file at its root. The
// attached files go into the archive straight from the attachment folder: the entries
// are the same as those of a copy gathered in the temporary folder, without the copying.
QList<ZipFileEntry> AttachedFiles(const NoteRecord& note, const DataFolder& folder)
{
    QList<ZipFileEntry> files;
    for (const AttachmentRecord& attachment : note.Attachments) {
        if (ExchangeFormat::IsPlainStoredName(attachment.StoredName))
            files.append({AttachmentPath(attachment, folder), attachment.StoredName});
    }
    return files;
}

// What the notes gave: their entries in archive order and the attached files.
struct ExportPlan
{
    QList<ExportDataWriter::Span> order;
    QList<ZipFileEntry> files;
};

// Reads the notes and adds their entries to the data file, filling the plan.
using NoteWalk = std::function<FileStatus(ExportDataWriter&, ProgressReporter&, ExportPlan*)>;

// The notes with the given ids, in that order. Each note file is read once: the ids are
// first sorted by the file that holds them, and each note's entry and attached files
// are kept at its place in the list until the data file is put together.
FileStatus AddNotesByIds(const NoteIdList& ids, const NoteDatabase& database, ExportDataWriter& data,
                         ProgressReporter& progress, ExportPlan* plan)
{
    QList<ExportDataWriter::Span> spans(ids.Count());
    QList<QList<ZipFileEntry>> attached(ids.Count());
    FileStatus failure;
    NoteFileGroups(database.FileIndex(), ids).Read([&](int place, const NoteRecord& note) {
        failure = data.Add(note, &spans[place]);
        if (!failure)
            return false;
        attached[place] = AttachedFiles(note, database.Folder());
        progress.Step();
        return true;
    });
    if (!failure)
        return failure;
    for (int place = 0; place < ids.Count(); ++place) {
        if (spans.at(place).IsValid()) {
            plan->order.append(spans.at(place));
            plan->files.append(attached.at(place));
        }
    }
    return FileStatus::Ok();
}

FileStatus AddAllNotes(const NoteDatabase& database, ExportDataWriter& data, ProgressReporter& progress,
                       ExportPlan* plan)
{
    const DataFolder& folder = database.Folder();
    for (const QString& name : NoteDatabase::NoteFileNames(folder)) {
        const NotesList notes = ReadNoteFile(folder.NoteFilePath(name));
        for (const NoteRecord& note : notes) {
            ExportDataWriter::Span span;
            if (const FileStatus added = data.Add(note, &span); !added)
                return added;
            plan->order.append(span);
            plan->files.append(AttachedFiles(note, folder));
            progress.Step();
        }
    }
    return FileStatus::Ok();
}

FileStatus AddGivenNotes(const NotesList& notes, const DataFolder& folder, ExportDataWriter& data,
                         ProgressReporter& progress, ExportPlan* plan)
{
    for (const NoteRecord& note : notes) {
        ExportDataWriter::Span span;
        if (const FileStatus added = data.Add(note, &span); !added)
            return added;
        plan->order.append(span);
        plan->files.append(AttachedFiles(note, folder));
        progress.Step();
    }
    return FileStatus::Ok();
}

int Failed(const ExportContext& context, const QString& text, const QString& caption)
{
    if (context.prompt != nullptr)
        context.prompt->Tell(text, caption, UserPrompt::Icon::Warning);
    if (context.error != nullptr)
        *context.error = text;
    return ExchangeFormat::kExportCompressionFailed;
}

int WriteArchive(int expected, const NoteWalk& walk, const QString& archivePath, const ExportContext& context,
                 const QString& tempPath, ProgressReporter& progress)
{
    if (const FileStatus reset = ResetTempFolder(context.database->Folder().Files(), tempPath); !reset)
        return Failed(context, reset.Message(), FileStatus::Caption());
    const DataFolder& folder = context.database->Folder();
    progress.Begin(QStringLiteral("Exporting notes..."), expected + 2);
    progress.Step();
    const SourceList sources = LoadSourcesFile(folder.SourcesFilePath());
    const DateTime exportTime = DateTime::CurrentLocal();
    ExportDataWriter data(folder.Files(), tempPath, sources, context.sources->Authors());
    ExportPlan plan;
    const QString dataFile = QDir(tempPath).filePath(ExchangeFormat::DataFileName());
    FileStatus written = walk(data, progress, &plan);
    if (written)
        written = data.Finish(dataFile, plan.order, exportTime);
    if (!written)
        return Failed(context, written.Message(), FileStatus::Caption());
    plan.files.prepend({dataFile, ExchangeFormat::DataFileName()});
    plan.files.append(context.extraFiles);
    progress.SetPosition(expected + 1);
    progress.SetMessage(QStringLiteral("Compressing export file..."));
    QString error;
    const bool zipped = ZipFiles(folder.Files(), archivePath, plan.files, &error);
    progress.Step();
    if (!zipped)
        return Failed(context, error, QStringLiteral("Archiving Error"));
    // No note still gives an archive (Count 0) but counts as nothing written.
    return int(plan.order.size());
}

int Export(int expected, const NoteWalk& walk, const QString& archivePath, const ExportContext& context)
{
    if (context.database == nullptr || context.sources == nullptr)
        return ExchangeFormat::kExportCompressionFailed;
    ProgressReporter& progress = context.progress != nullptr ? *context.progress : SilentProgress();
    // A read-only data folder has no room for the temporary folder: a private one of the
    // system's (mode 0700, a name nobody can foresee) serves instead.
    const DataFolder& folder = context.database->Folder();
    std::optional<QTemporaryDir> privateTemp;
    if (folder.IsReadOnly()) {
        privateTemp.emplace(QDir(QDir::tempPath()).filePath(QStringLiteral("quorvel-export-XXXXXX")));
        if (!privateTemp->isValid())
            return Failed(context, privateTemp->errorString(), FileStatus::Caption());
    }
    const QString tempPath = privateTemp ? privateTemp->filePath(QStringLiteral("ExportTemp"))
                                         : folder.FullPath(ExchangeFormat::ExportTempName());
    const int result = WriteArchive(expected, walk, archivePath, context, tempPath, progress);
    RemoveTempFolder(context.database->Folder().Files(), tempPath);
    progress.End();
    return result;
}

} // namespace

int ExportNotes(const NoteIdList& ids, const QString& archivePath, const ExportContext& context)
{
    const NoteWalk walk = [&](ExportDataWriter& data, ProgressReporter& progress, ExportPlan* plan) {
        return AddNotesByIds(ids, *context.database, data, progress, plan);
    };
    return Export(ids.Count(), walk, archivePath, context);
}

int ExportAllNotes(const QString& archivePath, const ExportContext& context)
{
    const NoteWalk walk = [&](ExportDataWriter& data, ProgressReporter& progress, ExportPlan* plan) {
        return AddAllNotes(*context.database, data, progress, plan);
    };
    return Export(context.database != nullptr ? context.database->Total() : 0, walk, archivePath, context);
}

int ExportNoteRecords(const NotesList& notes, const QString& archivePath, const ExportContext& context)
{
    const NoteWalk walk = [&](ExportDataWriter& data, ProgressReporter& progress, ExportPlan* plan) {
        return AddGivenNotes(notes, context.database->Folder(), data, progress, plan);
    };
    return Export(int(notes.size()), walk, archivePath, context);
}
