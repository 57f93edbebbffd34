#include "format/StoredNoteRecords.h"

#include "format/FieldScan.h"
#include "format/FieldWriter.h"
#include "format/NoteRecordWalker.h"
#include "format/ReusedFileBuffer.h"
#include "format/Version.h"

namespace {

struct StoredRecordId
{
    qint32 NoteID = 0;
};

constexpr NoteFieldUses kStoredIdOnly
    = NoteFieldUses::All(FieldUse::Skip).With(NoteField::NoteID, FieldUse::Keep);

} // namespace

StoredNoteRecords StoredNoteRecords::Read(const QString& path)
{
    QByteArray bytes;
    if (!ReadWholeFile(path, bytes))
        return {};
    bytes.resize(FieldScan::FoldLineEndsInPlace(bytes.data(), bytes.size()));
    return FromLogicalBytes(std::move(bytes));
}

StoredNoteRecords StoredNoteRecords::FromLogicalBytes(QByteArray logicalBytes)
{
    StoredNoteRecords stored;
    stored.m_logical = std::move(logicalBytes);
    NoteFileWalker walker(stored.m_logical.constData(), stored.m_logical.size());
    // Written by this program's own layout: the bytes of a record are the record.
    const bool current = walker.Version() == Version::kNumber;
    while (walker.HasNext()) {
        const qsizetype start = walker.Position();
        StoredRecordId id;
        walker.Next<kStoredIdOnly>(id);
        if (!NoteFileWalker::IsKept(id.NoteID))
            continue;
        Record record;
        record.id = id.NoteID;
        record.start = start;
        record.end = walker.Position();
        if (!current || record.end >= stored.m_logical.size()) {
            FieldScan::Cursor fields {stored.m_logical.constData(), stored.m_logical.size(), start};
            NoteRecord whole;
            ReadNoteRecord(fields, walker.Layout(), whole);
            record.decoded = std::move(whole);
        }
        stored.m_records.append(std::move(record));
    }
    return stored;
}

void StoredNoteRecords::WriteRecord(int index, FieldWriter& writer) const
{
    const Record& record = m_records.at(index);
    if (record.decoded)
        record.decoded->Write(writer);
    else
        writer.WriteFields(QByteArrayView(m_logical).sliced(record.start, record.end - record.start));
}
