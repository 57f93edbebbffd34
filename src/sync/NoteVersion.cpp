#include "sync/NoteVersion.h"

#include "categories/KeyWordList.h"
#include "format/FieldWriter.h"
#include "sync/SyncFormat.h"

#include <QCryptographicHash>

NoteVersion NoteVersion::Next(const QByteArray& newFingerprint, const DateTime& newLastEdited) const
{
    NoteVersion next;
    next.fingerprint = newFingerprint;
    next.lastEdited = newLastEdited;
    next.history = history;
    next.history.prepend(fingerprint);
    next.history.removeAll(newFingerprint);
    if (next.history.size() > SyncFormat::kHistoryLength)
        next.history.resize(SyncFormat::kHistoryLength);
    return next;
}

void NoteVersion::Absorb(const QByteArray& other)
{
    if (Knows(other))
        return;
    history.prepend(other);
    if (history.size() > SyncFormat::kHistoryLength)
        history.resize(SyncFormat::kHistoryLength);
}

QByteArray NoteVersion::JoinHistory(const QList<QByteArray>& history)
{
    return history.join(',');
}

QList<QByteArray> NoteVersion::SplitHistory(const QByteArray& text)
{
    QList<QByteArray> history;
    for (const QByteArray& fingerprint : text.split(',')) {
        if (!fingerprint.isEmpty())
            history.append(fingerprint);
    }
    return history;
}

QByteArray NoteFingerprint(const NoteRecord& note, const QString& sourceGuid)
{
    NoteRecord bare = note;
    bare.NoteID = 0;
    bare.SourceID = 0;
    for (AttachmentRecord& attachment : bare.Attachments)
        attachment.StoredName.clear();
    FieldWriter writer;
    bare.Write(writer);
    writer.WriteText(sourceGuid);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(writer.LogicalBytes());
    return hash.result().left(16).toHex();
}

bool WinsOver(const NoteVersion& a, const NoteVersion& b)
{
    if (a.lastEdited.IsValid() != b.lastEdited.IsValid())
        return a.lastEdited.IsValid();
    if (a.lastEdited.IsValid() && a.lastEdited.Days() != b.lastEdited.Days())
        return a.lastEdited.Days() > b.lastEdited.Days();
    return a.fingerprint > b.fingerprint;
}

QString ConflictCopyGuid(const QString& guid, const QByteArray& fingerprint)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(guid.toUtf8());
    hash.addData(QByteArrayView("\t"));
    hash.addData(fingerprint);
    const QByteArray b = hash.result();
    const auto u = [&b](int i) { return uint(quint8(b.at(i))); };
    // The note GUID's own form: upper-case hex but for the third group.
    return QString::asprintf("{%08X-%04X-%04x-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                             (u(0) << 24) | (u(1) << 16) | (u(2) << 8) | u(3), (u(4) << 8) | u(5),
                             (u(6) << 8) | u(7), u(8), u(9), u(10), u(11), u(12), u(13), u(14), u(15));
}

NoteRecord ConflictCopy(const NoteRecord& note, const QByteArray& fingerprint)
{
    NoteRecord copy = note;
    copy.NoteGUID = ConflictCopyGuid(note.NoteGUID, fingerprint);
    const QString word = SyncFormat::ConflictKeyWord();
    if (!KeyWordList::SplitKeyWords(note.KeyWords).contains(word)) {
        QString words = note.KeyWords.trimmed();
        while (words.endsWith(QLatin1Char(',')))
            words.chop(1);
        words = words.trimmed();
        copy.KeyWords = words.isEmpty() ? word : words + QStringLiteral(", ") + word;
    }
    return copy;
}
