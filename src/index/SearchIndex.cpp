#include "index/SearchIndex.h"

#include "index/FolderStamps.h"
#include "index/IndexBuilder.h"
#include "index/IndexContent.h"
#include "index/IndexQuery.h"
#include "index/IndexStore.h"
#include "index/IndexUpdater.h"
#include "index/TextMatcher.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <cstdio>

namespace {

// New documents are kept as pending rows until this many wait; then they are merged.
constexpr quint32 kMostPending = 1000;

QString FolderKey(const QString& notesFolder)
{
    const QFileInfo info(notesFolder);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

bool ReplaceFile(const QString& from, const QString& to)
{
    for (const char* suffix : {"-wal", "-shm"})
        QFile::remove(to + QLatin1String(suffix));
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// The note files whose stamps differ from those the content read them with, or that it
// does not know; and the files it knows that are no longer listed.
void FindChanges(const IndexContent& content, const QString& notesFolder, const QStringList& names,
                 QStringList* changed, QStringList* dropped)
{
    const QHash<QString, IndexedFile>& files = content.Files();
    const std::vector<std::optional<FileStamp>> stamps = FolderStamps(notesFolder).OfAll(names);
    qsizetype known = 0;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString& name = names.at(i);
        const auto file = files.constFind(name);
        known += file != files.cend();
        const std::optional<FileStamp>& stamp = stamps[size_t(i)];
        if (file == files.cend() || !stamp || file->stamp != *stamp)
            changed->append(name);
    }
    if (known == files.size())
        return; // every file known is still listed (the names are distinct)
    const QSet<QString> listed(names.cbegin(), names.cend());
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        if (!listed.contains(it.key()))
            dropped->append(it.key());
    }
}

QStringList PathsOf(const QString& notesFolder, const QStringList& names)
{
    QStringList paths;
    paths.reserve(names.size());
    const QDir folder(notesFolder);
    for (const QString& name : names)
        paths.append(folder.filePath(name));
    return paths;
}

// Reads the changed files into the content in one transaction: true when stored.
bool StoreChanges(IndexStore& store, IndexContent& content, const QString& notesFolder,
                  const QStringList& changed, const QStringList& dropped,
                  const std::function<bool(int)>& step = {})
{
    if (!store.Begin())
        return false;
    IndexUpdater(content, true).Update(changed, PathsOf(notesFolder, changed), dropped, step);
    if (content.PendingCount() > kMostPending)
        content.FoldPending();
    // Documents that left every file stay in the postings until these are rewritten.
    if (content.DroppedCount() > std::max<quint32>(10000, content.DocCount()))
        content.Compact();
    content.StoreNewTerms();
    if (!content.Failed() && (!step || step(int(changed.size()))) && store.Commit())
        return true;
    store.Rollback();
    return false;
}

bool IsWritableFolderOf(const QString& file)
{
    return QFileInfo(QFileInfo(file).absolutePath()).isWritable();
}

// An index opened for answers: its content read in one snapshot of every table, whatever
// another process commits meanwhile, and with prepareTerms every term read and hashed for
// adding too. No content when it cannot be opened or read.
struct OpenedIndex
{
    IndexStore::OpenResult result = IndexStore::OpenResult::Unavailable;
    std::unique_ptr<IndexStore> store;
    std::unique_ptr<IndexContent> content;
};

OpenedIndex OpenIndex(const QString& notesFolder, const QString& indexFile, bool prepareTerms)
{
    OpenedIndex opened;
    opened.store = std::make_unique<IndexStore>();
    opened.result = opened.store->Open(indexFile, FolderKey(notesFolder));
    if (opened.result != IndexStore::OpenResult::Opened)
        return opened;
    auto content = std::make_unique<IndexContent>(*opened.store);
    {
        const IndexStore::ReadScope reading(*opened.store);
        if (!content->Load() || (prepareTerms && !content->PrepareEveryTerm()))
            return opened;
    }
    opened.content = std::move(content);
    return opened;
}

} // namespace

struct SearchIndex::Build
{
    std::thread thread;
    std::atomic<int> done {0};
    std::atomic<int> total {0};
    std::atomic<bool> stop {false};
    std::atomic<bool> finished {false};
    bool built = false;
    // The index opened on the thread, its terms prepared when asked: handed over whole,
    // so that the window's thread opens nothing.
    bool prepareTerms = false;
    std::unique_ptr<IndexStore> store;
    std::unique_ptr<IndexContent> content;

    bool Step(int filesDone)
    {
        done = filesDone;
        return !stop;
    }

    // Reads the changed files into the index at indexFile; false when it cannot be opened.
    bool CatchUp(const QString& notesFolder, const QString& indexFile, const QStringList& names)
    {
        IndexStore store;
        if (store.Open(indexFile, FolderKey(notesFolder)) != IndexStore::OpenResult::Opened)
            return false;
        IndexContent content(store);
        if (!content.Load())
            return false;
        QStringList changed;
        QStringList dropped;
        FindChanges(content, notesFolder, names, &changed, &dropped);
        total = int(changed.size());
        return StoreChanges(store, content, notesFolder, changed, dropped, [this](int n) { return Step(n); });
    }

