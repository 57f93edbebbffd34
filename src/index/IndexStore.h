#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;
struct sqlite3_blob;

// The search index's file: an SQLite database of its own, kept in the cache folder and
// never among the data files. It holds, for one notes folder:
//
//   meta(key, value)          'folder': the notes folder it was built from;
//                             PRAGMA user_version: the layout below (kFormat)
//   files(name, state)        each note file's stamp and records (IndexedFile)
//   lexicon(chunk, terms)     the vocabulary (Vocabulary), in chunks of term numbers
//   postings(id, docs)        per term, the documents holding it (DocSet), as last merged
//   pending(doc, terms)       documents added since: their terms, merged later in one go
//   categories(id, path)      the distinct category paths of the notes
//
// A store that cannot be opened as one of these (missing, not a database, another
// layout, another folder, damaged) is never repaired: the index is built again. Writes
// happen inside a transaction, so the stamps of the files and what was read from them
// change together or not at all.
class IndexStore
{
public:
    // Bumped whenever the layout or the meaning of anything stored changes.
    static constexpr int kFormat = 6;

    enum class OpenResult
    {
        Opened,
        Missing,
        Unusable, // not a database, another layout or folder, damaged
        Unavailable, // the folder cannot be read or written
    };

    IndexStore();
    ~IndexStore();
    IndexStore(const IndexStore&) = delete;
    IndexStore& operator=(const IndexStore&) = delete;

    // Opens the index at path made for the notes folder folderKey.
    OpenResult Open(const QString& path, const QString& folderKey);
    // A new, empty index at path for folderKey (anything there is replaced), to be filled
    // in one transaction: it keeps no journal, so a fill that fails is thrown away whole
    // (Open later keeps the usual log).
    bool Create(const QString& path, const QString& folderKey);
    void Close();
    bool IsOpen() const { return m_db != nullptr; }
    QString ErrorText() const;

    bool Begin();
    bool Commit();
    void Rollback();

    // Holds one read transaction over many reads while it lives: each read on its own
    // would take and give up the file's locks. Nothing when a transaction is open.
    class ReadScope
    {
    public:
        explicit ReadScope(IndexStore& store);
        ~ReadScope();
        ReadScope(const ReadScope&) = delete;
        ReadScope& operator=(const ReadScope&) = delete;

    private:
        IndexStore* m_store = nullptr;
    };

    // Each row in turn; false when the reading failed (a damaged store).
    bool ReadFiles(const std::function<void(const QString&, QByteArrayView)>& row);
    bool ReadLexicon(const std::function<bool(quint32, QByteArrayView)>& row);
    // The bytes of all the lexicon's chunks together (0 when that cannot be read).
    qint64 LexiconBytes();
    bool ReadPending(const std::function<void(quint32, QByteArrayView)>& row);
    bool ReadCategories(const std::function<void(quint32, QByteArrayView)>& row);
    // A term's documents; an empty blob when there is no row, none when reading failed.
    std::optional<QByteArray> ReadPostings(quint32 term);

    // A value of meta; an empty blob when there is none.
    std::optional<QByteArray> ReadMeta(const char* key);
    bool PutMeta(const char* key, QByteArrayView value);

    bool PutFile(const QString& name, QByteArrayView state);
    bool DeleteFile(const QString& name);
    bool PutLexicon(quint32 chunk, QByteArrayView terms);
    bool PutPostings(quint32 term, QByteArrayView docs);
    bool PutPending(quint32 doc, QByteArrayView terms);
    bool ClearPending();
    bool PutCategory(quint32 id, QByteArrayView path);

private:
    enum Statement
    {
        SelectFiles,
        SelectLexicon,
        SelectPending,
        SelectCategories,
        SelectPostings,
        SelectMeta,
        InsertMeta,
        InsertFile,
        RemoveFile,
        InsertLexicon,
        InsertPostings,
        InsertPending,
        RemovePending,
        InsertCategory,
        StatementCount
    };

    bool Exec(const char* sql);
    sqlite3_stmt* Prepared(Statement which);
    bool Run(sqlite3_stmt* statement);
    std::optional<QByteArray> ReadBlob(Statement which, quint32 key);
    std::optional<QByteArray> FirstBlob(sqlite3_stmt* statement);
    template<class Row> bool ReadRows(Statement which, Row row);
    bool OpenConnection(const QString& path, int flags);
    void Tune();

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_statements[StatementCount] = {};
    // Inside a ReadScope, where nothing is written: postings are read through one blob
    // handle moved from row to row, without running a statement for each.
    bool m_inReadScope = false;
    sqlite3_blob* m_postingsBlob = nullptr;
    std::optional<QByteArray> ReadPostingsBlob(quint32 term);
    void CloseBlob();
    QString m_error;
};
