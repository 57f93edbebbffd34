#include "editor/CLinkHighlighter.h"

CLinkHighlighter::CLinkHighlighter(QTextDocument* document)
    : QSyntaxHighlighter(document)
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
    QTextCharFormat link;
    link.setForeground(QColor(0, 0, 255));
    link.setFontUnderline(true);
    auto matches = Pattern().globalMatch(text);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        setFormat(int(match.capturedStart()), int(match.capturedLength()), link);
    }
}
