#pragma once

#include "format/AuthorRecord.h"
#include "format/SourceRecord.h"

#include <QHash>
#include <QString>

// Whether a source about to be imported is one already stored: the same DOI; else the
// same ISBN (and, for a book, chapter: the chapters of one book share its ISBN); else the
// same title (and, for a book, chapter), year and first author's last name, compared
// without case or accents ("Müller" equals "MULLER"). Two sources whose DOIs (or ISBNs)
// are both known and differ are never duplicates, whatever their titles.
class SourceDuplicates
{
public:
    // The stored sources with their authors (the first author's last name is read there).
    SourceDuplicates(const SourceList& stored, const AuthorList& authors);

    // The id of the source that record duplicates, 0 when none. firstAuthorLast is the
    // last name (or, for a corporate author, the whole name) of its first author.
    qint32 Find(const SourceRecord& record, const QString& firstAuthorLast) const;
    // Counts a source taken in this import, so that a second copy in the same file is a
    // duplicate of it.
    void Add(const SourceRecord& record, const QString& firstAuthorLast, qint32 id);

    // Lower case, accents and other combining marks dropped, blanks simplified.
    static QString Folded(const QString& text);
    // "https://doi.org/10.1000/XYZ" and "doi:10.1000/xyz" -> "10.1000/xyz".
    static QString NormalizedDoi(const QString& doi);
    // The digits (and a final X) of an ISBN or ISSN.
    static QString NormalizedNumber(const QString& number);
    // An author's name for the title rule: the last name, else the first (corporate).
    static QString FamilyName(const AuthorRecord& author);

private:
    struct Known
    {
        qint32 id;
        QString doi;
        QString isbn;
    };
    static QString TitleKey(const SourceRecord& record, const QString& firstAuthorLast);
    // The normalized ISBN, with the chapter for a book (empty without an ISBN).
    static QString IsbnKey(const SourceRecord& record);

    QHash<QString, qint32> m_byDoi;
    QHash<QString, qint32> m_byIsbn;
    QHash<QString, QList<Known>> m_byTitle;
};
