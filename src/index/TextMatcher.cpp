#include "index/TextMatcher.h"

#include "format/TextCodec.h"

#include <array>
#include <cstring>
#include <string.h> // memmem

namespace {

bool IsWholeWordAt(const QString& text, qsizetype start, qsizetype length)
{
    const qsizetype end = start + length;
    if (start > 0 && IsWordChar(CodePointBefore(text, start)))
        return false;
    return end >= text.size() || !IsWordChar(CodePointAt(text, end));
}

const std::array<unsigned char, 256>& AsciiLowerTable()
{
    static const std::array<unsigned char, 256> table = [] {
        std::array<unsigned char, 256> t {};
        for (int i = 0; i < 256; ++i)
            t[i] = static_cast<unsigned char>(i >= 'A' && i <= 'Z' ? i + ('a' - 'A') : i);
        return t;
    }();
    return table;
}

// UTF-8 forms of the characters beyond ASCII that fold to an ASCII letter when case is
// ignored (the Kelvin sign to k, the long s to s): a text holding one can match an
// ASCII term that its bytes do not contain.
const QList<QByteArray>& FoldsToAscii()
{
    static const QList<QByteArray> sequences = [] {
        QList<QByteArray> found;
        for (char32_t c = 0x80; c <= 0x10FFFF; ++c) {
            if (c >= 0xD800 && c <= 0xDFFF)
                continue;
            if (QChar::toCaseFolded(c) < 0x80)
                found.append(QString::fromUcs4(&c, 1).toUtf8());
        }
        return found;
    }();
    return sequences;
}

bool HoldsFoldToAscii(const char* text, qsizetype length)
{
    for (const QByteArray& sequence : FoldsToAscii()) {
        if (memmem(text, static_cast<size_t>(length), sequence.constData(),
                   static_cast<size_t>(sequence.size())))
            return true;
    }
    return false;
}

bool IsAscii(const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

// Every occurrence from the start of the text to its end, case ignored; the search goes
// on after each occurrence.
QList<QPair<int, int>> FindHits(const QString& text, const QString& body, bool wholeWord)
{
    QList<QPair<int, int>> hits;
    if (body.isEmpty())
        return hits;
    const int length = static_cast<int>(body.size());
    qsizetype from = 0;
    while (true) {
        const qsizetype at = text.indexOf(body, from, Qt::CaseInsensitive);
        if (at < 0)
            break;
        if (!wholeWord || IsWholeWordAt(text, at, length)) {
            hits.append({static_cast<int>(at), length});
            from = at + length;
        } else {
            from = at + 1;
        }
    }
    return hits;
}

// Whether FindHits would find anything, stopping at the first hit.
bool HasHit(const QString& text, const QString& body, bool wholeWord)
{
    if (body.isEmpty())
        return false;
    qsizetype from = 0;
    while (true) {
        const qsizetype at = text.indexOf(body, from, Qt::CaseInsensitive);
        if (at < 0)
            return false;
        if (!wholeWord || IsWholeWordAt(text, at, body.size()))
            return true;
        from = at + 1;
    }
}

} // namespace

bool IsWordChar(char32_t c)
{
    if (QChar::isLetterOrNumber(c))
        return true;
    const QChar::Category category = QChar::category(c);
    return category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining
        || category == QChar::Mark_Enclosing;
}

char32_t CodePointBefore(const QString& text, qsizetype pos)
{
    const QChar last = text.at(pos - 1);
    if (last.isLowSurrogate() && pos >= 2 && text.at(pos - 2).isHighSurrogate())
        return QChar::surrogateToUcs4(text.at(pos - 2), last);
    return last.unicode();
}

char32_t CodePointAt(const QString& text, qsizetype pos)
{
    const QChar first = text.at(pos);
    if (first.isHighSurrogate() && pos + 1 < text.size() && text.at(pos + 1).isLowSurrogate())
        return QChar::surrogateToUcs4(first, text.at(pos + 1));
    return first.unicode();
}

QString SearchTermBody(const QString& term, bool* wholeWord)
{
    *wholeWord = term.startsWith(QLatin1Char('"'));
    return *wholeWord ? term.mid(1, term.size() - 2) : term;
}

QList<QPair<int, int>> FindTermHits(const QString& text, const QString& term)
{
    bool wholeWord = false;
    const QString body = SearchTermBody(term, &wholeWord);
    return FindHits(text, body, wholeWord);
}

TextMatcher::TextMatcher(int op, const QStringList& terms)
    : m_operator(op)
{
    for (const QString& text : terms) {
        Term term;
        term.body = SearchTermBody(text, &term.wholeWord);
        term.ascii = IsAscii(term.body);
        if (term.ascii)
            term.asciiLower = term.body.toLatin1().toLower();
        m_terms.append(term);
    }
    FoldsToAscii(); // built once, before the first note
}

bool TextMatcher::Combine(const QList<bool>& possible) const
{
    const qsizetype count = possible.count(true);
    if (m_operator == And)
        return count > 0 && count == possible.size();
    return count > 0;
}

bool TextMatcher::MayMatch(const QString& plainText) const
{
    if (plainText.isEmpty())
        return true;
    QList<bool> possible;
    for (const Term& term : m_terms)
        possible.append(!term.body.isEmpty() && plainText.contains(term.body, Qt::CaseInsensitive));
    return Combine(possible);
}

bool TextMatcher::MayMatchBytes(const char* plainText, qsizetype length) const
{
    if (length == 0)
        return true;
    bool allAscii = true;
    for (const Term& term : m_terms)
        allAscii = allAscii && term.ascii;
    const auto& lower = AsciiLowerTable();
    thread_local QByteArray lowered; // the scratch buffer of the thread's notes
    lowered.resize(length);
    auto* out = reinterpret_cast<unsigned char*>(lowered.data());
    const auto* in = reinterpret_cast<const unsigned char*>(plainText);
    unsigned char high = 0;
    for (qsizetype i = 0; i < length; ++i) {
        out[i] = lower[in[i]];
        high |= in[i];
    }
    // Bytes beyond ASCII belong to characters beyond ASCII (UTF-8, or the Windows code
    // page of older files), which match an ASCII term only by folding to ASCII.
    if (!allAscii || ((high & 0x80) && HoldsFoldToAscii(plainText, length)))
        return MayMatch(TextCodec::FromFileBytes(QByteArray::fromRawData(plainText, length)));
    QList<bool> possible;
    for (const Term& term : m_terms) {
        possible.append(!term.asciiLower.isEmpty()
                        && memmem(out, static_cast<size_t>(length), term.asciiLower.constData(),
                                  static_cast<size_t>(term.asciiLower.size())));
    }
    return Combine(possible);
}

int TextMatcher::FindAllHits(const QString& shown, QList<QPair<int, int>>* ranges) const
{
    int hitTerms = 0;
    for (const Term& term : m_terms) {
        const QList<QPair<int, int>> hits = FindHits(shown, term.body, term.wholeWord);
        if (!hits.isEmpty()) {
            ++hitTerms;
            *ranges += hits;
        }
    }
    return hitTerms;
}

bool TextMatcher::Matched(int hitTerms) const
{
    return hitTerms > 0 && (m_operator != And || hitTerms == m_terms.size());
}

bool TextMatcher::ShownTextMatches(const QString& shown) const
{
    int hitTerms = 0;
    for (const Term& term : m_terms) {
        if (HasHit(shown, term.body, term.wholeWord))
            ++hitTerms;
        else if (m_operator == And)
            return false;
    }
    return Matched(hitTerms);
}
