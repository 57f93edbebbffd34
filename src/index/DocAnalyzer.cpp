#include "index/DocAnalyzer.h"

#include "index/ShownText.h"

const DocAnalyzer::Result& DocAnalyzer::Analyze(const NoteFileRecords::Record& record)
{
    Result& result = m_result;
    result.keys = record.keys;
    result.categories = record.categories;
    result.tokens.clear();
    result.bridges.clear();
    if (record.richText.isEmpty())
        return result;
    result.tokens = m_tokenizer.Split(ShownTextOfStoredRtf(record.richText.data(), record.richText.size()));
    result.bridges = m_tokenizer.Bridges();
    return result;
}
