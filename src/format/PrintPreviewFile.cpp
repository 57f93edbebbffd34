#include "format/PrintPreviewFile.h"

#include "format/BibFile.h"
#include "format/FieldReader.h"
#include "format/FieldWriter.h"
#include "format/RecordList.h"

void WritePrintPreview(FieldWriter& writer, const NotesList& notes,
                       const std::function<SourceRecord(const NoteRecord&)>& sourceOf)
{
    WritePrintHandOffHead(writer, notes.size());
    for (const NoteRecord& note : notes) {
        note.Write(writer);
        WriteBibRecord(writer, sourceOf(note));
    }
}

namespace {

bool ReadPrintPreview(FieldReader& reader, PrintPreviewData* data)
{
    *data = PrintPreviewData();
    double version = 0.0;
    if (!ReadPrintHandOffVersion(reader, &data->version, &version))
        return false;
    // Note records are read by the version's value.
    RecordListReader list(reader, version);
    data->notes = list.ReadAll<NoteRecord>(
        [](FieldReader& from, double noteVersion) {
            NoteRecord note;
            note.Read(from, noteVersion);
            note.AttachedSource = ReadBibRecord(from);
            return note;
        },
        [](const NoteRecord&) { return true; });
    return true;
}

} // namespace

bool ParsePrintPreview(const QByteArray& logicalBytes, PrintPreviewData* data)
{
    FieldReader reader(logicalBytes);
    return ReadPrintPreview(reader, data);
}

bool ReadPrintPreviewFile(const QString& path, PrintPreviewData* data)
{
    bool opened = false;
    FieldReader reader = FieldReader::FromFile(path, &opened);
    *data = PrintPreviewData();
    return opened && ReadPrintPreview(reader, data);
}
