#pragma once

#include <QByteArray>
#include <QString>

// A note's text as the note view shows it, read from its stored RichText: what the search
// looks in, whether it reads the note files or its kept index.

// The note's RTF as bytes for the reader: RTF is 7-bit, so anything beyond ASCII that a
// stored text holds goes in as a \u escape.
QByteArray RtfBytesOfText(const QString& richText);

// The shown text of a RichText field as a note file stores it (its bytes in the file's
// encoding). Stored RTF is nearly always pure ASCII, which the reader takes as it is.
QString ShownTextOfStoredRtf(const char* richText, qsizetype length);
