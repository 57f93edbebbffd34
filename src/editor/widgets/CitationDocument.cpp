#include "editor/widgets/CitationDocument.h"

#include "sources/CitationFormatter.h"

#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace CitationDocument {

void Fill(QTextDocument& document, const SourceRecord& source)
{
    document.clear();
    if (source.CitationText.isEmpty())
        return;
    QTextCursor cursor(&document);
    cursor.insertText(source.CitationText);
    const qsizetype marks
        = std::min({source.MarkKinds.size(), source.MarkStarts.size(), source.MarkEnds.size()});
    for (qsizetype i = 0; i < marks; ++i) {
        const int start = source.MarkStarts[i];
        const int end = source.MarkEnds[i];
        if (start < 0 || end < start || end >= source.CitationText.size())
            continue;
        QTextCursor mark(&document);
        mark.setPosition(start);
        mark.setPosition(end + 1, QTextCursor::KeepAnchor);
        QTextCharFormat format;
        if (source.MarkKinds[i] == 1)
            format.setFontItalic(true);
        else if (source.MarkKinds[i] == 2)
            format.setFontWeight(QFont::Bold);
        else if (source.MarkKinds[i] == 3)
            format.setFontUnderline(true);
        mark.mergeCharFormat(format);
    }
}

SourceRecord FormattedIncoming(const SourceRecord& source)
{
    SourceRecord formatted = source;
    FormatCitation(formatted, source.EmbeddedAuthors);
    if (formatted.CitationText.isEmpty())
        return source;
    return formatted;
}

} // namespace CitationDocument
