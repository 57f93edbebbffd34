#pragma once

#include "richtext/RichDocument.h"

#include <QByteArray>
#include <QString>
#include <QTextFormat>

class QTextBlock;
class QTextBlockFormat;
class QTextCharFormat;
class QTextDocument;
class QFont;

// Carries a note's rich text between the core's model (RTF read into a RichDocument) and
// Qt's QTextDocument: the one mapping of the program, for the note editor, which edits the
// document, and for the note view, the print program and the import's text boxes, which
// only show it.
//
// The editor keeps the paragraph format exactly as the model has it: indents, spacing, tab
// stops and the list format live in the block format's own properties below, and the
// visible margins are derived from them. Lists are therefore not Qt lists: the control
// draws their labels itself, numbered as the model numbers them (consecutive paragraphs
// with an equal list format count up from the first one's start). A document filled from
// a model gives that model back; a note saved, reopened and saved again keeps its bytes.
namespace RichDocumentMapper {

enum Property
{
    LeftIndent = QTextFormat::UserProperty + 1,
    RightIndent,
    FirstIndent,
    SpaceBefore,
    SpaceAfter,
    LineSpacing,
    LineMultiple,
    TabStops,
    ListStyle,
    ListStart,
    ListLevel,
    ListTab,
    ListBefore,
    ListAfter,
    FontCharset,
};

// The right arrow of the font "Wingdings" is its character 224; the editor shows it as
// U+2192 so that it reads as an arrow where that font is not installed.
constexpr char16_t kWingdingsArrow = 224;
constexpr char16_t kShownArrow = 0x2192;
bool IsWingdings(const QString& family);

// Twips (1/20 point) to pixels at 96 dots per inch, and back.
qreal Pixels(int twips);
int Twips(qreal pixels);

RichParagraphFormat ParagraphFormat(const QTextBlockFormat& format);
// Stores the paragraph format in the block format and sets its visible margins; the
// alignment and every property of the block format not named here stay.
void SetParagraphFormat(QTextBlockFormat& format, const RichParagraphFormat& paragraph);
// Where a list paragraph's label starts, in twips from the text's left edge.
int LabelIndent(const RichParagraphFormat& paragraph);

// A character format as the model has it; what the fragment does not say is taken from
// the document's default font.
RichCharFormat CharFormat(const QTextCharFormat& format, const QFont& defaultFont);
QTextCharFormat TextCharFormat(const RichCharFormat& format);

void ToDocument(const RichDocument& model, QTextDocument& document);
RichDocument FromDocument(const QTextDocument& document);

// The note's RichText read into the document (text that is not RTF shows as plain text).
void RtfToDocument(const QString& richText, QTextDocument& document);
// The document written as the note's RichText.
QString DocumentToRtf(const QTextDocument& document);

// The bytes the RTF reader takes: a note's RichText as stored, with any character outside
// ASCII written as an RTF \uN? escape so nothing is lost on the way.
QByteArray RtfBytes(const QString& richText);

// A document to show, not to edit: as ToDocument, but list labels are part of the text
// (the label and a tab at the paragraph start), font sizes are multiplied by zoom, and
// runs that name no font show in "Arial".
void ToDisplayDocument(const RichDocument& model, QTextDocument& document, double zoom = 1.0);
void RtfToDisplayDocument(const QString& richText, QTextDocument& document, double zoom = 1.0);

// The number a list paragraph shows (the model's rule), and its label ("2)", a bullet).
int ListNumber(const QTextBlock& block);
QString ListLabel(const QTextBlock& block);

} // namespace RichDocumentMapper
