#pragma once

#include "format/FieldReader.h"
#include "format/FieldWriter.h"

#include <QLatin1StringView>
#include <QList>

// The layout every list file shares (note files, "Sources.dat", "Authors.dat", "Bib.dat",
// the hand-off and export files): a head, then records back to back.
//   version   a Real (1.34), or for the print program's files the Text "1.34"
//   [fields of the file's own, such as an export's time]
//   Integer   the count N
//   N records
//
// Damaged files are read by one set of rules, here:
//  - a version that cannot be read (nothing there, or negative) reads as 0, the oldest;
//  - the count is never trusted: a negative count reads no record, and reading stops at
//    the end of the stream however many records were announced;
//  - a record that runs into the end of the stream is read with the defaults of the
//    field encoding for what is missing; each file's reader then keeps or drops it by its
//    own test (a record id of 0 or less is dropped), or with CutRecords::Drop drops it
//    whole (a cut inside a record's very last field cannot be told from its end).
class RecordListReader
{
public:
    enum class CutRecords
    {
        Keep,
        Drop,
    };

    // Reads the head: a Real version, then the count.
    explicit RecordListReader(FieldReader& reader);
    // For a head the caller has read up to the count itself: reads the count.
    RecordListReader(FieldReader& reader, double version);

    // The head rule for any reader of a list file: a version that cannot be read
    // (negative) reads as 0.
    static double ReadableVersion(double read) { return read < 0 ? 0 : read; }
    // For a head with fields of the file's own before the count: reads the Real version by
    // the rule above; the caller reads its own fields, then constructs with the version.
    static double ReadVersion(FieldReader& reader) { return ReadableVersion(reader.ReadReal()); }

    double Version() const { return m_version; }
    qint32 Count() const { return m_count; }
    // Room to reserve for the records: the count, but no more than the stream can hold
    // at minRecordBytes a record.
    qsizetype ReserveHint(qsizetype minRecordBytes) const;

    // True when another record is to be read: fewer than Count() read so far and bytes
    // left. Call before each record.
    bool Next();
    // After a record: true when the stream ended before the record did.
    bool RecordWasCut() const { return m_reader.RanOut(); }

    // Reads every record with read(reader, version) -> Record and keeps those for which
    // keep(record) holds (and, with CutRecords::Drop, that were not cut).
    template<typename Record, typename Read, typename Keep>
    QList<Record> ReadAll(Read read, Keep keep, CutRecords cut = CutRecords::Keep,
                          qsizetype minRecordBytes = 16)
    {
        QList<Record> records;
        records.reserve(ReserveHint(minRecordBytes));
        while (Next()) {
            Record record = read(m_reader, m_version);
            if (cut == CutRecords::Drop && RecordWasCut())
                break;
            if (keep(record))
                records.append(std::move(record));
        }
        return records;
    }

private:
    FieldReader& m_reader;
    double m_version = 0;
    qint32 m_count = 0;
    qint32 m_index = 0;
};

// Writes the head and the records of a list file into a FieldWriter; the caller saves it.
namespace RecordListWriter {

void WriteHead(FieldWriter& writer, double version, qsizetype count);
// The print program's files carry the version as a Text.
void WriteHead(FieldWriter& writer, QLatin1StringView versionText, qsizetype count);

// A head with fields of the file's own between the version and the count (an export's
// time): writeOwn(writer) writes them.
template<typename WriteOwn>
void WriteHead(FieldWriter& writer, double version, qsizetype count, WriteOwn writeOwn)
{
    writer.WriteReal(version);
    writeOwn(writer);
    writer.WriteInt(static_cast<qint32>(count));
}

// The head, then write(writer, record) for each record in list order.
template<typename Records, typename Write>
void WriteAll(FieldWriter& writer, double version, Records& records, Write write)
{
    WriteHead(writer, version, records.size());
    for (auto& record : records)
        write(writer, record);
}

} // namespace RecordListWriter
