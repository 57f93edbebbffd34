#include "sync/ArchiveMeta.h"

#include "sync/SealedLines.h"
#include "sync/SyncFormat.h"

namespace {

const QByteArray kArchiveMagic = QByteArrayLiteral("QuorvelSyncArchive");

} // namespace

QByteArray ArchiveMeta::Serialize() const
{
    SealedLines lines;
    lines.Add({kArchiveMagic, QByteArray::number(SyncFormat::kFormatVersion)});
    lines.Add({"machine", machineId.toUtf8()});
    lines.Add({"sequence", QByteArray::number(first), QByteArray::number(last)});
    for (const Note& note : notes)
        lines.Add({"note", note.guid.toUtf8(), note.fingerprint, NoteVersion::JoinHistory(note.history)});
    for (const Tombstone& tomb : deleted)
        lines.Add({"deleted", tomb.guid.toUtf8(), TimeText(tomb.when), tomb.version.fingerprint,
                   NoteVersion::JoinHistory(tomb.version.history)});
    return lines.Sealed();
}

std::optional<ArchiveMeta> ArchiveMeta::Parse(const QByteArray& bytes)
{
    const std::optional<QList<SealedLines::Line>> lines = SealedLines::Open(bytes);
    if (!lines || lines->isEmpty() || lines->first().value(0) != kArchiveMagic
        || lines->first().value(1).toInt() != SyncFormat::kFormatVersion)
        return std::nullopt;
    ArchiveMeta meta;
    for (const SealedLines::Line& line : *lines) {
        const QByteArray& kind = line.first();
        if (kind == "machine" && line.size() == 2) {
            meta.machineId = QString::fromUtf8(line.at(1));
        } else if (kind == "sequence" && line.size() == 3) {
            meta.first = line.at(1).toLongLong();
            meta.last = line.at(2).toLongLong();
        } else if (kind == "note" && line.size() == 4 && !line.at(1).isEmpty()) {
            meta.notes.append(
                {QString::fromUtf8(line.at(1)), line.at(2), NoteVersion::SplitHistory(line.at(3))});
        } else if (kind == "deleted" && line.size() == 5 && !line.at(1).isEmpty()) {
            Tombstone tomb;
            tomb.guid = QString::fromUtf8(line.at(1));
            tomb.when = TimeFromText(line.at(2));
            tomb.version.fingerprint = line.at(3);
            tomb.version.history = NoteVersion::SplitHistory(line.at(4));
            meta.deleted.append(std::move(tomb));
        }
    }
    return meta;
}

QHash<QString, ArchiveMeta::Note> ArchiveMeta::NotesByGuid() const
{
    QHash<QString, Note> byGuid;
    for (const Note& note : notes)
        byGuid.insert(note.guid, note);
    return byGuid;
}
