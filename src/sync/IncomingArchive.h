#pragma once

#include "exchange/ImportDataFile.h"
#include "exchange/UnzipLimits.h"
#include "sync/ArchiveMeta.h"
#include "sync/MachineIndex.h"

#include <QList>
#include <QString>
#include <memory>

// An archive of another machine, checked against that machine's index and unpacked into
// a folder of its own: its "_Sync.txt" and its notes, held without their texts (read
// again from the unpacked data file when a note is stored).
class IncomingArchive
{
public:
    // Checks the file at path against listing (its size: a smaller file is still being
    // copied in; its SHA-256: a different one is damaged), unpacks it into folder (which
    // must exist) and reads it. None, with the reason, when any of it fails; the caller
    // removes the folder.
    static std::unique_ptr<IncomingArchive> Open(const QString& path, const ArchiveListing& listing,
                                                 const QString& folder, const UnzipLimits& limits,
                                                 QString* reason);

    const ArchiveMeta& Meta() const { return m_meta; }
    const QString& Folder() const { return m_folder; }
    int Count() const { return int(m_notes.size()); }
    // Entry i of the data file, without its texts; its SourceID is the writer's, its
    // AttachedSource the source written with it.
    const NoteRecord& Note(int i) const { return m_notes.at(i); }
    // The entry's version: as the archive names it, or (when it does not) fingerprinted here.
    NoteVersion Version(int i) const;
    // The entry whole.
    NoteRecord FullNote(int i) const;
    void ReadTexts(int i, NoteRecord& note) const { m_dataFile->ReadTexts(m_entries.at(i), note); }

    // The SourceGUID by which the fingerprint names a note's source ("" for none).
    static QString SourceGuidOf(const NoteRecord& note);

private:
    IncomingArchive() = default;

    QString m_folder;
    ArchiveMeta m_meta;
    QHash<QString, ArchiveMeta::Note> m_versions;
    std::unique_ptr<ImportDataFile> m_dataFile;
    NotesList m_notes;
    QList<ImportDataFile::Entry> m_entries;
};
