#include "exchange/ImportDataFile.h"

#include "exchange/GrowingFile.h"
#include "format/FieldFormat.h"
#include "format/FieldReader.h"
#include "format/FieldScan.h"
#include "format/FileSystem.h"
#include "format/NoteRecordWalker.h"
#include "format/RecordList.h"
#include "format/Version.h"
#include "sources/SourceExchange.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// No genuine export comes near this.
constexpr qint64 kMaxDataFileBytes = qint64(512) << 20;
constexpr qint64 kReadPieceBytes = qint64(1) << 20;

// Every field but the texts, which are read again where they are wanted.
constexpr NoteFieldUses kIncomingWithoutTexts
    = kWholeNoteRecord.With(NoteField::PlainText, FieldUse::Skip).With(NoteField::RichText, FieldUse::Skip);

// Where the texts of a walked record lie: from the start of PlainText to the start of
// the category list after RichText.
struct TextFieldPlaces
{
    qsizetype start = -1;
    qsizetype end = -1;
    void At(NoteField field, qsizetype pos)
    {
        if (field == NoteField::PlainText)
            start = pos;
        else if (field == NoteField::CategoryLevel)
            end = pos;
    }
};

bool ReadAt(int fd, char* into, qint64 size, qint64 offset)
{
    while (size > 0) {
        const ssize_t got = ::pread(fd, into, size_t(size), off_t(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        into += got;
        size -= got;
        offset += got;
    }
    return true;
}

} // namespace

ImportDataFile::ImportDataFile(QString path)
    : m_path(std::move(path))
{
}

void ImportDataFile::ReadWhileWritten(const GrowingFile* growing, qint64 statedSize)
{
    m_growing = growing;
    m_growingSize = statedSize;
}

ImportDataFile::~ImportDataFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

// Reads at least atLeast more disk bytes (a piece at the least), folds them and appends
// them to the window; false when nothing more could be read.
bool ImportDataFile::Fill(qint64 atLeast)
{
    if (m_ended)
        return false;
    qint64 want = std::min(std::max(atLeast, kReadPieceBytes), m_diskSize - m_readPos);
    if (m_growing != nullptr) {
        // Still being unpacked: the bytes wanted, or as many as there will ever be.
        const qint64 written = m_growing->WaitFor(m_readPos + want);
        if (written < m_readPos + want) {
            m_diskSize = written;
            want = written - m_readPos;
        }
    }
    if (want <= 0 && !m_heldReturn) {
        m_ended = true;
        return false;
    }
    const qsizetype held = m_heldReturn ? 1 : 0;
    QByteArray piece(held + want, Qt::Uninitialized);
    if (held != 0)
        piece[0] = '\r';
    if (!ReadAt(m_fd, piece.data() + held, want, m_readPos)) {
        m_ended = true;
        return false;
    }
    m_readPos += want;
    m_ended = m_readPos >= m_diskSize;
    // A CR at the end may be the first half of a CR LF: it waits for the next piece.
    m_heldReturn = !m_ended && piece.endsWith('\r');
    qsizetype size = piece.size() - (m_heldReturn ? 1 : 0);
    if (const void* stop = std::memchr(piece.constData(), FieldFormat::kEndOfStream, size_t(size))) {
        m_ended = true; // the stream ends there
        size = static_cast<const char*>(stop) - piece.constData();
    }
    NoteFoldedLineFeeds(piece.constData(), size);
    size = FieldScan::FoldLineEndsInPlace(piece.data(), size);
    m_logicalEnd += size;
    m_window.append(piece.constData(), size);
    return true;
}

// Where each CR LF pair of the piece stands in the logical bytes (its LF), so that the
// disk place of any logical place can be told.
void ImportDataFile::NoteFoldedLineFeeds(const char* piece, qsizetype size)
{
    qint64 dropped = 0;
    for (const char* at = piece;
         (at = static_cast<const char*>(std::memchr(at, '\r', size_t(size - (at - piece))))); ++at) {
        if (at + 1 < piece + size && at[1] == '\n') {
            m_foldedLineFeeds.append(m_logicalEnd + (at - piece) - dropped);
            ++dropped;
        }
    }
}

// The disk place of logical place at, which may not lie before the last one asked for.
qint64 ImportDataFile::DiskPlace(qint64 at)
{
    while (m_foldedPassed < m_foldedLineFeeds.size() && m_foldedLineFeeds.at(m_foldedPassed) < at)
        ++m_foldedPassed;
    const qint64 place = at + m_foldedDropped + m_foldedPassed;
    if (m_foldedPassed >= kReadPieceBytes / 8) {
        m_foldedLineFeeds.remove(0, m_foldedPassed);
        m_foldedDropped += m_foldedPassed;
        m_foldedPassed = 0;
    }
    return place;
}

ImportDataFile::Result ImportDataFile::ReadAll(const Take& take)
{
    const QByteArray native = QFile::encodeName(m_path);
    m_fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    struct stat info
    {
    };
    if (m_fd < 0 || ::fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode))
        return Result::Failed;
    // A file still being unpacked is as long as the archive says it will be.
    m_diskSize = m_growing != nullptr ? m_growingSize : info.st_size;
    if (m_diskSize > kMaxDataFileBytes)
        return Result::Failed;
    // The head: version, time of the export (not used) and count, read whole or up to
    // the end of the file.
    qint32 count = 0;
    for (;;) {
        FieldReader reader(m_window);
        const double version = reader.ReadReal();
        DateTime exportTime;
        reader.ReadTime(exportTime);
        count = reader.ReadInt();
        if ((reader.RanOut() || reader.AtEnd()) && Fill(0))
            continue;
        if (Version::IsNewerThanProgram(version))
            return Result::NewerVersion;
        m_version = RecordListReader::ReadableVersion(version);
        m_window.remove(0, reader.Position());
        m_windowStart = reader.Position();
        m_entryDiskStart = DiskPlace(m_windowStart);
        break;
    }
    ReadEntries(count, take);
    return Result::Ok;
}