    // Reads every named file into a new index beside indexFile, then puts it in its place.
    bool FromNothing(const QString& notesFolder, const QString& indexFile, const QStringList& names)
    {
        const QString temporary = indexFile + QStringLiteral(".new");
        IndexStore store;
        if (!store.Create(temporary, FolderKey(notesFolder)) || !store.Begin())
            return false;
        total = int(names.size());
        const bool made = IndexBuilder(store).Build(notesFolder, names, [this](int n) { return Step(n); })
            && !stop && store.Commit();
        store.Close();
        if (!made || !ReplaceFile(temporary, indexFile)) {
            QFile::remove(temporary);
            return false;
        }
        return true;
    }
};

SearchIndex::SearchIndex(QString notesFolder, QString indexFile)
    : m_notesFolder(std::move(notesFolder))
    , m_indexFile(std::move(indexFile))
{
}

SearchIndex::~SearchIndex()
{
    StopUpdate();
}

QString SearchIndex::FileFor(const QString& cacheFolder, const QString& notesFolder)
{
    const QByteArray digest
        = QCryptographicHash::hash(FolderKey(notesFolder).toUtf8(), QCryptographicHash::Sha1)
              .toHex()
              .left(20);
    return QDir(cacheFolder).filePath(QString::fromLatin1(digest) + QStringLiteral(".sqlite"));
}

SearchIndex::State SearchIndex::CurrentState()
{
    TakeOverBuild();
    return m_state;
}

std::pair<int, int> SearchIndex::BuildProgress() const
{
    if (!m_build)
        return {0, 0};
    return {m_build->done.load(), m_build->total.load()};
}

void SearchIndex::SetClosedState()
{
    m_state = IsWritableFolderOf(m_indexFile) ? State::Missing : State::Unavailable;
}

void SearchIndex::TakeOverBuild()
{
    if (!m_build || !m_build->finished)
        return;
    m_build->thread.join();
    const bool built = m_build->built;
    std::unique_ptr<IndexStore> store = std::move(m_build->store);
    std::unique_ptr<IndexContent> content = std::move(m_build->content);
    m_build.reset();
    m_state = State::Closed;
    if (built && content && store) {
        m_store = std::move(store);
        m_content = std::move(content);
        m_state = State::Ready;
        return;
    }
    if (!built || !Open())
        SetClosedState();
}

bool SearchIndex::Open()
{
    Close();
    OpenedIndex opened = OpenIndex(m_notesFolder, m_indexFile, m_prepareTermsOnOpen);
    if (opened.content) {
        m_store = std::move(opened.store);
        m_content = std::move(opened.content);
        m_state = State::Ready;
        return true;
    }
    m_state = opened.result == IndexStore::OpenResult::Unavailable ? State::Unavailable : State::Missing;
    return false;
}

void SearchIndex::Close()
{
    m_memo.ForgetMatches();
    m_content.reset();
    m_store.reset();
    if (m_state == State::Ready)
        m_state = State::Closed;
}

bool SearchIndex::Refresh(const QStringList& names, int* refreshed)
{
    if (refreshed)
        *refreshed = 0;
    TakeOverBuild();
    if (m_state == State::Building || (m_state != State::Ready && !Open()))
        return false;
    QStringList changed;
    QStringList dropped;
    FindChanges(*m_content, m_notesFolder, names, &changed, &dropped);
    if (refreshed)
        *refreshed = int(changed.size());
    return (changed.isEmpty() && dropped.isEmpty()) || Update(changed, dropped);
}

bool SearchIndex::Update(const QStringList& names, const QStringList& dropped)
{
    m_memo.ForgetMatches();
    if (StoreChanges(*m_store, *m_content, m_notesFolder, names, dropped))
        return true;
    // What is in memory no longer matches the store: it is read again next time.
    Close();
    m_state = IsWritableFolderOf(m_indexFile) ? State::Closed : State::Unavailable;
    return false;
}

bool SearchIndex::Rebuild(const QStringList& names)
{
    StopUpdate();
    Close();
    Build build;
    if (!QDir().mkpath(QFileInfo(m_indexFile).absolutePath())
        || !build.FromNothing(m_notesFolder, m_indexFile, names)) {
        SetClosedState();
        return false;
    }
    return Open();
}

