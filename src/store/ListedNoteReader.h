#pragma once

#include "format/DateTime.h"
#include "format/NoteTextScanner.h"
#include "store/ListedNote.h"

#include <QByteArray>
#include <QHash>
#include <QString>

// Reads the keys of note records as a note file stores them, their texts measured in
// place and never decoded: what listing many notes costs. The attachments are not
// counted. A date that cannot be read is the reader's "now", as in a cleared record.
//
// Category names repeat from note to note: each distinct name is decoded once and the
// notes share its text.
class ListedNoteReader
{
public:
    ListedNoteReader();

    ListedNote Read(const NoteTextScanner& scanner, const NoteTextScanner::Span& span);
    // A category name's stored bytes as text, decoded once per distinct name.
    QString CategoryName(QByteArrayView bytes);

private:
    DateTime m_now;
    QHash<QByteArray, QString> m_names;
};
