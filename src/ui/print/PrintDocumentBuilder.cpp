#include "ui/print/PrintDocumentBuilder.h"

#include "editor/widgets/RichDocumentMapper.h"
#include "format/CategoryLevelEntry.h"

#include <QFontMetricsF>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

namespace PrintDocumentBuilder {

namespace {

    const QString kFontFamily = QStringLiteral("Times New Roman");
    constexpr qreal kBodyPointSize = 11.0;

    QTextCharFormat PlainFormat(qreal pointSize = kBodyPointSize)
    {
        QTextCharFormat format;
        format.setFontFamilies({kFontFamily});
        format.setFontPointSize(pointSize);
        return format;
    }

    // The citation's text with its marks: 1 italic, 2 bold, 3 underline; ranges inclusive.
    void InsertCitation(QTextCursor& cursor, const SourceRecord& source, const QTextCharFormat& base)
    {
        const QString& text = source.CitationText;
        QList<QTextCharFormat> formats(text.size(), base);
        for (int i = 0; i < source.MarkKinds.size(); ++i) {
            for (int at = qMax(0, source.MarkStarts[i]); at <= source.MarkEnds[i] && at < text.size(); ++at) {
                switch (source.MarkKinds[i]) {
                case 1:
                    formats[at].setFontItalic(true);
                    break;
                case 2:
                    formats[at].setFontWeight(QFont::Bold);
                    break;
                case 3:
                    formats[at].setFontUnderline(true);
                    break;
                default:
                    break;
                }
            }
        }
        int start = 0;
        for (int at = 1; at <= text.size(); ++at) {
            if (at == text.size() || formats[at] != formats[start]) {
                cursor.insertText(text.mid(start, at - start), formats[start]);
                start = at;
            }
        }
    }

    QString CategoryText(const CategoryAssignment& categories)
    {
        QStringList names;
        for (int level = 0; level < 4; ++level) {
            const QString name = categories.NameAt(level);
            if (name == UnassignedCategoryName())
                break;
            names.append(name);
        }
        return names.join(QStringLiteral(" > "));
    }

    void InsertLabelled(QTextCursor& cursor, const QString& label, const QString& text)
    {
        QTextCharFormat bold = PlainFormat(kBodyPointSize - 1);
        bold.setFontWeight(QFont::Bold);
        QTextBlockFormat block;
        block.setLeftMargin(18);
        cursor.insertBlock(block);
        cursor.insertText(label, bold);
        cursor.insertText(text, PlainFormat(kBodyPointSize - 1));
    }

    void InsertNote(QTextCursor& cursor, const NoteRecord& note, int number, bool first)
    {
        QTextBlockFormat heading;
        heading.setTopMargin(first ? 0 : 14);
        heading.setBottomMargin(4);
        if (!first)
            cursor.insertBlock(heading);
        else
            cursor.setBlockFormat(heading);
        QTextCharFormat headingFormat = PlainFormat(kBodyPointSize - 1);
        headingFormat.setForeground(QColor(0x40, 0x40, 0x40));
        headingFormat.setFontWeight(QFont::Bold);
        cursor.insertText(QStringLiteral("Note %1").arg(number) + QStringLiteral("  -  ")
                              + note.LastEdited.ShownDate(),
                          headingFormat);
        cursor.insertBlock(QTextBlockFormat());
        QTextDocument body;
        if (note.RichText.isEmpty())
            body.setPlainText(note.PlainText);
        else
            RichDocumentMapper::RtfToDisplayDocument(note.RichText, body);
        cursor.insertFragment(QTextDocumentFragment(&body));
        if (note.SourceID > 0 && !note.AttachedSource.CitationText.isEmpty()) {
            QTextBlockFormat block;
            block.setLeftMargin(18);
            block.setTopMargin(4);
            cursor.insertBlock(block);
            cursor.insertText(QStringLiteral("Source: "), PlainFormat(kBodyPointSize - 1));
            InsertCitation(cursor, note.AttachedSource, PlainFormat(kBodyPointSize - 1));
        }
        const QString categories = CategoryText(note.Categories);
        if (!categories.isEmpty())
            InsertLabelled(cursor, QStringLiteral("Categories: "), categories);
        if (!note.KeyWords.isEmpty())
            InsertLabelled(cursor, QStringLiteral("Key Words: "), note.KeyWords);
    }

    void SetUp(QTextDocument& document)
    {
        document.clear();
        document.setDefaultFont(QFont(kFontFamily, int(kBodyPointSize)));
        document.setDocumentMargin(0);
    }

} // namespace

QString NotesTitle(int count)
{
    return count == 1 ? QStringLiteral("Quorvel Notes (1 note)")
                      : QStringLiteral("Quorvel Notes (%1 notes)").arg(count);
}

QString BibliographyTitle(int count)
{
    return count == 1 ? QStringLiteral("Bibliography (1 source)")
                      : QStringLiteral("Bibliography (%1 sources)").arg(count);
}

void BuildNotes(const PrintPreviewData& data, QTextDocument& document)
{
    SetUp(document);
    QTextCursor cursor(&document);
    for (int i = 0; i < data.notes.size(); ++i)
        InsertNote(cursor, data.notes[i], i + 1, i == 0);
}

void BuildBibliography(const BibData& data, QTextDocument& document)
{
    SetUp(document);
    QTextCursor cursor(&document);
    const QTextCharFormat base = PlainFormat();
    const qreal charWidth = QFontMetricsF(base.font()).horizontalAdvance(QLatin1Char('x'));
    for (int i = 0; i < data.sources.size(); ++i) {
        const SourceRecord& source = data.sources[i];
        // A hanging indent: the second and later lines start IndentSpaces characters in.
        const qreal indent = qBound(0, source.IndentSpaces, 10) * charWidth;
        QTextBlockFormat block;
        block.setLeftMargin(indent);
        block.setTextIndent(-indent);
        block.setBottomMargin(8);
        if (i == 0)
            cursor.setBlockFormat(block);
        else
            cursor.insertBlock(block);
        InsertCitation(cursor, source, base);
    }
}

} // namespace PrintDocumentBuilder
