#pragma once

#include <QRegularExpression>
#include <QSyntaxHighlighter>

// Marks the web addresses typed into a note as links, the way the note's control shows
// them: blue and underlined. The marks are drawn over the text and never become part of
// its formats, so they are not stored with the note.
//
// The spell checker's marks of misspelled words are drawn the same way when a marker is
// set.
class CSpellMarker;

class CLinkHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    CLinkHighlighter(QTextDocument* document, bool linksShown = true, const CSpellMarker* marker = nullptr);

    // The address in the text that covers the position, or empty.
    static QString LinkIn(const QString& text, int position);
    static const QRegularExpression& Pattern();

protected:
    void highlightBlock(const QString& text) override;

private:
    bool m_linksShown = true;
    const CSpellMarker* m_marker = nullptr;
};
