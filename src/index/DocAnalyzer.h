#pragma once

#include "index/NoteFileRecords.h"
#include "index/TextTokenizer.h"

#include <QByteArray>
#include <string_view>
#include <vector>

// Turns a note record into what the search index keeps of it: the tokens and bridges of
// its shown text. The costly part of indexing (reading the RTF), so each thread has its own
// analyzer.
class DocAnalyzer
{
public:
    struct Result
    {
        IndexedDoc keys;
        CategoryAssignment categories;
        std::vector<std::string_view> tokens; // valid until the next Analyze
        std::vector<std::string_view> bridges; // likewise
    };

    // record's keys are taken over; its texts are read.
    const Result& Analyze(const NoteFileRecords::Record& record);

private:
    TextTokenizer m_tokenizer;
    Result m_result;
};
