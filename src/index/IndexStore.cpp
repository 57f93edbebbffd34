#include "index/IndexStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace {

const char* const kSql[] = {
    "SELECT name, state FROM files",
    "SELECT chunk, terms FROM lexicon ORDER BY chunk",
    "SELECT doc, terms FROM pending ORDER BY doc",
    "SELECT id, path FROM categories ORDER BY id",
    "SELECT docs FROM postings WHERE id = ?1",
    "SELECT value FROM meta WHERE key = ?1",
    "INSERT OR REPLACE INTO meta(key, value) VALUES(?1, ?2)",
    "INSERT OR REPLACE INTO files(name, state) VALUES(?1, ?2)",
    "DELETE FROM files WHERE name = ?1",
    "INSERT OR REPLACE INTO lexicon(chunk, terms) VALUES(?1, ?2)",
    "INSERT OR REPLACE INTO postings(id, docs) VALUES(?1, ?2)",
    "INSERT OR REPLACE INTO pending(doc, terms) VALUES(?1, ?2)",
    "DELETE FROM pending",
    "INSERT INTO categories(id, path) VALUES(?1, ?2)",
};

const char kSchema[] = "CREATE TABLE meta(key TEXT PRIMARY KEY, value BLOB);"
                       "CREATE TABLE files(name TEXT PRIMARY KEY, state BLOB NOT NULL);"
                       "CREATE TABLE lexicon(chunk INTEGER PRIMARY KEY, terms BLOB NOT NULL);"
                       "CREATE TABLE postings(id INTEGER PRIMARY KEY, docs BLOB NOT NULL);"
                       "CREATE TABLE pending(doc INTEGER PRIMARY KEY, terms BLOB NOT NULL);"
                       "CREATE TABLE categories(id INTEGER PRIMARY KEY, path BLOB NOT NULL);";

QByteArrayView ColumnBlob(sqlite3_stmt* statement, int column)
{
    const void* data = sqlite3_column_blob(statement, column);
    const int size = sqlite3_column_bytes(statement, column);
    return QByteArrayView(static_cast<const char*>(data), data ? size : 0);
}

void BindBlob(sqlite3_stmt* statement, int index, QByteArrayView bytes)
{
    // An empty blob is still a blob, never NULL.
    sqlite3_bind_blob(statement, index, bytes.isEmpty() ? "" : bytes.data(), int(bytes.size()),
                      SQLITE_STATIC);
}

void BindText(sqlite3_stmt* statement, int index, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(statement, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

} // namespace

IndexStore::IndexStore() = default;

IndexStore::~IndexStore()
{
    Close();
}

void IndexStore::Close()
{
    CloseBlob();
    for (sqlite3_stmt*& statement : m_statements) {
        sqlite3_finalize(statement);
        statement = nullptr;
    }
    if (m_db) {
        sqlite3_close(m_db);
        m_db = nullptr;
    }
}

QString IndexStore::ErrorText() const
{
    return m_error;
}

bool IndexStore::OpenConnection(const QString& path, int flags)
{
    Close();
    const QByteArray name = QFile::encodeName(path);
    if (sqlite3_open_v2(name.constData(), &m_db, flags, nullptr) != SQLITE_OK) {
        m_error = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("out of memory");
        Close();
        return false;
    }
    sqlite3_extended_result_codes(m_db, 1);
    return true;
}

void IndexStore::Tune()
{
    // A cache: losing the last transactions to a power cut only means reading those note
    // files again (their stamps go with them), so the log is not forced to disk.
    Exec("PRAGMA journal_mode=WAL");
    Exec("PRAGMA synchronous=NORMAL");
    Exec("PRAGMA cache_size=-16000");
    Exec("PRAGMA temp_store=MEMORY");
    // Read in place: a blob on one page is handed out without being copied.
    Exec("PRAGMA mmap_size=1073741824");
}

IndexStore::OpenResult IndexStore::Open(const QString& path, const QString& folderKey)
{
    if (!QFileInfo::exists(path))
        return OpenResult::Missing;
    if (!OpenConnection(path, SQLITE_OPEN_READWRITE))
        return QFileInfo(path).isReadable() ? OpenResult::Unusable : OpenResult::Unavailable;
    sqlite3_stmt* check = nullptr;
    int format = -1;
    QString folder;
    if (sqlite3_prepare_v2(m_db, "PRAGMA user_version", -1, &check, nullptr) == SQLITE_OK
        && sqlite3_step(check) == SQLITE_ROW)
        format = sqlite3_column_int(check, 0);
    sqlite3_finalize(check);
    check = nullptr;
    if (format == kFormat
        && sqlite3_prepare_v2(m_db, "SELECT value FROM meta WHERE key = 'folder'", -1, &check, nullptr)
            == SQLITE_OK
        && sqlite3_step(check) == SQLITE_ROW)
        folder = QString::fromUtf8(ColumnBlob(check, 0));
    sqlite3_finalize(check);
    if (format != kFormat || folder != folderKey) {
        m_error = QStringLiteral("made by another version or for another folder");
        Close();
        return OpenResult::Unusable;
    }
    Tune();
    return OpenResult::Opened;
}

bool IndexStore::Create(const QString& path, const QString& folderKey)
{
    Close();
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        m_error = QStringLiteral("cannot make the folder");
        return false;
    }
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(path + QLatin1String(suffix));
    if (!OpenConnection(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE))
        return false;
    // Large pages: the vocabulary's chunks and the bitmaps of common terms are blobs of
    // tens of kilobytes, read in few pages rather than long chains of small ones.
    Exec("PRAGMA page_size=65536");
    // Filled in one go and thrown away whole when that fails: no journal to keep.
    Exec("PRAGMA journal_mode=OFF");
    Exec("PRAGMA synchronous=OFF");
    Exec("PRAGMA cache_size=-16000");
    sqlite3_stmt* meta = nullptr;
    const QByteArray folder = folderKey.toUtf8();
    const bool made = Exec(kSchema)
        && sqlite3_prepare_v2(m_db, "INSERT INTO meta(key, value) VALUES('folder', ?1)", -1, &meta, nullptr)
            == SQLITE_OK
        && (BindBlob(meta, 1, folder), sqlite3_step(meta) == SQLITE_DONE)
        && Exec(QByteArray("PRAGMA user_version=" + QByteArray::number(kFormat)).constData());
    sqlite3_finalize(meta);
    if (!made) {
        Close();
        QFile::remove(path);
    }
    return made;
}

