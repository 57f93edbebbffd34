#include "index/DocAnalyzer.h"

#include "format/TextCodec.h"
#include "index/ShownText.h"

#include <string.h> // memmem
#include <unordered_set>

const DocAnalyzer::Result& DocAnalyzer::Analyze(const NoteFileRecords::Record& record)
{
    Result& result = m_result;
    result.keys = record.keys;
    result.categories = record.categories;
    result.tokens.clear();
    result.packedTexts.clear();
    if (record.richText.isEmpty())
        return result;
    const QString shown = ShownTextOfStoredRtf(record.richText.data(), record.richText.size());
    result.tokens = m_shownTokens.Split(shown);
    if (!record.plainText.isEmpty() && PlainHasShownWords(record.plainText))
        result.keys.flags |= IndexedDoc::PlainHasShownWords;
    result.packedTexts = m_packer.Pack(shown, record.plainText);
    return result;
}

bool DocAnalyzer::PlainHasShownWords(QByteArrayView plainText)
{
    const QString plain = TextCodec::FromFileBytes(plainText);
    const std::vector<std::string_view>& plainTokens = m_plainTokens.Split(plain);
    const std::unordered_set<std::string_view> known(plainTokens.begin(), plainTokens.end());
    QByteArray folded; // made only when a word is not a whole token of the PlainText
    for (const std::string_view token : m_result.tokens) {
        if (!TextTokenizer::IsWordToken(token) || known.count(token))
            continue;
        if (folded.isNull())
            folded = TextTokenizer::Fold(plain);
        if (!memmem(folded.constData(), size_t(folded.size()), token.data(), token.size()))
            return false;
    }
    return true;
}
