#include "format/SourcesFile.h"

#include "format/FieldLists.h"
#include "format/FieldReader.h"
#include "format/FieldWriter.h"
#include "format/Guid.h"
#include "format/RecordList.h"
#include "format/SourceFormat.h"
#include "format/Version.h"

#include <QDate>
#include <QLocale>
#include <QRegularExpression>
#include <cstdlib>

namespace {

FieldWriter SourcesWriter(const SourceList& sources)
{
    FieldWriter writer;
    RecordListWriter::WriteAll(writer, Version::kNumber, sources, WriteSourceRecord);
    return writer;
}

// The C atol rule: leading blanks, an optional sign, then digits.
long LeadingNumber(const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    return std::atol(bytes.constData());
}

void NormaliseFieldCount(QStringList& fields)
{
    while (fields.size() < kSourceFieldCount)
        fields.append(QString());
    if (fields.size() > kSourceFieldCount)
        fields.resize(kSourceFieldCount);
}

} // namespace

void WriteSourceRecord(FieldWriter& writer, const SourceRecord& source)
{
    WriteSourceLeadingFields(writer, source);
    writer.WriteInt(source.YearOnly);
    writer.WriteBool(source.DateSet);
    writer.WriteTime(source.Date);
}

void WriteSourceLeadingFields(FieldWriter& writer, const SourceRecord& source)
{
    writer.WriteText(source.SourceGUID);
    writer.WriteInt(source.SourceId);
    writer.WriteText(source.AuthorsText);
    writer.WriteInt(source.Style);
    writer.WriteInt(source.Type);
    writer.WriteInt(source.IndentSpaces);
    writer.WriteInt(source.AuthorsBeforeEtAl);
    WriteIntList(writer, source.AuthorIds);
    WriteTextList(writer, source.Fields);
}

void ReadSourceRecord(FieldReader& reader, double version, SourceRecord& source)
{
    using Version::AtOrBelow;
    if (!AtOrBelow(version, SourceFormat::kVersionWithoutGuid))
        source.SourceGUID = reader.ReadText();
    source.SourceId = reader.ReadInt();
    source.AuthorsText = reader.ReadText();
    if (AtOrBelow(version, SourceFormat::kVersionWithFiveTexts)) {
        NormaliseFieldCount(source.Fields);
        for (int index : {2, 0, 1, 3, 4})
            source.Fields[index] = reader.ReadText();
    } else {
        source.Style = reader.ReadInt();
        source.Type = reader.ReadInt();
        source.IndentSpaces = reader.ReadInt();
        source.AuthorsBeforeEtAl = reader.ReadInt();
        source.AuthorIds = ReadIntList(reader);
        source.Fields = ReadTextList(reader);
        NormaliseFieldCount(source.Fields);
    }
    if (AtOrBelow(version, SourceFormat::kVersionWithoutDate)) {
        DeriveDateFromDateText(source);
    } else {
        source.YearOnly = reader.ReadInt();
        source.DateSet = reader.ReadBool();
        reader.ReadTime(source.Date);
    }
    if (source.SourceGUID.isEmpty())
        source.SourceGUID = NewGuidText();
}

QDate ParseShortDate(const QString& text)
{
    static const QRegularExpression kNumeric(
        QStringLiteral("^\\s*(\\d{1,2})\\s*[/.-]\\s*(\\d{1,2})\\s*[/.-]\\s*(\\d{1,4})\\s*$"));
    const QRegularExpressionMatch match = kNumeric.match(text);
    if (match.hasMatch()) {
        const int month = match.captured(1).toInt();
        const int day = match.captured(2).toInt();
        int year = match.captured(3).toInt();
        if (match.captured(3).size() <= 2)
            year += year >= 30 ? 1900 : 2000;
        const QDate date(year, month, day);
        return date.isValid() ? date : QDate();
    }
    const QLocale locale;
    for (QLocale::FormatType form : {QLocale::ShortFormat, QLocale::LongFormat}) {
        const QDate date = locale.toDate(text.trimmed(), form);
        if (date.isValid())
            return date;
    }
    return {};
}

void DeriveDateFromDateText(SourceRecord& source)
{
    QString& text = source.Fields[2];
    const long leading = LeadingNumber(text);
    if (leading > 1000 && leading < 3000) {
        text = QStringLiteral("1/1/") + text;
        source.YearOnly = 1;
    }
    const QDate date = ParseShortDate(text);
    source.DateSet = date.isValid();
    if (source.DateSet)
        source.Date = DateTime::FromParts(date.year(), date.month(), date.day(), 0, 0, 0);
}

SourceList ReadSourcesFile(FieldReader& reader)
{
    RecordListReader list(reader);
    return list.ReadAll<SourceRecord>(
        [](FieldReader& from, double version) {
            SourceRecord source;
            ReadSourceRecord(from, version, source);
            return source;
        },
        [](const SourceRecord& source) { return source.SourceId > 0; });
}

SourceList ParseSourcesFile(const QByteArray& logicalBytes)
{
    FieldReader reader(logicalBytes);
    return ReadSourcesFile(reader);
}

SourceList LoadSourcesFile(QIODevice* device)
{
    FieldReader reader = FieldReader::FromDevice(device);
    return ReadSourcesFile(reader);
}

SourceList LoadSourcesFile(const QString& path)
{
    FieldReader reader = FieldReader::FromFile(path);
    return ReadSourcesFile(reader);
}

QByteArray SerializeSourcesFile(const SourceList& sources)
{
    return SourcesWriter(sources).DiskBytes();
}

bool SourcesFileHolds(const SourceList& sources, const QByteArray& diskBytes)
{
    FieldWriter writer;
    RecordListWriter::WriteHead(writer, Version::kNumber, sources.size());
    qsizetype pos = 0;
    if (!writer.DiskBytesMatch(diskBytes, pos))
        return false;
    for (const SourceRecord& source : sources) {
        writer.Clear();
        WriteSourceRecord(writer, source);
        if (!writer.DiskBytesMatch(diskBytes, pos))
            return false;
    }
    return pos == diskBytes.size();
}

bool WriteSourcesFile(QIODevice* device, const SourceList& sources)
{
    return SourcesWriter(sources).WriteTo(device);
}

FileStatus WriteSourcesFile(FileSystem& files, const QString& path, const SourceList& sources)
{
    return SourcesWriter(sources).Save(files, path);
}
