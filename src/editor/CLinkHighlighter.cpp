#include "editor/CLinkHighlighter.h"

#include "editor/CSpellMarker.h"

CLinkHighlighter::CLinkHighlighter(QTextDocument* document, bool linksShown, const CSpellMarker* marker)
    : QSyntaxHighlighter(document)
    , m_linksShown(linksShown)
    , m_marker(marker)
{
}

const QRegularExpression& CLinkHighlighter::Pattern()
{
    // Addresses with a scheme, or starting "www.", up to the next blank; closing
    // punctuation after them belongs to the sentence.
    static const QRegularExpression pattern(
        QStringLiteral(R"((?:(?:https?|ftp|file)://|mailto:|www\.)[^\s<>"]*[^\s<>".,;:!?)\]'])"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

QString CLinkHighlighter::LinkIn(const QString& text, int position)
{
    auto matches = Pattern().globalMatch(text);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        if (position >= match.capturedStart() && position < match.capturedEnd())
            return match.captured();
    }
    return QString();
}

void CLinkHighlighter::highlightBlock(const QString& text)
{
    if (m_marker) {
        const QTextCharFormat mark = CSpellMarker::MarkFormat();
        for (const SpellWord& word : m_marker->MarksOf(currentBlock()))
            setFormat(word.start, word.length, mark);
    }
    if (!m_linksShown)
        return;
    QTextCharFormat link;
    link.setForeground(QColor(0, 0, 255));
    link.setFontUnderline(true);
    auto matches = Pattern().globalMatch(text);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        setFormat(int(match.capturedStart()), int(match.capturedLength()), link);
    }
}
