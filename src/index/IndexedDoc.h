#pragma once

#include "format/DateTime.h"
#include "format/FileStamp.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <optional>

// One note record of a note file as the search index keeps it: its number in the index
// (its document), the keys the current list orders and draws it by, and what the search
// must know of its texts.
struct IndexedDoc
{
    enum Flag : quint8
    {
        RichTextEmpty = 1 << 0, // never matches
        DateAddedUnread = 1 << 1, // its field was not a date: "now" when listed
        LastEditedUnread = 1 << 2,
    };

    quint32 doc = 0;
    qint32 noteId = 0;
    qint32 sourceId = 0;
    DateTime dateAdded;
    DateTime lastEdited;
    quint32 categories = 0; // a number of the index's category paths
    qint32 textLines = 0;
    qint32 textChars = 0;
    quint8 flags = 0;
    // The stored RichText and PlainText bytes, digested: equal digests, equal texts.
    quint64 textDigest = 0;
    // Where its record's bytes lie in the note file, so that confirming a match reads
    // them alone.
    qint64 diskStart = 0;
    qint64 diskEnd = 0;

    bool Has(Flag flag) const { return flags & flag; }

    friend bool operator==(const IndexedDoc&, const IndexedDoc&) = default;
};

// What the index knows of one note file: its stamp when read and its records in file
// order.
struct IndexedFile
{
    FileStamp stamp;
    double version = 0; // at its head: which fields its records hold
    QList<IndexedDoc> docs;

    // Stamp, version, count, then each record; a digest of the whole at the end.
    QByteArray Serialize() const;
    // None for bytes that are not one (a damaged store).
    static std::optional<IndexedFile> Deserialize(QByteArrayView bytes);
};
