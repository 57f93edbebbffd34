#pragma once

#include <QString>

class QPrinter;
class QTextDocument;

// Paints a document onto a printer (a real one, the preview's or a PDF file), page by
// page: the title at the top of every page, "Page N of M" at the bottom, the document
// between them. The document itself is not changed: a copy is laid out for the printer.
namespace PagePainter {

// Returns the number of pages painted; 0 when the printer could not be opened.
int Paint(const QTextDocument& document, const QString& title, QPrinter* printer);

QString PageNumberText(int page, int pageCount);

} // namespace PagePainter
