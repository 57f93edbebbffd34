#pragma once

#include "format/AuthorRecord.h"
#include "format/DateTime.h"

#include <QList>
#include <QString>
#include <QStringList>

constexpr int kSourceFieldCount = 15;

// One bibliographic source. The persisted fields come first; the rest is run-time state
// that the citation formatter and the exchange form fill. Which notes cite it is the note
// database's index (NoteDatabase::NotesCiting).
struct SourceRecord
{
    SourceRecord();
    // kSourceFieldCount empty texts.
    static const QStringList& BlankFields();

    QString SourceGUID;
    qint32 SourceId = -1;
    QString AuthorsText;
    qint32 Style = 1;
    qint32 Type = 1;
    qint32 IndentSpaces = 3;
    qint32 AuthorsBeforeEtAl = 6;
    QList<qint32> AuthorIds;
    QStringList Fields; // always kSourceFieldCount texts
    qint32 YearOnly = 0;
    bool DateSet = false;
    DateTime Date;

    // Run-time only.
    QString CitationText;
    QList<qint32> MarkKinds; // 1 italic, 2 bold, 3 underline
    QList<qint32> MarkStarts; // inclusive character positions in CitationText
    QList<qint32> MarkEnds;
    AuthorList EmbeddedAuthors;
};

using SourceList = QList<SourceRecord>;
