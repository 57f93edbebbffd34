#pragma once

#include "richtext/RichDocument.h"

#include <QString>

// A note's rich text as Markdown (CommonMark, as Pandoc, Zettlr and Obsidian read it):
// bold as **x**, italic as *x*, both as ***x***, a link as [text](url), bulleted and
// numbered paragraphs as "- " and "1. " items (indented two blanks a level deeper), a
// line break inside a paragraph as "\" at the line's end, a blank line between
// paragraphs. Characters Markdown would take as markup are escaped with "\". Underline,
// fonts, colours and sizes have no Markdown and are dropped.
//
//   "{\rtf1 Cell {\b growth} is {\i fast}.\par}" -> "Cell **growth** is *fast*."
QString MarkdownFromDocument(const RichDocument& document);
// From a note's stored RTF (a text, as NoteRecord holds it).
QString MarkdownFromRtf(const QString& richText);
