#include "exchange/UnzipToFolder.h"

#include "exchange/ZipErrorText.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QStorageInfo>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

namespace {

struct EntryPlan
{
    zip_uint64_t index = 0;
    QString name;
    qint64 size = 0;
    bool isFolder = false;
};

class ArchiveReader
{
public:
    explicit ArchiveReader(const QString& path, QString* error)
    {
        int code = 0;
        m_archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
        if (m_archive == nullptr)
            *error = ZipErrorText(code);
    }
    ~ArchiveReader()
    {
        if (m_archive != nullptr)
            zip_discard(m_archive);
    }
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;
    zip_t* get() const { return m_archive; }

private:
    zip_t* m_archive = nullptr;
};

bool IsSymbolicLink(zip_t* archive, zip_uint64_t index)
{
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &system, &attributes) != 0)
        return false;
    // Unix-made archives keep the file mode in the upper half of the attributes.
    return system == ZIP_OPSYS_UNIX && ((attributes >> 16) & S_IFMT) == S_IFLNK;
}

bool Fail(QString* error, const QString& text)
{
    *error = text.left(kZipErrorTextLimit);
    return false;
}

// Checks every entry before anything is written.
bool PlanEntries(zip_t* archive, const UnzipLimits& limits, QList<EntryPlan>* plan, QString* error)
{
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    if (count < 0 || count > limits.maxEntries)
        return Fail(error, QStringLiteral("The archive holds too many entries."));
    qint64 total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive, zip_uint64_t(i), 0, &stat) != 0 || (stat.valid & ZIP_STAT_NAME) == 0)
            return Fail(error, ZipErrorText(zip_get_error(archive)));
        EntryPlan entry;
        entry.index = zip_uint64_t(i);
        entry.name = QString::fromUtf8(stat.name);
        if (!IsSafeEntryName(entry.name))
            return Fail(error, QStringLiteral("Unsafe entry name in the archive: ") + entry.name);
        if (IsSymbolicLink(archive, entry.index))
            return Fail(error, QStringLiteral("Symbolic link in the archive: ") + entry.name);
        entry.isFolder = entry.name.endsWith(QLatin1Char('/'));
        const zip_uint64_t size = (stat.valid & ZIP_STAT_SIZE) ? stat.size : 0;
        const zip_uint64_t packed = (stat.valid & ZIP_STAT_COMP_SIZE) ? stat.comp_size : 0;
        if (size > zip_uint64_t(limits.maxEntryBytes))
            return Fail(error, QStringLiteral("An entry of the archive is too large: ") + entry.name);
        entry.size = qint64(size);
        if (entry.size >= limits.ratioCheckFromBytes
            && zip_uint64_t(entry.size) / qMax<zip_uint64_t>(packed, 1)
                > zip_uint64_t(limits.maxExpansionRatio))
            return Fail(error, QStringLiteral("An entry of the archive expands too much: ") + entry.name);
        total += entry.size;
        if (total > limits.maxTotalBytes)
            return Fail(error, QStringLiteral("The archive expands beyond the size limit."));
        plan->append(entry);
    }
    return true;
}

bool EnoughFreeSpace(const QString& folderPath, qint64 needed, const UnzipLimits& limits)
{
    const QStorageInfo storage(folderPath);
    if (!storage.isValid() || storage.bytesAvailable() < 0)
        return true; // unknown: the writes themselves will fail
    return storage.bytesAvailable() - needed >= limits.keepFreeBytes;
}

// What the extraction of one archive keeps from entry to entry.
struct ExtractionState
{
    QByteArray buffer = QByteArray(256 * 1024, Qt::Uninitialized);
    QSet<QString> madeFolders;
};

bool MakeFolder(ExtractionState& state, const QString& path)
{
    if (state.madeFolders.contains(path))
        return true;
    if (!QDir().mkpath(path))
        return false;
    state.madeFolders.insert(path);
    return true;
}

bool WriteAll(int fd, const char* bytes, qint64 size)
{
    while (size > 0) {
        const ssize_t done = ::write(fd, bytes, static_cast<size_t>(size));
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        bytes += done;
        size -= done;
    }
    return true;
}

