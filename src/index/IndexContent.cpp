#include "index/IndexContent.h"

#include "index/ByteCoding.h"
#include "index/IndexCoding.h"
#include "index/IndexStore.h"

#include <algorithm>

using namespace ByteCoding;
using namespace IndexCoding;

namespace {

QByteArray EncodeTerms(std::vector<quint32> terms)
{
    std::sort(terms.begin(), terms.end());
    QByteArray out;
    PutVarint(out, terms.size());
    quint32 previous = 0;
    for (const quint32 term : terms) {
        PutVarint(out, term - previous);
        previous = term;
    }
    return out;
}

std::optional<std::vector<quint32>> DecodeTerms(QByteArrayView bytes)
{
    Reader in(bytes);
    const quint64 count = in.GetVarint();
    if (count > quint64(bytes.size()))
        return std::nullopt;
    std::vector<quint32> terms;
    terms.reserve(size_t(count));
    quint64 term = 0;
    for (quint64 i = 0; i < count && in.Ok(); ++i) {
        term += in.GetVarint();
        terms.push_back(quint32(term));
    }
    if (!in.Ok() || !in.AtEnd())
        return std::nullopt;
    return terms;
}

} // namespace

IndexContent::IndexContent(IndexStore& store)
    : m_store(store)
{
}

bool IndexContent::Load()
{
    bool damaged = false;
    damaged |= !m_store.ReadCategories([&](quint32 id, QByteArrayView bytes) {
        const std::optional<CategoryAssignment> path = DecodeCategoryPath(bytes);
        if (!path || id != m_categories.size()) {
            damaged = true;
            return;
        }
        m_categoryNumbers.insert(bytes.toByteArray(), id);
        m_categories.push_back(*path);
    });
    const std::optional<QByteArray> gramBytes = m_store.ReadMeta("grams");
    const std::optional<GramTable> grams = gramBytes ? DecodeGramTable(*gramBytes) : std::nullopt;
    damaged |= !grams;
    if (grams) {
        m_storedTerms = grams->termCount;
        m_storedGrams = quint32(grams->grams.size());
        for (const auto& [id, gram] : grams->grams)
            m_gramNumbers.emplace(gram, id);
    }
    damaged |= !m_store.ReadFiles([&](const QString& name, QByteArrayView bytes) {
        std::optional<IndexedFile> file = IndexedFile::Deserialize(bytes);
        if (!file) {
            damaged = true;
            return;
        }
        for (const IndexedDoc& doc : file->docs) {
            damaged |= doc.categories >= m_categories.size();
            ++m_docCount;
            if (doc.Has(IndexedDoc::RichTextEmpty))
                continue;
            m_live.Add(doc.doc);
        }
        m_files.insert(name, std::move(*file));
    });
    const std::optional<QByteArray> counters = m_store.ReadMeta("counters");
    damaged |= !counters || counters->size() != 8;
    if (counters && counters->size() == 8) {
        Reader in(*counters);
        m_nextDoc = in.Get<quint32>();
        m_dropped = in.Get<quint32>();
    }
    damaged |= m_nextDoc <= m_live.Max();
    damaged |= !m_store.ReadPending([&](quint32 doc, QByteArrayView bytes) {
        const std::optional<std::vector<quint32>> tokens = DecodeTerms(bytes);
        if (!tokens || doc >= m_nextDoc) {
            damaged = true;
            return;
        }
        if (!ReadTerms()) {
            damaged = true;
            return;
        }
        for (const quint32 token : *tokens) {
            if (token >= m_vocabulary.Size() || m_vocabulary.KindOf(token) == Vocabulary::Kind::Gram) {
                damaged = true;
                return;
            }
        }
        IndexedDoc known;
        known.doc = doc;
        AddDoc(known, *tokens, false);
    });
    m_failed = damaged;
    return !damaged;
}

bool IndexContent::ReadTerms()
{
    if (m_termsRead)
        return !m_failed;
    m_termsRead = true;
    quint32 chunks = 0;
    m_vocabulary.Reserve(size_t(std::max<qint64>(0, m_store.LexiconBytes())), m_storedTerms);
    bool read = m_store.ReadLexicon([&](quint32 chunk, QByteArrayView terms) {
        return chunk == chunks++ && m_vocabulary.RestoreChunk(terms);
    });
    // The terms must be those the gram table was written with.
    read = read && m_vocabulary.Size() == m_storedTerms && m_vocabulary.GramCount() == m_storedGrams;
    for (auto it = m_gramNumbers.cbegin(); read && it != m_gramNumbers.cend(); ++it)
        read = m_vocabulary.Find(Vocabulary::Kind::Gram, it->first) == it->second;
    m_gramNumbers = {};
    if (!read)
        Fail();
    return read;
}

bool IndexContent::PrepareEveryTerm()
{
    if (!ReadTerms())
        return false;
    m_vocabulary.PrepareForAdding();
    return true;
}

const Vocabulary& IndexContent::Terms()
{
    ReadTerms();
    return m_vocabulary;
}

std::optional<quint32> IndexContent::GramNumber(std::string_view gram)
{
    if (m_termsRead)
        return m_vocabulary.Find(Vocabulary::Kind::Gram, gram);
    const auto found = m_gramNumbers.find(std::string(gram));
    return found == m_gramNumbers.end() ? std::nullopt : std::optional<quint32>(found->second);
}

const CategoryAssignment& IndexContent::CategoryPath(quint32 number) const
{
    static const CategoryAssignment none;
    return number < m_categories.size() ? m_categories[number] : none;
}