bool IndexStore::Exec(const char* sql)
{
    char* message = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    m_error = QString::fromUtf8(message ? message : "failed");
    sqlite3_free(message);
    return false;
}

bool IndexStore::Begin()
{
    return Exec("BEGIN IMMEDIATE");
}

bool IndexStore::Commit()
{
    return Exec("COMMIT");
}

void IndexStore::Rollback()
{
    Exec("ROLLBACK");
}

IndexStore::ReadScope::ReadScope(IndexStore& store)
{
    if (store.m_db && sqlite3_get_autocommit(store.m_db) && store.Exec("BEGIN")) {
        m_store = &store;
        store.m_inReadScope = true;
    }
}

IndexStore::ReadScope::~ReadScope()
{
    if (!m_store)
        return;
    m_store->m_inReadScope = false;
    m_store->CloseBlob();
    m_store->Exec("COMMIT");
}

void IndexStore::CloseBlob()
{
    if (m_postingsBlob)
        sqlite3_blob_close(m_postingsBlob);
    m_postingsBlob = nullptr;
}

std::optional<QByteArray> IndexStore::ReadPostingsBlob(quint32 term)
{
    const int opened = m_postingsBlob
        ? sqlite3_blob_reopen(m_postingsBlob, sqlite3_int64(term))
        : sqlite3_blob_open(m_db, "main", "postings", "docs", sqlite3_int64(term), 0, &m_postingsBlob);
    if (opened != SQLITE_OK) {
        CloseBlob();
        return std::nullopt;
    }
    const int size = sqlite3_blob_bytes(m_postingsBlob);
    QByteArray bytes(size, Qt::Uninitialized);
    if (size > 0 && sqlite3_blob_read(m_postingsBlob, bytes.data(), size, 0) != SQLITE_OK) {
        CloseBlob();
        return std::nullopt;
    }
    return bytes;
}

sqlite3_stmt* IndexStore::Prepared(Statement which)
{
    sqlite3_stmt*& statement = m_statements[which];
    if (!statement && m_db
        && sqlite3_prepare_v3(m_db, kSql[which], -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr)
            != SQLITE_OK) {
        m_error = QString::fromUtf8(sqlite3_errmsg(m_db));
        statement = nullptr;
    }
    if (statement) {
        sqlite3_reset(statement);
        sqlite3_clear_bindings(statement);
    }
    return statement;
}

bool IndexStore::Run(sqlite3_stmt* statement)
{
    if (!statement)
        return false;
    const int result = sqlite3_step(statement);
    sqlite3_reset(statement);
    if (result == SQLITE_DONE)
        return true;
    m_error = QString::fromUtf8(sqlite3_errmsg(m_db));
    return false;
}

template<class Row> bool IndexStore::ReadRows(Statement which, Row row)
{
    sqlite3_stmt* statement = Prepared(which);
    if (!statement)
        return false;
    int result;
    while ((result = sqlite3_step(statement)) == SQLITE_ROW) {
        if (!row(statement)) {
            sqlite3_reset(statement);
            return false;
        }
    }
    sqlite3_reset(statement);
    if (result != SQLITE_DONE)
        m_error = QString::fromUtf8(sqlite3_errmsg(m_db));
    return result == SQLITE_DONE;
}

bool IndexStore::ReadFiles(const std::function<void(const QString&, QByteArrayView)>& row)
{
    return ReadRows(SelectFiles, [&](sqlite3_stmt* s) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
        row(QString::fromUtf8(text, sqlite3_column_bytes(s, 0)), ColumnBlob(s, 1));
        return true;
    });
}

