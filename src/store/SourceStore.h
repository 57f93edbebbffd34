#pragma once

#include "format/AuthorRecord.h"
#include "format/DataFolder.h"
#include "format/FileStatus.h"
#include "format/NoteRecord.h"
#include "format/SourceRecord.h"
#include "store/AttachedSourceCache.h"
#include "store/ListedNote.h"
#include "store/SourceBatch.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <functional>

class ChangeNotice;

// The sources and authors of the data folder, as "Data Files\Sources.dat" and
// "Data Files\Authors.dat" hold them, in file order. Every change rewrites the whole file
// first; when that fails the list in memory is put back as it was and the failure is
// returned. A change that was stored is told through the ChangeNotice (DataChange::Sources
// or DataChange::Authors). Questions and refusals are the commands' (SourceCommands).
//
// Which notes cite a source is an index of the note database (NoteDatabase::NotesCiting).
// Single-threaded.
class SourceStore
{
public:
    // changes must outlive the store.
    SourceStore(DataFolder folder, ChangeNotice& changes);

    // The settings value "MaxAuthorID" lives in the application's settings; binding it
    // here lets author ids be issued straight into it. Until bound the store keeps its own
    // copy with the settings' default (1). Not owned.
    void BindAuthorCounter(qint32* maxAuthorId);
    // Called whenever an issued author id must be made durable; returns its failure.
    void SetSettingsSaver(std::function<FileStatus()> saveSettings);

    // Reads both files afresh and rewrites "Sources.dat" when the rewrite would change it
    // (GUIDs made for sources read without one, an old file brought up to date). Tells
    // nothing: the note database's load tells the whole picture.
    void Load();
    // MaxAuthorID past the highest author id: that id + 1 when it is above the stored value,
    // else one more. Not saved (the load saves the settings once).
    void RaiseAuthorCounter();

    const SourceList& Sources() const { return m_sources; }
    const AuthorList& Authors() const { return m_authors; }
    // First match, or nullptr.
    const SourceRecord* FindSource(qint32 sourceId) const;
    const AuthorRecord* FindAuthor(qint32 authorId) const;
    qint32 MaxAuthorID() const { return *m_maxAuthorId; }
    // The larger of 1000 and the highest source id, plus one.
    qint32 NextSourceId() const;
    // A fresh source: style sourceFormat (the "SourceFormat" setting), NextSourceId and a
    // new GUID. Nothing is stored until AddSource.
    SourceRecord NewSource(qint32 sourceFormat) const;

    // Appends the source.
    FileStatus AddSource(const SourceRecord& source);
    enum class [[nodiscard]] Update {
        Stored,
        TypeChanged, // stored, and the type differs: the notes citing it count as edited
        NotFound,
        NotWritten,
    };
    // Replaces the source with the same id; a new type gives it a new SourceGUID.
    Update UpdateSource(const SourceRecord& source, FileStatus* failure = nullptr);
    // Whether the note file of the source's notes holds a note: such a source stays.
    bool SourceHasNotes(qint32 sourceId) const;
    // Removes the source (whatever its notes). A source no one has is success.
    FileStatus RemoveSource(qint32 sourceId);

    // Trims the three names; refuses (returns -1) when first and last name are both empty;
    // otherwise gives the author the next id (MaxAuthorID + 1, settings saved), appends
    // it. Returns the new id, or -1 with the failure (MaxAuthorID set back).
    qint32 AddAuthor(AuthorRecord author, FileStatus* failure = nullptr);
    // Replaces the author with the same id. False for an unknown id or a failure.
    bool UpdateAuthor(const AuthorRecord& author, FileStatus* failure = nullptr);
    // "Update" of an author: the three names, trimmed, replace the author's. Refused
    // (false) when first and last name are both empty or no author has the id.
    bool RenameAuthor(qint32 authorId, const QString& first, const QString& middle, const QString& last,
                      FileStatus* failure = nullptr);
    // Removes the author; sources keep the id until they are next formatted. An author no
    // one has is success.
    FileStatus RemoveAuthor(qint32 authorId);

    // Stores a batch of new sources and the new authors they name in one step (an import
    // of sources): the authors get the next author ids, the sources NextSourceId onwards
    // and new GUIDs, the placeholders in their AuthorIds are replaced and each citation is
    // formatted as the editor formats it; then "Authors.dat", "Sources.dat" and the
    // settings (MaxAuthorID) are written together and the change is told (Sources, and
    // Authors when authors were added). On a failure nothing changed: files, lists and
    // MaxAuthorID are as they were and nothing is told. batch receives the ids issued.
    FileStatus AddSourceBatch(SourceBatch& batch);

    // Gives every note with a source a copy of it as "Sources.dat" holds it now, its
    // citation formatted with these authors (an unknown source, or none, gives a fresh
    // default record).
    void FillAttachedSources(NotesList& notes) const;
    // The same for listed notes: every note of one source shares one copy of it; a note
    // without a known source has none.
    void FillAttachedSources(ListedNotes& notes) const;

    QString SourcesFilePath() const;
    QString AuthorsFilePath() const;
    // The notice every stored change is told through: a window showing the sources
    // follows it.
    ChangeNotice& Changes() const { return m_changes; }

    // The sources and authors an import brings in, kept in memory until the import has
    // written every file itself (in one transaction, from SourcesFileBytes and
    // AuthorsFileBytes): Commit keeps them; a batch ended without Commit puts the sources,
    // the authors and MaxAuthorID back as they were.
    class ImportBatch
    {
    public:
        explicit ImportBatch(SourceStore& store);
        ~ImportBatch();
        ImportBatch(const ImportBatch&) = delete;
        ImportBatch& operator=(const ImportBatch&) = delete;

        // The first source with that SourceGUID, or nullptr; valid until the next
        // AddSource. One lookup each: an import asks once per incoming note.
        const SourceRecord* FindByGuid(const QString& guid) const;
        // The author with the same five names, or a new one with the next author id.
        qint32 MatchOrAddAuthor(const AuthorRecord& incoming);
        // Appends the source with the next source id; returns the id.
        qint32 AddSource(SourceRecord source);
        QByteArray SourcesFileBytes() const;
        QByteArray AuthorsFileBytes() const;
        void Commit() { m_committed = true; }

    private:
        SourceStore& m_store;
        SourceList m_sourcesBefore;
        AuthorList m_authorsBefore;
        qint32 m_maxAuthorIdBefore;
        bool m_committed = false;
        QHash<QString, qsizetype> m_byGuid; // SourceGUID -> first source's position
    };

private:
    FileStatus WriteSources() const;
    FileStatus WriteAuthors() const;
    void Tell(bool sources, bool authors);

    DataFolder m_folder;
    ChangeNotice& m_changes;
    std::function<FileStatus()> m_saveSettings;
    qint32 m_ownMaxAuthorId = 1;
    qint32* m_maxAuthorId = &m_ownMaxAuthorId;
    SourceList m_sources;
    AuthorList m_authors;
    // The file's sources as notes carry them; read again when a file's stamp changes.
    mutable AttachedSourceCache m_attached;
};
