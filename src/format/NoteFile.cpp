#include "format/NoteFile.h"

#include "format/DataFolder.h"
#include "format/FieldScan.h"
#include "format/FieldWriter.h"
#include "format/NoteFormat.h"
#include "format/NoteRecordWalker.h"
#include "format/RecordList.h"
#include "format/ReusedFileBuffer.h"
#include "format/Version.h"

#include <QFile>
#include <cstdio>

QString NoteFileBaseName(const NoteRecord& record)
{
    char buffer[64];
    if (record.SourceID >= 1)
        std::snprintf(buffer, sizeof buffer, "SRC%.10d.dat", record.SourceID);
    else
        std::snprintf(buffer, sizeof buffer, "DAY%s.dat", record.DateAdded.Format("%m%d%Y").constData());
    return QString::fromLatin1(buffer);
}

QString NoteFileName(const NoteRecord& record)
{
    return DataFolder::NotesName() + NoteFileBaseName(record);
}

NotesList ParseNoteFile(const QByteArray& logicalBytes)
{
    NoteFileWalker walker(logicalBytes.constData(), logicalBytes.size());
    NotesList notes;
    AppendKeptNoteRecords(walker, notes);
    return notes;
}

namespace {
FieldWriter WriteNotes(const NotesList& notes)
{
    FieldWriter writer;
    RecordListWriter::WriteAll(writer, Version::kNumber, notes,
                               [](FieldWriter& to, const NoteRecord& note) { note.Write(to); });
    return writer;
}
} // namespace

QByteArray SerializeNoteFile(const NotesList& notes)
{
    return WriteNotes(notes).LogicalBytes();
}

QByteArray NoteFileDiskBytes(const NotesList& notes)
{
    return WriteNotes(notes).DiskBytes();
}

NotesList ReadNoteFile(const QString& path)
{
    return ReadNoteFile(path, nullptr);
}

NotesList ReadNoteFile(const QString& path, FileStamp* stamp)
{
    QByteArray bytes;
    if (!ReadWholeFile(path, bytes, stamp))
        return {};
    bytes.resize(FieldScan::FoldLineEndsInPlace(bytes.data(), bytes.size()));
    return ParseNoteFile(bytes);
}

FileStatus WriteNoteFile(FileSystem& files, const QString& path, const NotesList& notes)
{
    return WriteNotes(notes).Save(files, path);
}
