#include "index/TextMatcher.h"

namespace {

bool IsWholeWordAt(const QString& text, qsizetype start, qsizetype length)
{
    const qsizetype end = start + length;
    if (start > 0 && IsWordChar(CodePointBefore(text, start)))
        return false;
    return end >= text.size() || !IsWordChar(CodePointAt(text, end));
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
    if (c < 0x80) // most text: no look-up needed
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
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
        m_terms.append(term);
    }
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
