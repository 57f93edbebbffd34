#include "index/IndexBuilder.h"

#include "index/ByteCoding.h"
#include "index/FileAnalyzer.h"
#include "index/IndexCoding.h"
#include "index/IndexStore.h"
#include "index/OrderedParallelWork.h"

#include <QDir>

using namespace ByteCoding;

IndexBuilder::IndexBuilder(IndexStore& store)
    : m_store(store)
{
}

bool IndexBuilder::Build(const QString& notesFolder, const QStringList& names,
                         const std::function<bool(int)>& step)
{
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
    m_tokenCount = m_vocabulary.Size(); // every term so far is a token or a bridge
    StoreTokensMakingGrams();
    StoreGrams();
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
    indexed.version = file.version;
    indexed.docs.reserve(qsizetype(file.records.size()));
    for (size_t i = 0; i < file.records.size(); ++i) {
        const AnalyzedFile::Record& record = file.records[i];
        IndexedDoc doc = record.keys;
        doc.doc = m_nextDoc++;
        doc.categories = CategoryNumber(file, i);
        const quint32 bridges = record.firstToken + record.tokenCount;
        for (quint32 t = record.firstToken; t < bridges + record.bridgeCount; ++t) {
            const auto kind = t < bridges ? Vocabulary::Kind::Token : Vocabulary::Kind::Bridge;
            m_tokenDocs.Add(m_vocabulary.AddTerm(kind, file.Token(t)), doc.doc);
        }
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

void IndexBuilder::StoreTokensMakingGrams()
{
    // A gram holds the documents of every token that holds it: one set per token.
    std::vector<quint32> marks; // by gram: the last token (+ 1) that added to it
    std::vector<quint32> few;
    std::string token;
    for (quint32 id = 0; id < m_tokenCount && !m_failed; ++id) {
        token = m_vocabulary.Term(id); // the vocabulary grows below
        DocSet many;
        QByteArray sealed;
        const bool isFew = m_tokenDocs.Count(id) <= TokenDocLists::kMostFew;
        if (isFew) {
            const std::string_view differences = m_tokenDocs.Differences(id);
            few = IndexCoding::DecodeDifferences(differences);
            sealed = IndexCoding::SealDifferences(differences);
            m_tokenDocs.Release(id);
        } else {
            many = m_tokenDocs.TakeSet(id);
            many.Optimize();
            sealed = IndexCoding::SealPostings(many);
        }
        m_failed = !m_store.PutPostings(id, sealed);
        if (m_vocabulary.KindOf(id) != Vocabulary::Kind::Token)
            continue; // a bridge has no grams
        Vocabulary::ForEachGramPiece(token, [&](std::string_view piece) {
            const quint32 gram = m_vocabulary.AddTerm(Vocabulary::Kind::Gram, piece) - m_tokenCount;
            if (gram >= marks.size())
                marks.resize(gram + 1, 0);
            if (marks[gram] == id + 1)
                return;
            marks[gram] = id + 1;
            if (isFew)
                m_gramDocs.AddFew(gram, few);
            else
                m_gramDocs.AddSet(gram, many);
        });
    }
}

void IndexBuilder::StoreGrams()
{
    for (quint32 gram = 0; gram < m_gramDocs.GramCount() && !m_failed; ++gram) {
        DocSet docs = m_gramDocs.Take(gram);
        docs.Optimize();
        m_failed = !m_store.PutPostings(m_tokenCount + gram, IndexCoding::SealPostings(docs));
    }
}

void IndexBuilder::StoreVocabulary()
{
    for (quint32 chunk = 0; chunk * Vocabulary::kChunk < m_vocabulary.Size() && !m_failed; ++chunk)
        m_failed = !m_store.PutLexicon(chunk, m_vocabulary.Chunk(chunk));
    if (!m_failed)
        m_failed = !m_store.PutMeta(
            "grams", IndexCoding::EncodeGramTable({m_vocabulary.Size(), m_vocabulary.Grams()}));
    QByteArray counters;
    Put<quint32>(counters, m_nextDoc);
    Put<quint32>(counters, 0); // no document dropped yet
    if (!m_failed)
        m_failed = !m_store.PutMeta("counters", counters);
}
