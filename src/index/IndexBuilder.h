#pragma once

#include "index/DocSet.h"
#include "index/GramDocSets.h"
#include "index/TokenDocLists.h"
#include "index/Vocabulary.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class IndexStore;
struct AnalyzedFile;

// Builds a search index from nothing into an empty store (inside the caller's
// transaction), as IndexContent would hold it after taking in every note file one by
// one, in a fraction of the time and memory:
//
// - the note files are read and their texts cut into tokens on two threads
//   (OrderedParallelWork), and numbered in the order of the names;
// - each token gathers its documents as they come, in rising order (TokenDocLists);
// - the grams are made at the end, each from the documents of the tokens that hold it,
//   a set at a time rather than a document at a time, while each token's documents are
//   stored and let go;
// - every row is written once, with the store's prepared statements.
class IndexBuilder
{
public:
    explicit IndexBuilder(IndexStore& store);

    // Reads the named note files of notesFolder into the store; step(filesDone) reports
    // progress and stops the build when it answers false. True when everything was
    // stored (the caller then commits).
    bool Build(const QString& notesFolder, const QStringList& names, const std::function<bool(int)>& step);

    quint32 DocCount() const { return m_docCount; }

private:
    void Take(const QString& name, const AnalyzedFile& file);
    quint32 CategoryNumber(const AnalyzedFile& file, size_t record);
    // Stores each token's documents and adds them to the sets of its grams.
    void StoreTokensMakingGrams();
    void StoreGrams();
    void StoreVocabulary();

    IndexStore& m_store;
    bool m_failed = false;
    Vocabulary m_vocabulary;
    TokenDocLists m_tokenDocs;
    quint32 m_tokenCount = 0; // tokens and bridges come first; grams are numbered after them
    GramDocSets m_gramDocs; // by gram, less m_tokenCount
    QHash<QByteArray, quint32> m_categoryNumbers;
    quint32 m_nextDoc = 1;
    quint32 m_docCount = 0;
};
