#pragma once

#include "format/NoteIdList.h"

#include <QJsonObject>
#include <QString>

// One key word with the ids of the notes that carry it.
struct KeyWordEntry
{
    // -1 when created; a view that copies the list numbers the entries by position and
    // keeps the number as its item data.
    qint32 id = -1;
    // As typed, trimmed of blanks at both ends; may be empty (a text with two commas in
    // a row carries the empty key word).
    QString word;
    NoteIdList notes;

    // {"word", "notes": [ids]}
    QJsonObject ToJson() const;

    friend bool operator==(const KeyWordEntry& a, const KeyWordEntry& b)
    {
        return a.word == b.word && a.notes == b.notes;
    }
};
