#pragma once

#include "format/DateTime.h"
#include "format/NoteRecord.h"

#include <QByteArray>
#include <QList>
#include <QString>

// One version of a note as the machines tell versions apart: its fingerprint, the
// fingerprints of the versions it grew from (newest first, at most
// SyncFormat::kHistoryLength), and its LastEdited, which decides between two versions
// that grew apart.
//
// The fingerprint covers every stored field that travels with a note: both dates, key
// words, the reserved text, spell checking, the attachments without their stored names,
// both texts, the categories and the cited source's SourceGUID. It leaves out what each
// machine gives a note of its own (NoteID, SourceID, the attachments' stored names), so a
// note has the same fingerprint on every machine that holds the same version. 32 hex
// digits.
struct NoteVersion
{
    QByteArray fingerprint;
    QList<QByteArray> history;
    DateTime lastEdited;

    // Whether this version is fingerprint or grew from it.
    bool Knows(const QByteArray& other) const { return fingerprint == other || history.contains(other); }
    // The version that replaced this one: its history starts with this fingerprint.
    NoteVersion Next(const QByteArray& newFingerprint, const DateTime& newLastEdited) const;
    // Remembers other as an ancestor too (after a conflict was decided for this version).
    void Absorb(const QByteArray& other);

    static QByteArray JoinHistory(const QList<QByteArray>& history);
    static QList<QByteArray> SplitHistory(const QByteArray& text);
};

// sourceGuid: the SourceGUID of the source the note cites (empty for none).
QByteArray NoteFingerprint(const NoteRecord& note, const QString& sourceGuid);

// The later edit wins; on equal dates (to the second) the larger fingerprint, so every
// machine picks the same one. A date that is not valid loses to a valid one.
bool WinsOver(const NoteVersion& a, const NoteVersion& b);

// The copy kept of a version that lost a conflict: a new note with a NoteGUID made from
// the note's GUID and the losing fingerprint (the same on every machine that keeps it) and
// the key word "sync conflict" added; everything else as it was.
QString ConflictCopyGuid(const QString& guid, const QByteArray& fingerprint);
NoteRecord ConflictCopy(const NoteRecord& note, const QByteArray& fingerprint);
