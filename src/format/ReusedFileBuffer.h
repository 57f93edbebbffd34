#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

struct FileStamp;

// Replaces bytes with the whole file, read straight with the system calls (for many
// small files a fraction of the cost of a QFile); the array's allocation is reused when
// it is large enough. False, with bytes empty, when the path is no readable regular
// file; a read error keeps what was read before it. stamp, when given, gets the stamp of
// the file read, taken before its first byte was.
bool ReadWholeFile(const QString& path, QByteArray& bytes, FileStamp* stamp = nullptr);
// Replaces bytes with length bytes of an open file from offset; false when fewer are there.
bool ReadFileRange(int fd, qint64 offset, qsizetype length, QByteArray& bytes);

// One whole file at a time in a buffer that keeps its capacity from file to file, for
// the scanners that read thousands of note files in a row: no allocation, and no fresh
// pages to fault in, per file.
class ReusedFileBuffer
{
public:
    // Replaces the contents with the file's bytes; false (and no bytes) when the file
    // cannot be opened.
    bool ReadFile(const QString& path) { return ReadWholeFile(path, m_bytes); }
    // Replaces the contents with a copy of bytes.
    void Assign(const QByteArray& bytes);
    // Applies the text-stream translation in place: cut at the first Ctrl-Z, CR LF to LF;
    // folds, when given, receives where each LF that lost its CR now stands.
    void FoldLineEnds(std::vector<qsizetype>* folds = nullptr);

    const char* Data() const { return m_bytes.constData(); }
    qsizetype Size() const { return m_bytes.size(); }

private:
    QByteArray m_bytes; // never shared, so that shrinking keeps its capacity
};
