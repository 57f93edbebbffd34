#pragma once

#include "index/DocAnalyzer.h"
#include "index/NoteFileRecords.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <unordered_map>

class IndexContent;

// Brings an index's content in step with note files, inside one transaction of its
// store: each named file is read again and its records become documents. A record whose
// texts are those of a document the same files held before keeps that document (its keys
// are taken afresh), so rewriting a file without touching texts (re-filing, stamping,
// key words) costs no tokenizing; a note moved to another file keeps its document too.
class IndexUpdater
{
public:
    // writePending: new documents are stored as pending rows (see IndexContent); a whole
    // build leaves that out and folds at the end.
    IndexUpdater(IndexContent& content, bool writePending);

    // The files (bare names in the notes folder, with their full paths) read again, and
    // the ones dropped. Each step(filesDone) reports progress; when it answers false the
    // update stops there (the caller then throws the transaction away).
    void Update(const QStringList& names, const QStringList& paths, const QStringList& dropped,
                const std::function<bool(int)>& step = {});

private:
    void Pool(const QString& name);
    void Refresh(const QString& name, const QString& path);
    IndexedDoc Keep(const NoteFileRecords::Record& record);

    IndexContent& m_content;
    bool m_writePending;
    NoteFileRecords m_records;
    DocAnalyzer m_analyzer;
    std::vector<quint32> m_tokenIds;
    // The documents of the files being read again, by the digest of their texts.
    std::unordered_multimap<quint64, IndexedDoc> m_pool;
};
