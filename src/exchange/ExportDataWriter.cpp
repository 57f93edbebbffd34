#include "exchange/ExportDataWriter.h"

#include "exchange/ExportDataFile.h"
#include "format/FileSystem.h"

#include <QDir>
#include <QFile>

namespace {

// The spool and the data file are written in pieces of about this size.
constexpr qsizetype kWritePieceBytes = qsizetype(1) << 20;

} // namespace

ExportDataWriter::ExportDataWriter(FileSystem& files, const QString& folder, const SourceList& sources,
                                   const AuthorList& authors)
    : m_files(files)
    , m_spoolPath(QDir(folder).filePath(QStringLiteral("_ExpNotes.spool")))
    , m_sources(sources)
    , m_authors(authors)
{
    for (int i = int(sources.size()) - 1; i >= 0; --i)
        m_sourceIndex.insert(sources.at(i).SourceId, i); // the first of an id wins
}

const QByteArray& ExportDataWriter::SourceBytes(qint32 sourceId)
{
    // A note without a source, or whose source is unknown, carries a cleared source: all
    // of them share the key 0.
    const auto index = sourceId > 0 ? m_sourceIndex.constFind(sourceId) : m_sourceIndex.constEnd();
    const qint32 key = index != m_sourceIndex.constEnd() ? sourceId : 0;
    if (key == 0) {
        // A cleared source is dated now: made again whenever the stored date would differ.
        const QByteArray now = DateTime::CurrentLocal().ToFieldText();
        if (now != m_clearedDate) {
            m_sourceBytes.remove(0);
            m_clearedDate = now;
        }
    }
    auto found = m_sourceBytes.find(key);
    if (found == m_sourceBytes.end()) {
        FieldWriter writer;
        WriteExportSource(writer, key != 0 ? &m_sources.at(*index) : nullptr, m_authors);
        found = m_sourceBytes.insert(key, writer.DiskBytes());
    }
    return *found;
}

// Line feeds become CR LF one by one, so the disk bytes of an entry are the same wherever
// it stands in the file: the spool holds disk bytes, ready to be copied.
FileStatus ExportDataWriter::Add(const NoteRecord& note, Span* span)
{
    m_note.Clear();
    note.Write(m_note);
    const qsizetype before = m_pending.size();
    m_pending.append(m_note.DiskBytes());
    m_pending.append(SourceBytes(note.SourceID));
    const qsizetype size = m_pending.size() - before;
    span->offset = m_spoolSize;
    span->size = size;
    m_spoolSize += size;
    return m_pending.size() >= kWritePieceBytes ? Flush() : FileStatus::Ok();
}

FileStatus ExportDataWriter::Flush()
{
    if (m_pending.isEmpty())
        return FileStatus::Ok();
    const FileStatus appended = m_files.AppendToFile(m_spoolPath, m_pending);
    m_pending.resize(0);
    return appended;
}

FileStatus ExportDataWriter::Finish(const QString& path, const QList<Span>& order, const DateTime& exportTime)
{
    FileStatus status = Flush();
    if (status) {
        FieldWriter head;
        WriteExportHead(head, order.size(), exportTime);
        status = m_files.WriteWholeFile(path, head.DiskBytes());
    }
    if (status)
        status = CopyEntries(path, order);
    // The spool lives in the temporary folder, which goes with it after the export.
    static_cast<void>(m_files.Remove(m_spoolPath));
    return status;
}

// Entries that lie one after the other in the spool are copied as one run.
FileStatus ExportDataWriter::CopyEntries(const QString& path, const QList<Span>& order)
{
    QFile spool(m_spoolPath);
    if (!order.isEmpty() && !spool.open(QIODevice::ReadOnly))
        return FileStatus::Failed(FileStatus::Action::Write, path, spool.errorString());
    FileSystem& files = m_files;
    QByteArray piece;
    const auto copyRun = [&](qint64 offset, qint64 size) -> FileStatus {
        spool.seek(offset);
        while (size > 0) {
            const qint64 chunk = std::min<qint64>(size, kWritePieceBytes - piece.size());
            const qsizetype at = piece.size();
            piece.resize(at + chunk);
            const qint64 got = spool.read(piece.data() + at, chunk);
            if (got != chunk)
                return FileStatus::Failed(FileStatus::Action::Write, path, spool.errorString());
            size -= chunk;
            if (piece.size() >= kWritePieceBytes) {
                if (const FileStatus appended = files.AppendToFile(path, piece); !appended)
                    return appended;
                piece.resize(0);
            }
        }
        return FileStatus::Ok();
    };
    qint64 runStart = 0;
    qint64 runEnd = 0;
    for (const Span& span : order) {
        if (span.offset == runEnd && runEnd > runStart) {
            runEnd += span.size;
            continue;
        }
        if (runEnd > runStart) {
            if (const FileStatus copied = copyRun(runStart, runEnd - runStart); !copied)
                return copied;
        }
        runStart = span.offset;
        runEnd = span.offset + span.size;
    }
    if (runEnd > runStart) {
        if (const FileStatus copied = copyRun(runStart, runEnd - runStart); !copied)
            return copied;
    }
    return piece.isEmpty() ? FileStatus::Ok() : files.AppendToFile(path, piece);
}
