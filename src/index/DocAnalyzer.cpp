#include "index/DocAnalyzer.h"

#include "index/ShownText.h"

const DocAnalyzer::Result& DocAnalyzer::Analyze(const NoteFileRecords::Record& record)
{
    Result& result = m_result;
    result.keys = record.keys;
    result.categories = record.categories;
    result.tokens.clear();
    result.packedText.clear();
    if (record.richText.isEmpty())
        return result;
    const QString shown = ShownTextOfStoredRtf(record.richText.data(), record.richText.size());
    result.tokens = m_tokenizer.Split(shown);
    result.packedText = m_packer.Pack(shown);
    return result;
}