bool IndexStore::ReadLexicon(const std::function<bool(quint32, QByteArrayView)>& row)
{
    return ReadRows(SelectLexicon, [&](sqlite3_stmt* s) {
        return row(quint32(sqlite3_column_int64(s, 0)), ColumnBlob(s, 1));
    });
}

bool IndexStore::ReadPending(const std::function<void(quint32, QByteArrayView)>& row)
{
    return ReadRows(SelectPending, [&](sqlite3_stmt* s) {
        row(quint32(sqlite3_column_int64(s, 0)), ColumnBlob(s, 1));
        return true;
    });
}

bool IndexStore::ReadCategories(const std::function<void(quint32, QByteArrayView)>& row)
{
    return ReadRows(SelectCategories, [&](sqlite3_stmt* s) {
        row(quint32(sqlite3_column_int64(s, 0)), ColumnBlob(s, 1));
        return true;
    });
}

qint64 IndexStore::LexiconBytes()
{
    sqlite3_stmt* sum = nullptr;
    qint64 bytes = 0;
    if (m_db
        && sqlite3_prepare_v2(m_db, "SELECT total(length(terms)) FROM lexicon", -1, &sum, nullptr)
            == SQLITE_OK
        && sqlite3_step(sum) == SQLITE_ROW)
        bytes = sqlite3_column_int64(sum, 0);
    sqlite3_finalize(sum);
    return bytes;
}

std::optional<QByteArray> IndexStore::ReadBlob(Statement which, quint32 key)
{
    sqlite3_stmt* statement = Prepared(which);
    if (!statement)
        return std::nullopt;
    sqlite3_bind_int64(statement, 1, key);
    return FirstBlob(statement);
}

std::optional<QByteArray> IndexStore::ReadMeta(const char* key)
{
    sqlite3_stmt* statement = Prepared(SelectMeta);
    if (!statement)
        return std::nullopt;
    sqlite3_bind_text(statement, 1, key, -1, SQLITE_STATIC);
    return FirstBlob(statement);
}

bool IndexStore::PutMeta(const char* key, QByteArrayView value)
{
    sqlite3_stmt* s = Prepared(InsertMeta);
    if (!s)
        return false;
    sqlite3_bind_text(s, 1, key, -1, SQLITE_STATIC);
    BindBlob(s, 2, value);
    return Run(s);
}

std::optional<QByteArray> IndexStore::FirstBlob(sqlite3_stmt* statement)
{
    const int result = sqlite3_step(statement);
    std::optional<QByteArray> blob;
    if (result == SQLITE_ROW)
        blob = ColumnBlob(statement, 0).toByteArray();
    else if (result == SQLITE_DONE)
        blob = QByteArray();
    else
        m_error = QString::fromUtf8(sqlite3_errmsg(m_db));
    sqlite3_reset(statement);
    return blob;
}

std::optional<QByteArray> IndexStore::ReadPostings(quint32 term)
{
    if (m_inReadScope && m_db) {
        if (std::optional<QByteArray> bytes = ReadPostingsBlob(term))
            return bytes;
    }
    // Outside a read scope, or a row the handle could not reach: as any read.
    return ReadBlob(SelectPostings, term);
}

bool IndexStore::PutFile(const QString& name, QByteArrayView state)
{
    sqlite3_stmt* s = Prepared(InsertFile);
    if (!s)
        return false;
    BindText(s, 1, name);
    BindBlob(s, 2, state);
    return Run(s);
}

bool IndexStore::DeleteFile(const QString& name)
{
    sqlite3_stmt* s = Prepared(RemoveFile);
    if (!s)
        return false;
    BindText(s, 1, name);
    return Run(s);
}

bool IndexStore::PutLexicon(quint32 chunk, QByteArrayView terms)
{
    sqlite3_stmt* s = Prepared(InsertLexicon);
    if (!s)
        return false;
    sqlite3_bind_int64(s, 1, chunk);
    BindBlob(s, 2, terms);
    return Run(s);
}

bool IndexStore::PutPostings(quint32 term, QByteArrayView docs)
{
    sqlite3_stmt* s = Prepared(InsertPostings);
    if (!s)
        return false;
    sqlite3_bind_int64(s, 1, term);
    BindBlob(s, 2, docs);
    return Run(s);
}

bool IndexStore::PutPending(quint32 doc, QByteArrayView terms)
{
    sqlite3_stmt* s = Prepared(InsertPending);
    if (!s)
        return false;
    sqlite3_bind_int64(s, 1, doc);
    BindBlob(s, 2, terms);
    return Run(s);
}

bool IndexStore::ClearPending()
{
    return Run(Prepared(RemovePending));
}

bool IndexStore::PutCategory(quint32 id, QByteArrayView path)
{
    sqlite3_stmt* s = Prepared(InsertCategory);
    if (!s)
        return false;
    sqlite3_bind_int64(s, 1, id);
    BindBlob(s, 2, path);
    return Run(s);
}