// Copies the entry's bytes, never more than its stored size; grown hears of each piece.
bool CopyEntry(zip_file_t* in, int out, const EntryPlan& entry, QByteArray& buffer, QString* error,
               const std::function<void(qint64)>& grown)
{
    qint64 written = 0;
    for (;;) {
        const zip_int64_t got = zip_fread(in, buffer.data(), zip_uint64_t(buffer.size()));
        if (got < 0)
            return Fail(error, ZipErrorText(zip_file_get_error(in)));
        if (got == 0)
            return true;
        written += got;
        if (written > entry.size)
            return Fail(error,
                        QStringLiteral("An entry of the archive is larger than it says: ") + entry.name);
        if (!WriteAll(out, buffer.constData(), got))
            return Fail(error, ZipErrorText(ZIP_ER_WRITE));
        if (grown)
            grown(written);
    }
}

// Streams one entry to disk. The file is created with the system calls (thousands of
// small attachments make a QFile's own checks count) and never through a link.
bool ExtractEntry(zip_t* archive, const EntryPlan& entry, const QDir& folder, ExtractionState& state,
                  QString* error, const UnzipFirst* first = nullptr)
{
    const QString target = folder.filePath(entry.name);
    if (entry.isFolder)
        return MakeFolder(state, target) || Fail(error, ZipErrorText(ZIP_ER_WRITE));
    const int slash = entry.name.lastIndexOf(QLatin1Char('/'));
    if (slash > 0 && !MakeFolder(state, folder.filePath(entry.name.left(slash))))
        return Fail(error, ZipErrorText(ZIP_ER_WRITE));
    zip_file_t* in = zip_fopen_index(archive, entry.index, 0);
    if (in == nullptr)
        return Fail(error, ZipErrorText(zip_get_error(archive)));
    const int out = ::open(QFile::encodeName(target).constData(),
                           O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (out < 0) {
        zip_fclose(in);
        return Fail(error, ZipErrorText(ZIP_ER_OPEN));
    }
    if (first != nullptr && first->started)
        first->started(entry.size);
    bool ok = CopyEntry(in, out, entry, state.buffer, error, first != nullptr ? first->grown : nullptr);
    zip_fclose(in);
    if (::close(out) != 0)
        ok = ok && Fail(error, ZipErrorText(ZIP_ER_WRITE));
    return ok;
}

} // namespace

bool IsSafeEntryName(const QString& name)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))
        || name.contains(QLatin1Char(':')) || name.contains(QChar(0)))
        return false;
    QStringList parts = name.split(QLatin1Char('/'));
    if (name.endsWith(QLatin1Char('/')))
        parts.removeLast();
    for (const QString& part : parts) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return false;
    }
    return true;
}

bool UnzipToFolder(const QString& archivePath, const QString& folderPath, QString* error,
                   const UnzipLimits& limits, const UnzipFirst& first)
{
    QString localError;
    QString* errorOut = error != nullptr ? error : &localError;
    const QDir folder(folderPath);
    if (!folder.exists())
        return Fail(errorOut, ZipErrorText(ZIP_ER_NOENT));
    ArchiveReader archive(archivePath, errorOut);
    if (archive.get() == nullptr)
        return false;
    QList<EntryPlan> plan;
    if (!PlanEntries(archive.get(), limits, &plan, errorOut))
        return false;
    qint64 total = 0;
    for (const EntryPlan& entry : plan)
        total += entry.size;
    if (!EnoughFreeSpace(folderPath, total, limits))
        return Fail(errorOut, QStringLiteral("Not enough free disk space to extract the archive."));
    ExtractionState state;
    const auto firstEntry = std::find_if(plan.cbegin(), plan.cend(), [&first](const EntryPlan& entry) {
        return !first.name.isEmpty() && !entry.isFolder && entry.name == first.name;
    });
    if (firstEntry != plan.cend()) {
        const bool whole = ExtractEntry(archive.get(), *firstEntry, folder, state, errorOut, &first);
        if (first.ended)
            first.ended(); // also after a failure, or before started: the reader waits no longer
        if (!whole)
            return false;
    }
    for (auto entry = plan.cbegin(); entry != plan.cend(); ++entry) {
        if (entry != firstEntry && !ExtractEntry(archive.get(), *entry, folder, state, errorOut))
            return false;
    }
    return true;
}
