#pragma once

#include <QByteArray>
#include <QString>

// One whole file at a time in a buffer that keeps its capacity from file to file, for
// the scanners that read thousands of note files in a row: no allocation, and no fresh
// pages to fault in, per file. The bytes are read straight with the system calls, which
// for many small files costs a fraction of a QFile.
class ReusedFileBuffer
{
public:
    // Replaces the contents with the file's bytes; false (and no bytes) when the file
    // cannot be opened. A read error keeps what was read before it.
    bool ReadFile(const QString& path);
    // Replaces the contents with a copy of bytes.
    void Assign(const QByteArray& bytes);
    // Applies the text-stream translation in place: cut at the first Ctrl-Z, CR LF to LF.
    void FoldLineEnds();

    const char* Data() const { return m_bytes.constData(); }
    qsizetype Size() const { return m_size; }

private:
    void Reserve(qsizetype size);

    QByteArray m_bytes; // never shared: its capacity is reused
    qsizetype m_size = 0;
};
