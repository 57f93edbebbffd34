#include "sync/SyncState.h"

#include "format/FileSystem.h"
#include "sync/SealedLines.h"
#include "sync/SyncFormat.h"

#include <QDir>
#include <QFile>

namespace {

const QByteArray kStateMagic = QByteArrayLiteral("QuorvelSyncState");

using Words = SealedLines::Words;

void AppendWords(QByteArray& line, std::initializer_list<QByteArrayView> words)
{
    line.clear();
    for (QByteArrayView word : words) {
        if (!line.isEmpty())
            line.append('\t');
        line.append(word);
    }
}

void AddFile(SealedLines& lines, const SyncedFile& file, QByteArray& line)
{
    const FileStamp& s = file.stamp;
    AppendWords(line,
                {"file", file.name.toUtf8(), QByteArray::number(s.device), QByteArray::number(s.inode),
                 QByteArray::number(s.size), QByteArray::number(s.changedSeconds),
                 QByteArray::number(s.changedNanoseconds)});
    lines.AddRaw(line);
    for (const SyncedNote& note : file.notes) {
        AppendWords(line,
                    {"note", QByteArray::number(note.id), note.guid.toUtf8(), note.stored,
                     note.version.fingerprint, TimeText(note.version.lastEdited),
                     NoteVersion::JoinHistory(note.version.history)});
        lines.AddRaw(line);
    }
}

bool ReadFileLine(const Words& line, SyncedFile* file)
{
    if (line.size() != 7)
        return false;
    file->name = QString::fromUtf8(line.at(1));
    file->stamp.device = line.at(2).toULongLong();
    file->stamp.inode = line.at(3).toULongLong();
    file->stamp.size = line.at(4).toLongLong();
    file->stamp.changedSeconds = line.at(5).toLongLong();
    file->stamp.changedNanoseconds = line.at(6).toLongLong();
    return !file->name.isEmpty();
}

QList<QByteArray> HistoryOf(QByteArrayView text)
{
    return text.isEmpty() ? QList<QByteArray>() : NoteVersion::SplitHistory(text.toByteArray());
}

bool ReadNoteLine(const Words& line, SyncedNote* note)
{
    if (line.size() != 7)
        return false;
    bool ok = false;
    note->id = line.at(1).toInt(&ok);
    note->guid = QString::fromUtf8(line.at(2));
    note->stored = line.at(3).toByteArray();
    note->version.fingerprint = line.at(4).toByteArray();
    note->version.lastEdited = TimeFromText(line.at(5).toByteArray());
    note->version.history = HistoryOf(line.at(6));
    return ok && !note->guid.isEmpty();
}

bool ReadTombLine(const Words& line, Tombstone* tomb)
{
    if (line.size() != 5)
        return false;
    tomb->guid = QString::fromUtf8(line.at(1));
    tomb->when = TimeFromText(line.at(2).toByteArray());
    tomb->version.fingerprint = line.at(3).toByteArray();
    tomb->version.history = HistoryOf(line.at(4));
    return !tomb->guid.isEmpty();
}

// One line of the state into state; false for a line that is not whole.
bool ReadLine(const Words& line, SyncState& state)
{
    const QByteArrayView kind = line.first();
    if (kind == "note") {
        SyncedNote note;
        if (state.files.isEmpty() || !ReadNoteLine(line, &note))
            return false;
        state.files.last().notes.append(std::move(note));
    } else if (kind == "file") {
        SyncedFile file;
        if (!ReadFileLine(line, &file))
            return false;
        state.files.append(std::move(file));
    } else if (kind == "tomb") {
        Tombstone tomb;
        if (!ReadTombLine(line, &tomb))
            return false;
        state.tombstones.insert(tomb.guid, std::move(tomb));
    } else if (kind == "listing" && line.size() == 2) {
        state.listing = line.at(1) == "-" ? QByteArray() : line.at(1).toByteArray();
    } else if (kind == "machine" && line.size() == 2) {
        state.machineId = QString::fromUtf8(line.at(1));
    } else if (kind == "synced" && line.size() == 2) {
        state.synced = line.at(1) == "-" ? DateTime() : TimeFromText(line.at(1).toByteArray());
    }
    return true;
}

} // namespace

bool Tombstone::Buries(const NoteVersion& note) const
{
    if (version.Knows(note.fingerprint))
        return true;
    return when.IsValid() && note.lastEdited.IsValid() && note.lastEdited.Days() <= when.Days();
}

