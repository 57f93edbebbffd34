#pragma once

#include "format/NoteRecord.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <functional>

class FileSystem;
class GrowingFile;

// "_ExpNotes.dat" of an archive being imported, read entry by entry so that the import
// never holds the texts of its notes: each note is handed over without its PlainText and
// RichText, with the place of its entry, from which ReadTexts reads them again when they
// are wanted (to show, edit or store the note).
//
// The file is read in pieces whose line ends are folded (CR LF to LF, nothing after a
// Ctrl-Z); each entry's place is that of its bytes on disk, which fold on their own. The
// rules are those of any list file
// (format/RecordList.h): the count is never trusted, a record that runs into the end of
// the file is dropped, and records with a NoteID of 0 or less are left out. Each note's
// SourceID is that of the source read with it (0 for a cleared source).
class ImportDataFile
{
public:
    enum class Result
    {
        Ok,
        Failed, // no such file, too large, or not readable and writable
        NewerVersion,
    };
    // Where an entry's bytes lie on disk.
    struct Entry
    {
        qint64 offset = 0;
        qint64 size = 0;
    };
    using Take = std::function<void(NoteRecord&& note, Entry entry)>;

    explicit ImportDataFile(QString path);
    // The file is still being written (as growing tells) up to statedSize bytes: reading
    // waits for the bytes it wants. Call before ReadAll.
    void ReadWhileWritten(const GrowingFile* growing, qint64 statedSize);
    ~ImportDataFile();
    ImportDataFile(const ImportDataFile&) = delete;
    ImportDataFile& operator=(const ImportDataFile&) = delete;

    // Reads every entry in file order. A version newer than this program's reads nothing
    // more.
    Result ReadAll(const Take& take);
    // Fills the texts of a note handed over by ReadAll from its entry.
    void ReadTexts(const Entry& entry, NoteRecord& note) const;
    // The entry's PlainText and RichText fields as stored (logical bytes, lengths
    // included), to be copied into a note file as they are; empty when they cannot be read.
    QByteArray ReadTextFields(const Entry& entry) const;
    // Closes and removes the file: an unpacked copy nobody reads any more, removed
    // before its bytes are written out to the disk. Nothing can be read after.
    void Discard(FileSystem& files);

private:
    bool Fill(qint64 atLeast);
    void NoteFoldedLineFeeds(const char* piece, qsizetype size);
    qint64 DiskPlace(qint64 logicalPlace);
    bool ReadEntries(qint32 count, const Take& take);
    void ShareSource(NoteRecord& note, const QByteArray& sourceBytes);
    void ShareRepeatedFields(NoteRecord& note);

    QString m_path;
    const GrowingFile* m_growing = nullptr;
    qint64 m_growingSize = 0;
    int m_fd = -1;
    double m_version = 0;
    qint64 m_diskSize = 0;
    qint64 m_readPos = 0; // disk bytes read
    qint64 m_logicalEnd = 0; // logical bytes made so far
    bool m_heldReturn = false; // a CR at the end of the last piece, waiting for its LF
    bool m_ended = false; // nothing more to read
    QByteArray m_window; // logical bytes from m_windowStart on
    qint64 m_windowStart = 0;
    qint64 m_entryDiskStart = 0;
    // The logical places of the LFs that were CR LF on disk, not yet passed; the passed
    // ones are counted.
    QList<qint64> m_foldedLineFeeds;
    qsizetype m_foldedPassed = 0;
    qint64 m_foldedDropped = 0;
    // Notes citing one source carry equal copies of it: they share one. Category paths
    // and key words repeat from note to note too.
    QHash<QByteArray, SourceRecord> m_sources;
    QByteArray m_lastSourceBytes; // the last source read, when reading it again gives it again
    SourceRecord m_lastSource;
    QHash<QString, CategoryAssignment> m_categories;
    QSet<QString> m_keyWords;
};