void SearchIndex::StartUpdate(const QStringList& names)
{
    TakeOverBuild();
    if (m_build)
        return;
    Close();
    if (!QDir().mkpath(QFileInfo(m_indexFile).absolutePath())) {
        m_state = State::Unavailable;
        return;
    }
    m_state = State::Building;
    m_build = std::make_unique<Build>();
    Build* build = m_build.get();
    build->prepareTerms = m_prepareTermsOnOpen;
    build->thread = std::thread([build, folder = m_notesFolder, file = m_indexFile, names] {
        build->built = build->CatchUp(folder, file, names)
            || (!build->stop && build->FromNothing(folder, file, names));
        if (build->built && !build->stop) {
            OpenedIndex opened = OpenIndex(folder, file, build->prepareTerms);
            build->store = std::move(opened.store);
            build->content = std::move(opened.content);
        }
        build->finished = true;
    });
}

void SearchIndex::StopUpdate()
{
    if (!m_build)
        return;
    m_build->stop = true;
    m_build->thread.join();
    m_build.reset();
    m_state = State::Closed;
}

void SearchIndex::PrepareTermsOnOpen()
{
    m_prepareTermsOnOpen = true;
    if (m_state == State::Ready && m_content && !m_content->PrepareEveryTerm())
        Close();
}

void SearchIndex::CloseFile()
{
    StopUpdate();
    if (m_store)
        m_store->Close();
    if (m_state == State::Ready)
        m_state = State::Closed;
}

void SearchIndex::TakeWrittenFiles(const QStringList& paths)
{
    TakeOverBuild();
    if (m_state != State::Ready)
        return;
    const QString folder = QDir::cleanPath(QFileInfo(m_notesFolder).absoluteFilePath());
    QStringList changed;
    QStringList dropped;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (QDir::cleanPath(info.absolutePath()) != folder || !info.fileName().endsWith(QLatin1String("dat")))
            continue;
        const QString name = info.fileName();
        const auto known = m_content->Files().constFind(name);
        const std::optional<FileStamp> stamp = FileStamp::Of(path);
        if (!stamp)
            dropped.append(name);
        else if (known == m_content->Files().cend() || known->stamp != *stamp)
            changed.append(name);
    }
    if (!changed.isEmpty() || !dropped.isEmpty())
        Update(changed, dropped);
}

void SearchIndex::RefreshIfOpen(const QStringList& names)
{
    TakeOverBuild();
    if (m_state == State::Ready)
        Refresh(names);
}

std::optional<std::vector<SearchIndex::Hit>>
SearchIndex::Find(const TextMatcher& rules, const QStringList& names, int limit, int* count)
{
    TakeOverBuild();
    if (m_state != State::Ready)
        return std::nullopt;
    std::optional<IndexQuery::Answer> answer;
    {
        const IndexStore::ReadScope reading(*m_store);
        answer = IndexQuery::Find(*m_content, rules, m_notesFolder, &m_memo);
    }
    m_lastConfirmed = answer ? answer->confirmed : 0;
    if (!answer) {
        // A damaged store is built again; a note file that changed meanwhile is read again
        // at the next Refresh.
        if (m_content->Failed()) {
            Close();
            m_state = State::Missing;
        }
        return std::nullopt;
    }
    std::vector<Hit> hits;
    int found = 0;
    const QHash<QString, IndexedFile>& files = m_content->Files();
    for (int i = 0; i < names.size(); ++i) {
        const auto file = files.constFind(names.at(i));
        if (file == files.cend())
            continue;
        for (const IndexedDoc& doc : file->docs) {
            if (!answer->matches.Contains(doc.doc))
                continue;
            ++found;
            if (limit < 0 || int(hits.size()) < limit)
                hits.push_back(Hit {i, &doc});
        }
    }
    if (count)
        *count = found;
    return hits;
}

std::vector<SearchIndex::Hit> SearchIndex::All(const QStringList& names) const
{
    std::vector<Hit> hits;
    if (!m_content)
        return hits;
    const QHash<QString, IndexedFile>& files = m_content->Files();
    for (int i = 0; i < names.size(); ++i) {
        const auto file = files.constFind(names.at(i));
        if (file == files.cend())
            continue;
        for (const IndexedDoc& doc : file->docs)
            hits.push_back(Hit {i, &doc});
    }
    return hits;
}

ListedNote SearchIndex::Listed(const IndexedDoc& doc, const DateTime& now) const
{
    ListedNote listed;
    listed.NoteID = doc.noteId;
    listed.SourceID = doc.sourceId;
    listed.DateAdded = doc.Has(IndexedDoc::DateAddedUnread) ? now : doc.dateAdded;
    listed.LastEdited = doc.Has(IndexedDoc::LastEditedUnread) ? now : doc.lastEdited;
    listed.Categories = m_content->CategoryPath(doc.categories);
    listed.TextLines = doc.textLines;
    listed.TextChars = doc.textChars;
    return listed;
}

int SearchIndex::NoteCount() const
{
    return m_content ? int(m_content->DocCount()) : 0;
}

int SearchIndex::FileCount() const
{
    return m_content ? int(m_content->Files().size()) : 0;
}
