#include "sync/IncomingArchive.h"

#include "exchange/ExchangeFormat.h"
#include "exchange/UnzipToFolder.h"
#include "sync/SealedLines.h"
#include "sync/SyncFormat.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

namespace {

// The reasons a file is skipped, shown in the sync's closing message and by the command line.
QString CheckFile(const QString& path, const ArchiveListing& listing)
{
    QFile file(path);
    if (!file.exists())
        return QStringLiteral("not copied in yet");
    if (file.size() < listing.bytes)
        return QStringLiteral("still being copied in (%1 of %2 bytes)").arg(file.size()).arg(listing.bytes);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot be read: %1").arg(file.errorString());
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (file.size() != listing.bytes || !hash.addData(&file) || hash.result().toHex() != listing.checksum)
        return QStringLiteral("damaged: it differs from what its machine wrote");
    return {};
}

} // namespace

std::unique_ptr<IncomingArchive> IncomingArchive::Open(const QString& path, const ArchiveListing& listing,
                                                       const QString& folder, const UnzipLimits& limits,
                                                       QString* reason)
{
    *reason = CheckFile(path, listing);
    if (!reason->isEmpty())
        return nullptr;
    QString error;
    if (!UnzipToFolder(path, folder, &error, limits)) {
        *reason = QStringLiteral("damaged: %1").arg(error);
        return nullptr;
    }
    std::unique_ptr<IncomingArchive> archive(new IncomingArchive);
    archive->m_folder = folder;
    QFile metaFile(QDir(folder).filePath(SyncFormat::ArchiveMetaName()));
    std::optional<ArchiveMeta> meta;
    if (metaFile.open(QIODevice::ReadOnly))
        meta = ArchiveMeta::Parse(metaFile.readAll());
    if (!meta) {
        *reason = QStringLiteral("damaged or from a newer version: its list of notes cannot be read");
        return nullptr;
    }
    archive->m_meta = std::move(*meta);
    archive->m_versions = archive->m_meta.NotesByGuid();
    archive->m_dataFile
        = std::make_unique<ImportDataFile>(QDir(folder).filePath(ExchangeFormat::DataFileName()));
    const ImportDataFile::Result read
        = archive->m_dataFile->ReadAll([&archive](NoteRecord&& note, ImportDataFile::Entry entry) {
              archive->m_notes.append(std::move(note));
              archive->m_entries.append(entry);
          });
    if (read != ImportDataFile::Result::Ok) {
        *reason = read == ImportDataFile::Result::NewerVersion
            ? QStringLiteral("written by a newer version of Quorvel")
            : QStringLiteral("damaged: its notes cannot be read");
        return nullptr;
    }
    return archive;
}

QString IncomingArchive::SourceGuidOf(const NoteRecord& note)
{
    return note.SourceID > 0 ? note.AttachedSource.SourceGUID : QString();
}

NoteVersion IncomingArchive::Version(int i) const
{
    const NoteRecord& note = m_notes.at(i);
    NoteVersion version;
    version.lastEdited = note.LastEdited;
    const auto named = m_versions.constFind(note.NoteGUID);
    if (named != m_versions.cend()) {
        version.fingerprint = named->fingerprint;
        version.history = named->history;
    } else {
        version.fingerprint = NoteFingerprint(FullNote(i), SourceGuidOf(note));
    }
    return version;
}

NoteRecord IncomingArchive::FullNote(int i) const
{
    NoteRecord note = m_notes.at(i);
    ReadTexts(i, note);
    return note;
}
