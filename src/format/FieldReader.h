#pragma once

#include "format/DateTime.h"
#include "format/FieldScan.h"

#include <QByteArray>
#include <QString>

class QIODevice;

// Reads fields of the data-file encoding (see FieldFormat.h) from the logical bytes of
// a file: CR LF already folded to LF and everything from the first Ctrl-Z cut off.
// Reads never fail: a field that runs past the end yields the defaults of the encoding
// (-21122112 for an Integer or Real of which nothing was read, a partial value for a
// truncated one, an empty or shortened text).
class FieldReader
{
public:
    explicit FieldReader(QByteArray logicalBytes);
    // Reads a whole device (or file) and applies the line-end translation; a device or
    // file that cannot be read gives an empty reader, with ok() false for the path form.
    static FieldReader FromDevice(QIODevice* device);
    static FieldReader FromFile(const QString& path, bool* opened = nullptr);
    // The translation of text streams: CR LF becomes LF, Ctrl-Z ends the stream.
    static QByteArray FromDiskBytes(const QByteArray& diskBytes);

    qint32 ReadInt();
    bool ReadBool();
    double ReadReal();
    QString ReadText();
    QByteArray ReadTextBytes();
    // Changes value only when the stored text has exactly five dashes.
    void ReadTime(DateTime& value);

    bool AtEnd() const { return m_pos >= m_bytes.size(); }
    // True once a field was asked for after the stream had ended: what was read since
    // is made of defaults, so a record read then was cut short.
    bool RanOut() const { return m_ranOut; }
    qsizetype Remaining() const { return m_bytes.size() - m_pos; }
    qsizetype Position() const { return m_pos; }
    // The bytes and the place, for readers that walk fields in place (NoteRecordWalker);
    // SetPosition then moves past what they read.
    FieldScan::Cursor Fields() const { return {m_bytes.constData(), m_bytes.size(), m_pos}; }
    void SetPosition(qsizetype pos) { m_pos = qBound<qsizetype>(0, pos, m_bytes.size()); }

private:
    QByteArray m_bytes;
    qsizetype m_pos = 0;
    bool m_ranOut = false;
};
