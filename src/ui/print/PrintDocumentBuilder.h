#pragma once

#include "format/BibFile.h"
#include "format/PrintPreviewFile.h"

#include <QString>

class QTextDocument;

// Lays out what the print program shows: a note list (each note's rich text, then its
// source's citation with the citation's marks, then its categories and key words) or a
// bibliography (each citation with its marks and its hanging indent of IndentSpaces
// character widths). The page title and page numbers are drawn by PagePainter.
namespace PrintDocumentBuilder {

QString NotesTitle(int count);
QString BibliographyTitle(int count);

void BuildNotes(const PrintPreviewData& data, QTextDocument& document);
void BuildBibliography(const BibData& data, QTextDocument& document);

} // namespace PrintDocumentBuilder
