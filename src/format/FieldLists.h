#pragma once

#include <QList>
#include <QStringList>

class FieldReader;
class FieldWriter;

// The two composite fields of the sources files.

// Integer count N, then N Integers.
void WriteIntList(FieldWriter& writer, const QList<qint32>& values);
// A negative count reads as empty; a count beyond the stream stops at its end, so a
// damaged count never drives an allocation or a long loop.
QList<qint32> ReadIntList(FieldReader& reader);

// Integer count N, then N Texts.
void WriteTextList(FieldWriter& writer, const QStringList& texts);
// Same guards as ReadIntList.
QStringList ReadTextList(FieldReader& reader);
