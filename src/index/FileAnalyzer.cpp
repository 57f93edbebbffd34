#include "index/FileAnalyzer.h"

void FileAnalyzer::Analyze(const QString& path, AnalyzedFile* file)
{
    *file = AnalyzedFile();
    file->stamp = m_records.Load(path);
    if (!file->stamp)
        return;
    file->version = m_records.Version();
    NoteFileRecords::Record record;
    while (m_records.Next(&record)) {
        const DocAnalyzer::Result& analyzed = m_analyzer.Analyze(record);
        AnalyzedFile::Record& kept = file->records.emplace_back();
        kept.keys = analyzed.keys;
        kept.categories = analyzed.categories;
        kept.firstToken = quint32(file->tokenEnds.size());
        kept.tokenCount = quint32(analyzed.tokens.size());
        kept.bridgeCount = quint32(analyzed.bridges.size());
        for (const auto* terms : {&analyzed.tokens, &analyzed.bridges}) {
            for (const std::string_view term : *terms) {
                file->tokenBytes.append(term);
                file->tokenEnds.push_back(quint32(file->tokenBytes.size()));
            }
        }
    }
}
