#include "index/IndexUpdater.h"

#include "index/IndexContent.h"

IndexUpdater::IndexUpdater(IndexContent& content, bool writePending)
    : m_content(content)
    , m_writePending(writePending)
{
}

void IndexUpdater::Update(const QStringList& names, const QStringList& paths, const QStringList& dropped,
                          const std::function<bool(int)>& step)
{
    m_pool.clear();
    for (const QString& name : names)
        Pool(name);
    for (const QString& name : dropped)
        Pool(name);
    for (const QString& name : dropped)
        m_content.RemoveFile(name);
    for (qsizetype i = 0; i < names.size() && !m_content.Failed(); ++i) {
        Refresh(names.at(i), paths.at(i));
        if (step && !step(int(i + 1)))
            return;
    }
    for (const auto& [digest, doc] : m_pool)
        m_content.DropDoc(doc.doc);
    m_pool.clear();
}

void IndexUpdater::Pool(const QString& name)
{
    const auto file = m_content.Files().constFind(name);
    if (file == m_content.Files().cend())
        return;
    for (const IndexedDoc& doc : file->docs)
        m_pool.emplace(doc.textDigest, doc);
}

IndexedDoc IndexUpdater::Keep(const NoteFileRecords::Record& record)
{
    // Equal digests: equal texts, so what was found in them still holds; the keys are new.
    const auto range = m_pool.equal_range(record.keys.textDigest);
    auto chosen = range.first;
    for (auto it = range.first; it != range.second; ++it) {
        if (it->second.noteId == record.keys.noteId) {
            chosen = it;
            break;
        }
    }
    IndexedDoc doc = record.keys;
    doc.doc = chosen->second.doc;
    doc.categories = m_content.CategoryNumber(record.categories);
    m_pool.erase(chosen);
    return doc;
}

void IndexUpdater::Refresh(const QString& name, const QString& path)
{
    const std::optional<FileStamp> stamp = m_records.Load(path);
    if (!stamp) {
        m_content.RemoveFile(name);
        return;
    }
    IndexedFile file;
    file.stamp = *stamp;
    file.version = m_records.Version();
    NoteFileRecords::Record record;
    while (m_records.Next(&record)) {
        if (m_pool.count(record.keys.textDigest)) {
            file.docs.append(Keep(record));
            continue;
        }
        const DocAnalyzer::Result& analyzed = m_analyzer.Analyze(record);
        IndexedDoc doc = analyzed.keys;
        doc.doc = m_content.NewDoc();
        doc.categories = m_content.CategoryNumber(analyzed.categories);
        if (!doc.Has(IndexedDoc::RichTextEmpty)) { // one that never matches has no terms
            m_tokenIds.clear();
            for (const std::string_view token : analyzed.tokens)
                m_tokenIds.push_back(m_content.TermNumber(Vocabulary::Kind::Token, token));
            for (const std::string_view bridge : analyzed.bridges)
                m_tokenIds.push_back(m_content.TermNumber(Vocabulary::Kind::Bridge, bridge));
            m_content.AddDoc(doc, m_tokenIds, m_writePending);
        }
        file.docs.append(doc);
    }
    m_content.PutFile(name, std::move(file));
}
