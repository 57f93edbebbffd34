#include "format/FieldLists.h"

#include "format/FieldReader.h"
#include "format/FieldWriter.h"

void WriteIntList(FieldWriter& writer, const QList<qint32>& values)
{
    writer.WriteInt(static_cast<qint32>(values.size()));
    for (qint32 value : values)
        writer.WriteInt(value);
}

QList<qint32> ReadIntList(FieldReader& reader)
{
    QList<qint32> values;
    const qint32 count = reader.ReadInt();
    for (qint32 i = 0; i < count && !reader.AtEnd(); ++i)
        values.append(reader.ReadInt());
    return values;
}

void WriteTextList(FieldWriter& writer, const QStringList& texts)
{
    writer.WriteInt(static_cast<qint32>(texts.size()));
    for (const QString& text : texts)
        writer.WriteText(text);
}

QStringList ReadTextList(FieldReader& reader)
{
    QStringList texts;
    const qint32 count = reader.ReadInt();
    for (qint32 i = 0; i < count && !reader.AtEnd(); ++i)
        texts.append(reader.ReadText());
    return texts;
}
