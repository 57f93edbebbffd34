#pragma once

#include "format/DateTime.h"
#include "format/FileStatus.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class FileSystem;
class QIODevice;

// Writes fields in the data-file encoding (see FieldFormat.h) into memory; Save() or
// WriteTo() then puts the whole stream on disk with line feeds translated to CR LF.
// Writing a whole file at once lets every rewrite be atomic.
class FieldWriter
{
public:
    void WriteInt(qint32 value);
    void WriteBool(bool flag);
    void WriteReal(double value);
    void WriteText(const QString& text);
    void WriteTextBytes(const QByteArray& bytes);
    void WriteTime(const DateTime& value);
    // Fields already in this encoding, as another data file holds them (their logical
    // bytes): copied as they are.
    void WriteFields(QByteArrayView logicalBytes) { m_bytes.append(logicalBytes); }

    // The fields as written, before line-end translation.
    const QByteArray& LogicalBytes() const { return m_bytes; }
    // The bytes as they go to disk.
    QByteArray DiskBytes() const;
    // Whether disk holds DiskBytes() at pos, without making them; pos moves past them on
    // a match.
    bool DiskBytesMatch(QByteArrayView disk, qsizetype& pos) const;
    // Starts again from no fields, keeping the memory for the next ones.
    void Clear() { m_bytes.resize(0); }

    // Writes the disk bytes to an open device; false when the device fails.
    bool WriteTo(QIODevice* device) const;
    // Replaces the file at path atomically (created if missing) through files; a failure
    // leaves the file untouched.
    FileStatus Save(FileSystem& files, const QString& path) const;

private:
    QByteArray m_bytes;
};

// Replaces the file at path with the given bytes atomically through files; a failure
// leaves it untouched.
FileStatus SaveFileAtomically(FileSystem& files, const QString& path, const QByteArray& bytes);
