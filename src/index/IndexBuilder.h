#pragma once

#include "index/DocSet.h"
#include "index/Vocabulary.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

class IndexStore;
struct AnalyzedFile;

// Builds a search index from nothing into an empty store (inside the caller's
// transaction), as IndexContent would hold it after taking in every note file one by
// one, in a fraction of the time and memory:
//
// - the note files are read and their texts cut into tokens on two threads
//   (OrderedParallelWork), and numbered in the order of the names;
// - each token gathers its documents as they come (in rising order), as the differences
//   it is stored with while they are few and as a bitmap beyond;
// - the grams are made at the end, each from the documents of the tokens that hold it,
//   a set at a time rather than a document at a time;
// - every row is written once, with the store's prepared statements.
class IndexBuilder
{
public:
    explicit IndexBuilder(IndexStore& store);
    ~IndexBuilder();
    IndexBuilder(const IndexBuilder&) = delete;
    IndexBuilder& operator=(const IndexBuilder&) = delete;

    // Reads the named note files of notesFolder into the store; step(filesDone) reports
    // progress and stops the build when it answers false. True when everything was
    // stored (the caller then commits).
    bool Build(const QString& notesFolder, const QStringList& names, const std::function<bool(int)>& step);

    quint32 DocCount() const { return m_docCount; }

private:
    // A token's documents while they are few: their differences, as they are stored.
    struct FewDocs
    {
        std::string differences;
        quint32 last = 0;
        quint32 count = 0;
    };

    void Take(const QString& name, const AnalyzedFile& file);
    quint32 CategoryNumber(const AnalyzedFile& file, size_t record);
    void AddToToken(quint32 token, quint32 doc);
    // The documents of a token, as a set or (when few) in docs.
    const DocSet* TokenDocs(quint32 token, std::vector<quint32>* docs) const;
    void MakeGrams();
    void StorePostings();
    void StoreVocabulary();

    IndexStore& m_store;
    bool m_failed = false;
    Vocabulary m_vocabulary;
    std::deque<FewDocs> m_fewDocs; // by token (a million of them: never copied to grow)
    std::unordered_map<quint32, DocSet> m_manyDocs; // by token, past kMostDifferences
    quint32 m_tokenCount = 0; // tokens come first; grams are numbered after them
    std::vector<DocSet> m_gramDocs; // by gram, less m_tokenCount
    QHash<QByteArray, quint32> m_categoryNumbers;
    quint32 m_nextDoc = 1;
    quint32 m_docCount = 0;
};
