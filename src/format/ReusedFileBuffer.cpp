#include "format/ReusedFileBuffer.h"

#include "format/FieldScan.h"
#include "format/FileDescriptor.h"
#include "format/FileStamp.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool ReadWholeFile(const QString& path, QByteArray& bytes, FileStamp* stamp)
{
    bytes.resize(0);
    const FileDescriptor file(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0)
        return false;
    struct stat info
    {
    };
    if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    if (stamp)
        *stamp = FileStamp::FromStat(info);
    // One byte more than the size, so that a file that has not grown is read to its end
    // in one call and the next returns 0; a file that grows meanwhile is read as it is.
    qsizetype capacity = static_cast<qsizetype>(info.st_size) + 1;
    qsizetype size = 0;
    bytes.resize(capacity);
    for (;;) {
        if (size == capacity) {
            capacity *= 2;
            bytes.resize(capacity);
        }
        const ssize_t got = ::read(file.Get(), bytes.data() + size, static_cast<size_t>(capacity - size));
        if (got > 0)
            size += got;
        else if (got == 0 || errno != EINTR)
            break;
    }
    bytes.resize(size);
    return true;
}

bool ReadFileRange(int fd, qint64 offset, qsizetype length, QByteArray& bytes)
{
    bytes.resize(length);
    qsizetype size = 0;
    while (size < length) {
        const ssize_t got
            = ::pread(fd, bytes.data() + size, static_cast<size_t>(length - size), offset + size);
        if (got > 0)
            size += got;
        else if (got == 0 || errno != EINTR)
            return false;
    }
    return true;
}

void ReusedFileBuffer::Assign(const QByteArray& bytes)
{
    m_bytes.resize(bytes.size());
    if (!bytes.isEmpty())
        std::memcpy(m_bytes.data(), bytes.constData(), static_cast<size_t>(bytes.size()));
}

void ReusedFileBuffer::FoldLineEnds(std::vector<qsizetype>* folds)
{
    m_bytes.resize(FieldScan::FoldLineEndsInPlace(m_bytes.data(), m_bytes.size(), folds));
}
