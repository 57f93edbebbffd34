#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// Small helpers on a note's RTF for the rest of the program.

// The text of the RTF as the note view shows it: paragraphs and line breaks as "\n".
QString RtfToPlainText(const QByteArray& rtf);

// A minimal RTF document holding the text: one paragraph per line ("\n", "\r\n" or "\r"),
// in Arial 10 pt. Used for notes made from plain text.
QByteArray PlainTextToRtf(const QString& text);

// The RTF with every font size (each \fs control word with up to seven digits) multiplied
// by the zoom factor and truncated to an integer; \fs0 stays. Nothing else changes, not
// even a byte:  ZoomRtf("{\rtf1\fs24 x}", 1.5)  #=> "{\rtf1\fs36 x}".
QByteArray ZoomRtf(const QByteArray& rtf, double zoomFactor);

// The RTF with the given ranges of its plain text (start, length, positions in
// RtfToPlainText) highlighted in the search colour RGB 255, 142, 40. The document is read
// and written again; apart from the highlight it keeps everything the reader keeps.
QByteArray HighlightRtfRanges(const QByteArray& rtf, const QList<QPair<int, int>>& ranges);