void Tombstone::Merge(const Tombstone& other)
{
    Tombstone earlier = other;
    if (other.when.IsValid() && (!when.IsValid() || other.when.Days() > when.Days())) {
        earlier = *this;
        *this = other;
    }
    version.Absorb(earlier.version.fingerprint);
    for (const QByteArray& fingerprint : earlier.version.history)
        version.Absorb(fingerprint);
}

QByteArray TimeText(const DateTime& value)
{
    return value.IsValid() ? value.ToFieldText() : QByteArrayLiteral("-");
}

DateTime TimeFromText(const QByteArray& text)
{
    if (text == "-")
        return DateTime::Invalid();
    DateTime value = DateTime::Invalid();
    value.SetFromFieldText(text);
    return value;
}

QByteArray SyncState::Serialize() const
{
    SealedLines lines(SealedLines::Seal::Fast);
    qsizetype notes = 0;
    for (const SyncedFile& file : files)
        notes += file.notes.size();
    lines.Reserve((notes + tombstones.size()) * 160 + files.size() * 80 + 256);
    lines.Add({kStateMagic, QByteArray::number(SyncFormat::kFormatVersion)});
    lines.Add({"listing", listing.isEmpty() ? QByteArrayLiteral("-") : listing});
    lines.Add({"machine", machineId.toUtf8()});
    lines.Add({"synced", TimeText(synced)});
    QByteArray line;
    for (const SyncedFile& file : files)
        AddFile(lines, file, line);
    for (const Tombstone& tomb : tombstones) {
        AppendWords(line,
                    {"tomb", tomb.guid.toUtf8(), TimeText(tomb.when), tomb.version.fingerprint,
                     NoteVersion::JoinHistory(tomb.version.history)});
        lines.AddRaw(line);
    }
    return lines.Sealed();
}

std::optional<SyncState> SyncState::Parse(const QByteArray& bytes, QString* machineId)
{
    const std::optional<QByteArrayView> body = SealedLines::Body(bytes, SealedLines::Seal::Fast);
    if (!body) {
        // The machine line comes third; a state cut short still names the machine.
        const QList<QByteArray> head = bytes.left(4096).split('\n');
        if (machineId != nullptr && head.size() > 2 && head.at(2).startsWith("machine\t"))
            *machineId = QString::fromUtf8(head.at(2).mid(8));
        return std::nullopt;
    }
    SyncState state;
    bool first = true;
    const bool whole = SealedLines::ForEachLine(*body, [&](const Words& line) {
        if (first) {
            first = false;
            return line.first() == kStateMagic && line.size() == 2
                && line.at(1).toInt() == SyncFormat::kFormatVersion;
        }
        return ReadLine(line, state);
    });
    if (!whole || first)
        return std::nullopt;
    if (machineId != nullptr)
        *machineId = state.machineId;
    return state;
}

QString SyncState::PathIn(const QString& stateFolder)
{
    return QDir(stateFolder).filePath(SyncFormat::StateFileName());
}

SyncState SyncState::Load(const QString& stateFolder)
{
    QFile file(PathIn(stateFolder));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString machineId;
    std::optional<SyncState> state = Parse(file.readAll(), &machineId);
    if (state)
        return std::move(*state);
    SyncState fresh;
    fresh.machineId = machineId;
    return fresh;
}

SyncState SyncState::LoadHead(const QString& stateFolder)
{
    SyncState head;
    QFile file(PathIn(stateFolder));
    if (!file.open(QIODevice::ReadOnly))
        return head;
    file.readLine(); // the format line
    for (int i = 0; i < 3; ++i) {
        const QList<QByteArray> line = file.readLine().trimmed().split('\t');
        if (line.size() != 2)
            break;
        if (line.first() == "listing" && line.at(1) != "-")
            head.listing = line.at(1);
        else if (line.first() == "machine")
            head.machineId = QString::fromUtf8(line.at(1));
        else if (line.first() == "synced" && line.at(1) != "-")
            head.synced = TimeFromText(line.at(1));
    }
    return head;
}

FileStatus SyncState::Save(FileSystem& files, const QString& stateFolder) const
{
    if (const FileStatus made = files.MakePath(stateFolder); !made)
        return made;
    return files.WriteWholeFile(PathIn(stateFolder), Serialize());
}
