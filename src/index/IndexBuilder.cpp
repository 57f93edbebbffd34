#include "index/IndexBuilder.h"

#include "index/ByteCoding.h"
#include "index/FileAnalyzer.h"
#include "index/IndexCoding.h"
#include "index/IndexStore.h"
#include "index/OrderedParallelWork.h"

#include <QDir>
#include <malloc.h>
#include <cstdio>
#include <ctime>
#include <QElapsedTimer>
static QElapsedTimer g_t; static double Cpu(int w){ timespec ts; clock_gettime(w, &ts); return ts.tv_sec + ts.tv_nsec/1e9; }
void Mem(const char* what){ if(!g_t.isValid()) g_t.start(); std::fprintf(stderr, "[%.2f s wall, %.2f thread cpu, %.2f process cpu] ", g_t.nsecsElapsed()/1e9, Cpu(CLOCK_THREAD_CPUTIME_ID), Cpu(CLOCK_PROCESS_CPUTIME_ID)); struct mallinfo2 m = mallinfo2(); std::fprintf(stderr, "%s: %.1f MB used, %.1f MB arena+mmap\n", what, m.uordblks/1e6, (m.arena+m.hblkhd)/1e6);}

using namespace ByteCoding;

namespace {

void AppendVarint(std::string& out, quint32 value)
{
    while (value >= 0x80) {
        out.push_back(char(value | 0x80));
        value >>= 7;
    }
    out.push_back(char(value));
}

std::vector<quint32> DecodeDifferences(std::string_view differences)
{
    std::vector<quint32> docs;
    Reader in(QByteArrayView(differences.data(), qsizetype(differences.size())));
    quint32 doc = 0;
    while (!in.AtEnd()) {
        doc += quint32(in.GetVarint());
        docs.push_back(doc);
    }
    return docs;
}

} // namespace

IndexBuilder::IndexBuilder(IndexStore& store)
    : m_store(store)
{
}

IndexBuilder::~IndexBuilder() = default;

bool IndexBuilder::Build(const QString& notesFolder, const QStringList& names,
                         const std::function<bool(int)>& step)
{
    Mem("start");
    const QDir folder(notesFolder);
    OrderedParallelWork<FileAnalyzer, AnalyzedFile> files(
        size_t(names.size()), [&](FileAnalyzer& analyzer, size_t item, AnalyzedFile& file) {
            analyzer.Analyze(folder.filePath(names.at(qsizetype(item))), &file);
        });
    int done = 0;
    while (const AnalyzedFile* file = files.Next()) {
        Take(names.at(done), *file);
        ++done;
        if (m_failed || (step && !step(done)))
            return false;
    }
    Mem("tokens");
    { size_t heap=0, n=0; for (auto& f : m_fewDocs) if (f.differences.capacity() > 15) { heap += f.differences.capacity()+1; ++n; }
      size_t bm=0; for (auto& [t, d] : m_manyDocs) bm += d.Serialize().size();
      std::fprintf(stderr, "few %zu heap strings %zu (%zu bytes) many %zu (%zu serialized) vocab %u\n", m_fewDocs.size(), n, heap, m_manyDocs.size(), bm, m_vocabulary.Size()); }
    MakeGrams();
    Mem("grams");
    StorePostings();
    Mem("postings");
    StoreVocabulary();
    return !m_failed;
}

void IndexBuilder::Take(const QString& name, const AnalyzedFile& file)
{
    // A file that cannot be read holds no notes; it is not kept, so it is tried again.
    if (!file.stamp)
        return;
    IndexedFile indexed;
    indexed.stamp = *file.stamp;
    indexed.docs.reserve(qsizetype(file.records.size()));
    for (size_t i = 0; i < file.records.size(); ++i) {
        const AnalyzedFile::Record& record = file.records[i];
        IndexedDoc doc = record.keys;
        doc.doc = m_nextDoc++;
        doc.categories = CategoryNumber(file, i);
        for (quint32 t = record.firstToken; t < record.firstToken + record.tokenCount; ++t)
            AddToToken(m_vocabulary.AddTerm(Vocabulary::Kind::Token, file.Token(t)), doc.doc);
        indexed.docs.append(doc);
    }
    m_docCount += quint32(indexed.docs.size());
    if (!m_store.PutFile(name, indexed.Serialize()))
        m_failed = true;
}

