#include "exchange/ZipFolder.h"

#include "exchange/ZipErrorText.h"
#include "format/FileSystem.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cstdio>
#include <zip.h>

namespace {

constexpr zip_uint32_t kCompressionLevel = 1;

struct FolderEntry
{
    QString path; // on disk
    QByteArray name; // in the archive, UTF-8, "/" between folders
    bool isFolder = false;
};

// Sorted so that the same folder always gives the same archive.
QList<FolderEntry> CollectEntries(const QString& folderPath, bool keepFolderName)
{
    const QDir root(folderPath);
    const QString prefix = keepFolderName ? QFileInfo(folderPath).fileName() + QLatin1Char('/') : QString();
    QList<FolderEntry> entries;
    QDirIterator it(folderPath, QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        if (info.isSymLink())
            continue;
        FolderEntry entry;
        entry.path = info.filePath();
        entry.isFolder = info.isDir();
        QString name = prefix + root.relativeFilePath(entry.path);
        if (entry.isFolder)
            name += QLatin1Char('/');
        entry.name = name.toUtf8();
        entries.append(entry);
    }
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    return entries;
}

bool AddEntry(zip_t* archive, const FolderEntry& entry, QString* error)
{
    if (entry.isFolder) {
        if (zip_dir_add(archive, entry.name.constData(), ZIP_FL_ENC_UTF_8) >= 0)
            return true;
        *error = ZipErrorText(zip_get_error(archive));
        return false;
    }
    zip_error_t sourceError;
    zip_error_init(&sourceError);
    zip_source_t* source
        = zip_source_file_create(QFile::encodeName(entry.path).constData(), 0, -1, &sourceError);
    if (source == nullptr) {
        *error = ZipErrorText(&sourceError);
        zip_error_fini(&sourceError);
        return false;
    }
    zip_error_fini(&sourceError);
    const zip_int64_t index
        = zip_file_add(archive, entry.name.constData(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
    if (index < 0) {
        zip_source_free(source);
        *error = ZipErrorText(zip_get_error(archive));
        return false;
    }
    // The fastest deflate level: attachments are mostly compressed already (pictures,
    // PDF files), and text still shrinks to within a few percent of the default level.
    zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, kCompressionLevel);
    return true;
}

// libzip compresses and writes everything when the archive is closed.
bool WriteArchive(const QString& path, const QList<FolderEntry>& entries, QString* error)
{
    int code = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (archive == nullptr) {
        *error = ZipErrorText(code);
        return false;
    }
    for (const FolderEntry& entry : entries) {
        if (!AddEntry(archive, entry, error)) {
            zip_discard(archive);
            return false;
        }
    }
    if (zip_close(archive) != 0) {
        *error = ZipErrorText(zip_get_error(archive));
        zip_discard(archive);
        return false;
    }
    return true;
}

// A name beside the target, so that the final rename stays on one file system.
QString ReserveTemporaryPath(const QString& archivePath, QString* error)
{
    QTemporaryFile reserved(archivePath + QStringLiteral(".XXXXXX.part"));
    reserved.setAutoRemove(false);
    if (!reserved.open()) {
        *error = reserved.errorString().left(kZipErrorTextLimit);
        return {};
    }
    return reserved.fileName();
}

} // namespace

namespace {

bool WriteAndRename(FileSystem& fileSystem, const QString& archivePath, const QList<FolderEntry>& entries,
                    QString* errorOut)
{
    const QString temporary = ReserveTemporaryPath(archivePath, errorOut);
    if (temporary.isEmpty())
        return false;
    // A half-written temporary archive is only in the way: whether it goes is no failure.
    if (!WriteArchive(temporary, entries, errorOut)) {
        static_cast<void>(fileSystem.Remove(temporary));
        return false;
    }
    // A rename replaces an existing file in one step.
    if (const FileStatus renamed = fileSystem.Rename(temporary, archivePath); !renamed) {
        *errorOut = renamed.Message(); // the whole file name and reason
        static_cast<void>(fileSystem.Remove(temporary));
        return false;
    }
    return true;
}

} // namespace

bool ZipFolder(FileSystem& fileSystem, const QString& archivePath, const QString& folderPath,
               bool keepFolderName, QString* error)
{
    QString localError;
    QString* errorOut = error != nullptr ? error : &localError;
    if (!QFileInfo(folderPath).isDir()) {
        *errorOut = ZipErrorText(ZIP_ER_NOENT);
        return false;
    }
    return WriteAndRename(fileSystem, archivePath, CollectEntries(folderPath, keepFolderName), errorOut);
}

bool ZipFiles(FileSystem& fileSystem, const QString& archivePath, const QList<ZipFileEntry>& files,
              QString* error)
{
    QString localError;
    QString* errorOut = error != nullptr ? error : &localError;
    QList<FolderEntry> entries;
    entries.reserve(files.size());
    for (const ZipFileEntry& file : files) {
        const QFileInfo info(file.path);
        if (info.isFile())
            entries.append({file.path, file.entryName.toUtf8(), false});
    }
    return WriteAndRename(fileSystem, archivePath, entries, errorOut);
}
