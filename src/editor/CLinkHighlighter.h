#pragma once

#include <QRegularExpression>
#include <QSyntaxHighlighter>

// Marks the web addresses typed into a note as links, the way the note's control shows
// them: blue and underlined. The marks are drawn over the text and never become part of
// its formats, so they are not stored with the note.
class CLinkHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    explicit CLinkHighlighter(QTextDocument* document);

    // The address in the text that covers the position, or empty.
    static QString LinkIn(const QString& text, int position);
    static const QRegularExpression& Pattern();

protected:
    void highlightBlock(const QString& text) override;
};
