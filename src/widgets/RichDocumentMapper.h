#pragma once

#include "richtext/RichDocument.h"

#include <QByteArray>
#include <QString>

class QTextDocument;

// Carries a note's rich text between the core's model (RTF read into a RichDocument) and
// Qt's QTextDocument, which the view draws and the editor edits.
namespace RichDocumentMapper {

// The bytes the RTF reader takes: a note's RichText as stored, with any character
// outside ASCII written as an RTF \uN? escape so nothing is lost on the way.
QByteArray RtfBytes(const QString& richText);

// Fills the document from the model. Font sizes are multiplied by zoom (sizes are
// half points in the model). Lists show their labels as text at the paragraph start.
void ToTextDocument(const RichDocument& model, QTextDocument& document, double zoom = 1.0);
// Reads a note's RTF and fills the document; RTF that is not RTF is shown as plain text.
void RtfToTextDocument(const QString& richText, QTextDocument& document, double zoom = 1.0);

// The model of what the document holds, for the editor's save.
RichDocument FromTextDocument(const QTextDocument& document);

} // namespace RichDocumentMapper