quint32 IndexBuilder::CategoryNumber(const AnalyzedFile& file, size_t record)
{
    const QByteArray bytes = IndexCoding::EncodeCategoryPath(file.records[record].categories);
    const auto found = m_categoryNumbers.constFind(bytes);
    if (found != m_categoryNumbers.cend())
        return *found;
    const auto number = quint32(m_categoryNumbers.size());
    if (!m_store.PutCategory(number, bytes))
        m_failed = true;
    m_categoryNumbers.insert(bytes, number);
    return number;
}

void IndexBuilder::AddToToken(quint32 token, quint32 doc)
{
    if (token >= m_fewDocs.size()) {
        m_fewDocs.resize(token + 1);
        m_tokenCount = token + 1;
    }
    FewDocs& few = m_fewDocs[token];
    if (few.count == IndexCoding::kMostDifferences) {
        // Too many to keep as differences: from now on a set.
        std::vector<quint32> docs = DecodeDifferences(few.differences);
        docs.push_back(doc);
        DocSet& many = m_manyDocs[token];
        many.AddMany(docs.data(), docs.size());
        std::string().swap(few.differences);
        ++few.count;
        return;
    }
    if (few.count > IndexCoding::kMostDifferences) {
        m_manyDocs[token].Add(doc);
        return;
    }
    AppendVarint(few.differences, doc - few.last);
    few.last = doc;
    ++few.count;
}

const DocSet* IndexBuilder::TokenDocs(quint32 token, std::vector<quint32>* docs) const
{
    const FewDocs& few = m_fewDocs[token];
    if (few.count > IndexCoding::kMostDifferences)
        return &m_manyDocs.at(token);
    *docs = DecodeDifferences(few.differences);
    return nullptr;
}

void IndexBuilder::MakeGrams()
{
    // A gram holds the documents of every token that holds it: one set per token.
    std::vector<quint32> marks; // by gram: the last token (+ 1) that added to it
    std::vector<quint32> docs;
    std::string token;
    for (quint32 id = 0; id < m_tokenCount && !m_failed; ++id) {
        token = m_vocabulary.Term(id); // the vocabulary grows below
        const DocSet* many = TokenDocs(id, &docs);
        Vocabulary::ForEachGramPiece(token, [&](std::string_view piece) {
            const quint32 gram = m_vocabulary.AddTerm(Vocabulary::Kind::Gram, piece) - m_tokenCount;
            if (gram >= m_gramDocs.size()) {
                m_gramDocs.resize(gram + 1);
                marks.resize(gram + 1, 0);
            }
            if (marks[gram] == id + 1)
                return;
            marks[gram] = id + 1;
            if (many)
                m_gramDocs[gram] |= *many;
            else
                m_gramDocs[gram].AddMany(docs.data(), docs.size());
        });
    }
}

void IndexBuilder::StorePostings()
{
    for (quint32 id = 0; id < m_tokenCount && !m_failed; ++id) {
        FewDocs& few = m_fewDocs[id];
        QByteArray sealed;
        if (few.count > IndexCoding::kMostDifferences) {
            auto many = m_manyDocs.find(id);
            many->second.Optimize();
            sealed = IndexCoding::SealPostings(many->second);
            m_manyDocs.erase(many);
        } else {
            sealed = IndexCoding::SealDifferences(few.differences);
        }
        std::string().swap(few.differences);
        m_failed = !m_store.PutPostings(id, sealed);
    }
    for (quint32 gram = 0; gram < m_gramDocs.size() && !m_failed; ++gram) {
        DocSet& docs = m_gramDocs[gram];
        docs.Optimize();
        m_failed = !m_store.PutPostings(m_tokenCount + gram, IndexCoding::SealPostings(docs));
        docs = DocSet();
    }
}

void IndexBuilder::StoreVocabulary()
{
    for (quint32 chunk = 0; chunk * Vocabulary::kChunk < m_vocabulary.Size() && !m_failed; ++chunk)
        m_failed = !m_store.PutLexicon(chunk, m_vocabulary.Chunk(chunk));
    QByteArray counters;
    Put<quint32>(counters, m_nextDoc);
    Put<quint32>(counters, 0); // no document dropped yet
    if (!m_failed)
        m_failed = !m_store.PutMeta("counters", counters);
}