DocSet* IndexContent::BasePostings(quint32 term)
{
    const auto found = m_base.find(term);
    if (found != m_base.end())
        return &found->second;

    const std::optional<QByteArray> bytes = m_store.ReadPostings(term);
    std::optional<DocSet> docs = bytes ? OpenPostings(*bytes) : std::nullopt;
    if (!docs) {
        Fail();
        return nullptr;
    }
    return &m_base.emplace(term, std::move(*docs)).first->second;
}

DocSet IndexContent::Postings(quint32 term)
{
    return UnionOfPostings({term});
}

DocSet IndexContent::UnionOfPostings(const std::vector<quint32>& terms)
{
    // A cache of what was read lately, not of every term: emptied now and then, never
    // while its sets are in use (each stored set is stored as soon as it changes).
    if (m_base.size() > 100000)
        m_base.clear();
    std::vector<const DocSet*> parts;
    parts.reserve(terms.size() * 2);
    for (const quint32 term : terms) {
        if (const DocSet* base = BasePostings(term))
            parts.push_back(base);
        const auto pending = m_pending.find(term);
        if (pending != m_pending.end())
            parts.push_back(&pending->second);
    }
    return DocSet::Union(parts);
}

quint32 IndexContent::CategoryNumber(const CategoryAssignment& path)
{
    const QByteArray bytes = EncodeCategoryPath(path);
    const auto found = m_categoryNumbers.constFind(bytes);
    if (found != m_categoryNumbers.cend())
        return *found;
    const auto number = quint32(m_categories.size());
    if (!m_store.PutCategory(number, bytes))
        Fail();
    m_categories.push_back(path);
    m_categoryNumbers.insert(bytes, number);
    return number;
}

quint32 IndexContent::TermNumber(Vocabulary::Kind kind, std::string_view term)
{
    ReadTerms();
    return m_vocabulary.Add(kind, term);
}

void IndexContent::StoreNewTerms()
{
    if (m_termsRead && m_vocabulary.Size() != m_storedTerms) {
        for (quint32 chunk = m_storedTerms / Vocabulary::kChunk;
             chunk * Vocabulary::kChunk < m_vocabulary.Size(); ++chunk) {
            if (!m_store.PutLexicon(chunk, m_vocabulary.Chunk(chunk)))
                Fail();
        }
        m_storedTerms = m_vocabulary.Size();
        StoreGramTable();
    }
    StoreCounters();
}

void IndexContent::StoreGramTable()
{
    if (!m_store.PutMeta("grams", EncodeGramTable({m_vocabulary.Size(), m_vocabulary.Grams()})))
        Fail();
    m_storedGrams = m_vocabulary.GramCount();
}

void IndexContent::AddDoc(const IndexedDoc& doc, const std::vector<quint32>& tokens, bool writePending)
{
    ReadTerms();
    m_termMark.resize(m_vocabulary.Size(), 0);
    const quint32 mark = doc.doc + 1; // documents are numbered from 1; 0 marks nothing
    auto count = [&](quint32 term) {
        if (m_termMark[term] == mark)
            return;
        m_termMark[term] = mark;
        m_pending[term].Add(doc.doc);
    };
    for (const quint32 token : tokens) {
        count(token);
        if (m_vocabulary.KindOf(token) != Vocabulary::Kind::Token)
            continue; // a bridge has no grams
        for (const quint32 gram : m_vocabulary.GramsOf(token))
            count(gram);
    }
    m_pendingDocs.push_back(doc.doc);
    if (writePending && !m_store.PutPending(doc.doc, EncodeTerms(tokens)))
        Fail();
}

void IndexContent::PutFile(const QString& name, IndexedFile file)
{
    if (!m_store.PutFile(name, file.Serialize()))
        Fail();
    const auto old = m_files.constFind(name);
    if (old != m_files.cend())
        m_docCount -= quint32(old->docs.size());
    m_docCount += quint32(file.docs.size());
    for (const IndexedDoc& doc : file.docs) {
        if (doc.Has(IndexedDoc::RichTextEmpty))
            continue;
        m_live.Add(doc.doc);
    }
    m_files.insert(name, std::move(file));
}

void IndexContent::StoreCounters()
{
    QByteArray counters;
    Put<quint32>(counters, m_nextDoc);
    Put<quint32>(counters, m_dropped);
    if (!m_store.PutMeta("counters", counters))
        Fail();
}

void IndexContent::RemoveFile(const QString& name)
{
    const auto old = m_files.constFind(name);
    if (old == m_files.cend())
        return;
    m_docCount -= quint32(old->docs.size());
    m_files.erase(old);
    if (!m_store.DeleteFile(name))
        Fail();
}

void IndexContent::DropDoc(quint32 doc)
{
    m_live.Remove(doc);
    ++m_dropped;
}

void IndexContent::FoldPending()
{
    for (auto& [term, docs] : m_pending) {
        DocSet* base = BasePostings(term);
        if (!base)
            return;
        *base |= docs;
        *base &= m_live;
        base->Optimize();
        if (!m_store.PutPostings(term, SealPostings(*base)))
            Fail();
    }
    m_pending.clear();
    m_pendingDocs.clear();
    if (!m_store.ClearPending())
        Fail();
    StoreCounters();
}

void IndexContent::Compact()
{
    FoldPending();
    ReadTerms();
    for (quint32 term = 0; term < m_vocabulary.Size() && !m_failed; ++term) {
        DocSet* base = BasePostings(term);
        if (!base)
            return;
        const quint64 before = base->Count();
        *base &= m_live;
        if (base->Count() != before && !m_store.PutPostings(term, SealPostings(*base)))
            Fail();
    }
    m_dropped = 0;
    StoreCounters();
}
