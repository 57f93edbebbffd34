#include "exchange/PrintHandOffFiles.h"

#include "format/FieldReader.h"
#include "format/FieldWriter.h"
#include "format/RecordList.h"
#include "format/Version.h"
#include "sources/BibSourceRecord.h"
#include "sources/SourceLookup.h"

#include <QFile>

namespace {

// The version travels as a Text ("1.34"); note records are read by its value.
bool ReadVersion(FieldReader& reader, QString* version, double* value)
{
    *version = reader.ReadText();
    bool ok = false;
    *value = version->toDouble(&ok);
    // Only this program's own "1.x" layouts are known: any other number (a damaged
    // file's "100403.0" included) would read the records with a layout they do not have.
    return ok && version->startsWith(QLatin1String("1.")) && *value > 0.0;
}

QByteArray ReadLogicalFile(const QString& path, bool* opened)
{
    QFile file(path);
    *opened = file.open(QIODevice::ReadOnly);
    return *opened ? FieldReader::FromDiskBytes(file.readAll()) : QByteArray();
}

} // namespace

void WritePrintPreview(FieldWriter& writer, const NotesList& notes, const SourceList& sources,
                       const AuthorList& authors)
{
    RecordListWriter::WriteHead(writer, QLatin1StringView(Version::kText), notes.size());
    for (const NoteRecord& note : notes) {
        note.Write(writer);
        const SourceRecord* found = note.SourceID > 0 ? FindSource(sources, note.SourceID) : nullptr;
        SourceRecord source = found != nullptr ? *found : SourceRecord();
        WriteBibSourceRecord(writer, source, authors);
    }
}

FileStatus WritePrintPreviewFile(const QString& path, const NotesList& notes, const SourceList& sources,
                                 const AuthorList& authors)
{
    FieldWriter writer;
    WritePrintPreview(writer, notes, sources, authors);
    return writer.Save(path);
}

bool ParsePrintPreview(const QByteArray& logicalBytes, PrintPreviewData* data)
{
    FieldReader reader(logicalBytes);
    *data = PrintPreviewData();
    double version = 0.0;
    if (!ReadVersion(reader, &data->version, &version))
        return false;
    RecordListReader list(reader, version);
    data->notes = list.ReadAll<NoteRecord>(
        [](FieldReader& from, double noteVersion) {
            NoteRecord note;
            note.Read(from, noteVersion);
            note.AttachedSource = ReadBibSourceRecord(from);
            return note;
        },
        [](const NoteRecord&) { return true; });
    return true;
}

bool ReadPrintPreviewFile(const QString& path, PrintPreviewData* data)
{
    bool opened = false;
    const QByteArray bytes = ReadLogicalFile(path, &opened);
    return opened && ParsePrintPreview(bytes, data);
}

bool ParseBibFile(const QByteArray& logicalBytes, BibData* data)
{
    FieldReader reader(logicalBytes);
    *data = BibData();
    double version = 0.0;
    if (!ReadVersion(reader, &data->version, &version))
        return false;
    RecordListReader list(reader, version);
    data->sources
        = list.ReadAll<SourceRecord>([](FieldReader& from, double) { return ReadBibSourceRecord(from); },
                                     [](const SourceRecord&) { return true; });
    return true;
}

bool ReadBibFile(const QString& path, BibData* data)
{
    bool opened = false;
    const QByteArray bytes = ReadLogicalFile(path, &opened);
    return opened && ParseBibFile(bytes, data);
}