bool ImportDataFile::ReadEntries(qint32 count, const Take& take)
{
    qsizetype pos = 0;
    for (qint32 index = 0; index < count; ++index) {
        while (pos >= m_window.size() && Fill(0)) { }
        if (pos >= m_window.size())
            return true; // the stream ended
        NoteRecord note;
        qsizetype sourceStart = 0;
        FieldReader reader(m_window);
        for (;;) {
            reader = FieldReader(m_window);
            reader.SetPosition(pos);
            note = NoteRecord();
            FieldScan::Cursor fields = reader.Fields();
            WalkNoteRecord<kIncomingWithoutTexts>(fields, NoteLayout::ForVersion(m_version), note);
            reader.SetPosition(fields.pos);
            sourceStart = reader.Position();
            // Notes of one source follow one another: the same bytes as the last source
            // read are that source again, without reading it field by field.
            if (!m_lastSourceBytes.isEmpty()
                && QByteArrayView(m_window).sliced(sourceStart).startsWith(m_lastSourceBytes)) {
                note.AttachedSource = m_lastSource;
                reader.SetPosition(sourceStart + m_lastSourceBytes.size());
            } else {
                note.AttachedSource = ReadSourceExchange(reader, m_version);
            }
            // An entry that reaches the end of the window may go on beyond it.
            if ((reader.RanOut() || reader.AtEnd()) && Fill(m_window.size()))
                continue;
            break;
        }
        if (reader.RanOut())
            return true; // cut by the end of the file: dropped whole
        const qint64 diskEnd = DiskPlace(m_windowStart + reader.Position());
        const Entry entry {m_entryDiskStart, diskEnd - m_entryDiskStart};
        m_entryDiskStart = diskEnd;
        ShareSource(note, m_window.mid(sourceStart, reader.Position() - sourceStart));
        pos = reader.Position();
        if (note.NoteID > 0) {
            ShareRepeatedFields(note);
            note.SourceID = note.AttachedSource.SourceId > 0 ? note.AttachedSource.SourceId : 0;
            take(std::move(note), entry);
        }
        if (pos >= kReadPieceBytes) {
            m_window.remove(0, pos);
            m_windowStart += pos;
            pos = 0;
        }
    }
    return true;
}

void ImportDataFile::ShareSource(NoteRecord& note, const QByteArray& sourceBytes)
{
    if (sourceBytes == m_lastSourceBytes)
        return; // the last source again, shared already
    // The same bytes read the same, but for a source stored without a GUID: each reading
    // gives it a new one, and so each note keeps its own.
    const auto known = m_sources.constFind(sourceBytes);
    if (known != m_sources.constEnd() && known->SourceGUID == note.AttachedSource.SourceGUID)
        note.AttachedSource = *known;
    else if (known != m_sources.constEnd())
        return;
    else
        m_sources.insert(sourceBytes, note.AttachedSource);
    // A GUID read from the bytes, not made for them: the next note may share the source
    // without reading it.
    const bool readGuid = !note.AttachedSource.SourceGUID.isEmpty()
        && sourceBytes.contains(note.AttachedSource.SourceGUID.toUtf8());
    m_lastSourceBytes = readGuid ? sourceBytes : QByteArray();
    m_lastSource = note.AttachedSource;
}

void ImportDataFile::ShareRepeatedFields(NoteRecord& note)
{
    QString path;
    for (const CategoryLevelEntry& entry : note.Categories.entries) {
        path += QString::number(entry.level) + QLatin1Char('\x1f') + entry.name + QLatin1Char('\x1f')
            + entry.parentName + QLatin1Char('\x1e');
    }
    const auto categories = m_categories.constFind(path);
    if (categories != m_categories.constEnd())
        note.Categories = *categories;
    else
        m_categories.insert(path, note.Categories);
    const auto words = m_keyWords.constFind(note.KeyWords);
    if (words != m_keyWords.constEnd())
        note.KeyWords = *words;
    else
        m_keyWords.insert(note.KeyWords);
}

void ImportDataFile::ReadTexts(const Entry& entry, NoteRecord& note) const
{
    QByteArray bytes(entry.size, Qt::Uninitialized);
    if (m_fd < 0 || !ReadAt(m_fd, bytes.data(), entry.size, entry.offset))
        return;
    // A CR LF pair never straddles two entries: an entry's disk bytes fold on their own.
    FieldReader reader(FieldScan::FoldLineEnds(bytes));
    NoteRecord read;
    read.Read(reader, m_version);
    note.PlainText = read.PlainText;
    note.RichText = read.RichText;
}

QByteArray ImportDataFile::ReadTextFields(const Entry& entry) const
{
    QByteArray bytes(entry.size, Qt::Uninitialized);
    if (m_fd < 0 || !ReadAt(m_fd, bytes.data(), entry.size, entry.offset))
        return {};
    bytes = FieldScan::FoldLineEnds(bytes);
    FieldScan::Cursor fields {bytes.constData(), bytes.size(), 0};
    NoteRecord skipped;
    TextFieldPlaces places;
    WalkNoteRecord<NoteFieldUses::All(FieldUse::Skip)>(fields, NoteLayout::ForVersion(m_version), skipped,
                                                       places);
    if (places.start < 0 || places.end < places.start)
        return {};
    return bytes.mid(places.start, places.end - places.start);
}

void ImportDataFile::Discard(FileSystem& files)
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    // Left behind, it goes with the import folder.
    static_cast<void>(files.Remove(m_path));
}
