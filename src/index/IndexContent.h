#pragma once

#include "format/CategoryAssignment.h"
#include "index/DocSet.h"
#include "index/IndexedDoc.h"
#include "index/Vocabulary.h"

#include <QHash>
#include <QString>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class IndexStore;

// What the search index knows, held in memory over its store: the note files with their
// records, the category paths, the vocabulary and, per term, the documents that hold it.
//
// A term's documents are kept in two parts: those merged into its stored postings, and
// those of documents added since (pending), which each new document writes as one small
// row instead of rewriting the postings of every term it holds; FoldPending merges them
// in one go. A document that leaves its file stays in the postings until they are next
// rewritten, and Live() says which documents still count.
//
// Changes go to the store inside the caller's transaction; on any failure the content no
// longer matches the store and must be thrown away (Failed()).
class IndexContent
{
public:
    explicit IndexContent(IndexStore& store);

    // Reads a stored index; false when it is damaged.
    bool Load();
    // A read or write of the store failed, or a stored blob was damaged.
    bool Failed() const { return m_failed; }

    // --- Reading -----------------------------------------------------------------------

    const QHash<QString, IndexedFile>& Files() const { return m_files; }
    const CategoryAssignment& CategoryPath(quint32 number) const;
    // Every term; the first call reads them from the store (a failure: Failed()).
    const Vocabulary& Terms();
    // Reads every term and hashes them for adding: all the first keystroke or write
    // would otherwise pay; false when that failed.
    bool PrepareEveryTerm();
    // The number of a gram, without reading every term.
    std::optional<quint32> GramNumber(std::string_view gram);
    // The documents holding a term.
    DocSet Postings(quint32 term);
    // The union of the documents of many terms.
    DocSet UnionOfPostings(const std::vector<quint32>& terms);
    // Documents in a file that have a RichText (the only ones that can match).
    const DocSet& Live() const { return m_live; }
    quint32 DocCount() const { return m_docCount; }
    quint32 PendingCount() const { return quint32(m_pendingDocs.size()); }
    // Documents dropped since the postings were last compacted.
    quint32 DroppedCount() const { return m_dropped; }

    // --- Changing (inside a transaction of the store) ----------------------------------

    // A new document number.
    quint32 NewDoc() { return m_nextDoc++; }
    // The number of a category path, stored when new.
    quint32 CategoryNumber(const CategoryAssignment& path);
    // The number of a token or bridge, added (a token with its new grams) when new.
    quint32 TermNumber(Vocabulary::Kind kind, std::string_view term);
    // Stores the terms added since the last call, and the counters; before a commit.
    void StoreNewTerms();
    // A new document's terms (its tokens and bridges; the tokens' grams follow).
    // writePending: store them as a pending row (a whole build folds them instead).
    void AddDoc(const IndexedDoc& doc, const std::vector<quint32>& tokens, bool writePending);
    // Replaces what is known of a file (its documents must all have been added or kept).
    void PutFile(const QString& name, IndexedFile file);
    void RemoveFile(const QString& name);
    // A document no file holds any more.
    void DropDoc(quint32 doc);
    // Where a document is: its file and its place among the file's records.
    struct Place
    {
        QString file;
        int record = 0;
    };
    // Merges every pending document into the stored postings of its terms.
    void FoldPending();
    // Rewrites the postings of every term without the documents no file holds.
    void Compact();

private:
    DocSet* BasePostings(quint32 term);
    // Reads every term when not yet read; false when they do not match the gram table.
    bool ReadTerms();
    void StoreGramTable();
    void StoreCounters();
    void Fail() { m_failed = true; }

    IndexStore& m_store;
    bool m_failed = false;
    QHash<QString, IndexedFile> m_files;
    std::vector<CategoryAssignment> m_categories;
    QHash<QByteArray, quint32> m_categoryNumbers;
    // The terms are read when first needed: a query of grams alone never needs them.
    Vocabulary m_vocabulary;
    bool m_termsRead = false;
    std::unordered_map<std::string, quint32> m_gramNumbers; // until the terms are read
    quint32 m_storedTerms = 0; // terms already in the store
    quint32 m_storedGrams = 0;
    std::unordered_map<quint32, DocSet> m_base; // stored postings read so far (a cache)
    std::unordered_map<quint32, DocSet> m_pending; // terms of pending documents
    std::vector<quint32> m_pendingDocs;
    std::vector<quint32> m_termMark; // per term, the last document that counted it
    DocSet m_live;
    quint32 m_nextDoc = 1;
    quint32 m_docCount = 0; // documents in some file, with a RichText or not
    quint32 m_dropped = 0;
};
