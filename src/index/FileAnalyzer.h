#pragma once

#include "index/DocAnalyzer.h"
#include "index/NoteFileRecords.h"

#include <QString>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One note file as the search index takes it in: its stamp and, for each kept record in
// file order, its keys, its category path and the distinct tokens and bridges of its
// shown text.
struct AnalyzedFile
{
    struct Record
    {
        IndexedDoc keys; // doc and categories not yet numbered
        CategoryAssignment categories;
        quint32 firstToken = 0; // its terms: the tokens, then the bridges
        quint32 tokenCount = 0;
        quint32 bridgeCount = 0;
    };

    std::optional<FileStamp> stamp; // none: the file cannot be read
    double version = 0;
    std::vector<Record> records;
    std::string tokenBytes; // every record's terms, one after the other
    std::vector<quint32> tokenEnds; // where each term ends in tokenBytes

    std::string_view Token(quint32 index) const
    {
        const quint32 start = index == 0 ? 0 : tokenEnds[index - 1];
        return std::string_view(tokenBytes).substr(start, tokenEnds[index] - start);
    }
};

// Reads note files into AnalyzedFiles: the costly part of indexing (reading each record's
// RTF), so each thread has its own analyzer.
class FileAnalyzer
{
public:
    void Analyze(const QString& path, AnalyzedFile* file);

private:
    NoteFileRecords m_records;
    DocAnalyzer m_analyzer;
};
