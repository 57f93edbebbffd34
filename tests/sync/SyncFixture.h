#pragma once

// Machines for the sync suites: each a data root of its own with a loaded database, its
// sources and the deletion recorder the program keeps, all syncing through one shared
// folder; notes written and deleted as the editor and the delete commands do it, at moments
// the test sets.

#include "format/AuthorsFile.h"
#include "format/Clock.h"
#include "format/NoteFile.h"
#include "store/ChangeNotice.h"
#include "store/NoteDatabase.h"
#include "store/NoteEditorSave.h"
#include "store/SourceStore.h"
#include "sync/DeletionRecorder.h"
#include "sync/SyncEngine.h"
#include "sync/SyncFormat.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace sync_test {

// The program's clock for the suite: moves only when told, so that LastEdited decides
// conflicts as the test means.
class TestClock
{
public:
    TestClock()
        : m_now(QDate(2024, 3, 1), QTime(9, 0))
    {
        Clock::SetSource([this] { return m_now; });
    }
    ~TestClock() { Clock::SetSource({}); }
    TestClock(const TestClock&) = delete;
    TestClock& operator=(const TestClock&) = delete;

    // One minute on.
    void Tick() { m_now = m_now.addSecs(60); }

private:
    QDateTime m_now;
};

inline void CopyTree(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = QDir(to).filePath(QDir(from).relativeFilePath(path));
        if (it.fileInfo().isDir())
            QDir().mkpath(target);
        else
            QFile::copy(path, target);
    }
}

class Machine
{
public:
    Machine(QString name, QString syncFolder)
        : m_name(std::move(name))
        , m_syncFolder(std::move(syncFolder))
        , m_folder(m_dir.path(), m_dir.path())
    {
        static_cast<void>(m_folder.CreateFolders());
        Reload();
    }

    const QString& Name() const { return m_name; }
    const DataFolder& Folder() const { return m_folder; }
    QString Root() const { return m_dir.path(); }
    NoteDatabase& Db() { return *m_db; }
    SourceStore& Sources() { return *m_sources; }
    const SourceStore& Sources() const { return *m_sources; }
    ChangeNotice& Changes() { return *m_changes; }
    QString MachineFolder() const { return QDir(m_syncFolder).filePath(m_name); }

    // A new run of the program on the same data folder.
    NoteDatabase& Reload()
    {
        m_recorder.reset();
        m_db.reset();
        m_sources.reset();
        m_changes = std::make_unique<ChangeNotice>();
        m_sources = std::make_unique<SourceStore>(m_folder, *m_changes);
        m_sources->BindAuthorCounter(&m_maxAuthorId);
        m_db = std::make_unique<NoteDatabase>(m_folder, *m_changes);
        m_db->BindNoteCounter(&m_maxNoteId);
        m_recorder = std::make_unique<DeletionRecorder>(m_folder, *m_changes);
        m_db->LoadNoteDatabase(*m_sources);
        return *m_db;
    }

    SyncContext Context()
    {
        SyncContext context;
        context.database = m_db.get();
        context.sources = m_sources.get();
        context.recorder = m_recorder.get();
        return context;
    }

    SyncReport Sync(int compactAfter = 8)
    {
        SyncOptions options;
        options.folder = m_syncFolder;
        options.machine = m_name;
        options.compactAfter = compactAfter;
        const SyncReport report = SyncNow(options, Context());
        EXPECT_TRUE(report.ok) << qPrintable(m_name + QStringLiteral(": ") + report.error);
        return report;
    }

    // The id of the source with that title, made (with one author) when missing.
    qint32 Source(const QString& title)
    {
        for (const SourceRecord& source : m_sources->Sources()) {
            if (source.Fields.value(0) == title)
                return source.SourceId;
        }
        AuthorRecord author;
        author.FirstName = QStringLiteral("Ada");
        author.LastName = title + QStringLiteral("son");
        const qint32 authorId = m_sources->AddAuthor(author);
        SourceRecord source = m_sources->NewSource(1);
        source.Fields[0] = title;
        source.AuthorIds = {authorId};
        EXPECT_TRUE(m_sources->AddSource(source));
        return source.SourceId;
    }

    // A new note; returns its GUID.
    QString Add(const QString& text, const QString& sourceTitle = {}, const QString& categories = {},
                const QString& keyWords = {}, const QStringList& attachments = {})
    {
        NoteEditorFields::NoteEditorChanges changes;
        changes.text = text;
        if (!sourceTitle.isEmpty())
            changes.sourceId = Source(sourceTitle);
        if (!categories.isEmpty())
            changes.categoryPath = NoteEditorFields::SplitCategoryPath(categories);
        if (!keyWords.isEmpty())
            changes.keyWords = keyWords;
        changes.attachments = attachments;
        QString error;
        const qint32 id = NoteEditorSave::AddNote(*m_db, *m_sources, changes, &error);
        EXPECT_GT(id, 0) << qPrintable(error);
        return m_db->ReadNote(id)->NoteGUID;
    }

    std::optional<NoteRecord> Find(const QString& guid) const
    {
        for (const NoteRecord& note : m_db->LoadAllNotes()) {
            if (note.NoteGUID == guid)
                return note;
        }
        return std::nullopt;
    }

    void Edit(const QString& guid, const NoteEditorFields::NoteEditorChanges& changes)
    {
        const std::optional<NoteRecord> note = Find(guid);
        ASSERT_TRUE(note) << qPrintable(guid);
        QString error;
        EXPECT_TRUE(NoteEditorSave::EditNote(*m_db, *m_sources, note->NoteID, changes, &error))
            << qPrintable(error);
    }
    void EditText(const QString& guid, const QString& text)
    {
        NoteEditorFields::NoteEditorChanges changes;
        changes.text = text;
        Edit(guid, changes);
    }

    void Delete(const QString& guid)
    {
        const std::optional<NoteRecord> note = Find(guid);
        ASSERT_TRUE(note) << qPrintable(guid);
        // As the delete commands do; the recorder hears of it through the change notice.
        const NoteWriteResult result = m_db->DeleteNotes(NotesList {*note});
        EXPECT_EQ(result.changed.Count(), 1);
        m_db->AdjustTotal(-result.changed.Count());
    }

    // Everything two machines must agree on, note by note (by GUID): dates, texts, key
    // words, categories, the source with its authors, and the attached files with their
    // bytes. Ids and stored names are each machine's own.
    QMap<QString, QString> Picture() const
    {
        QMap<QString, QString> picture;
        for (const NoteRecord& note : m_db->LoadAllNotes()) {
            QStringList parts {QString::fromLatin1(note.DateAdded.ToFieldText()),
                               QString::fromLatin1(note.LastEdited.ToFieldText()), note.PlainText,
                               note.RichText, note.KeyWords};
            for (int level = 0; level < 4; ++level)
                parts.append(note.Categories.NameAt(level));
            if (const SourceRecord* source = m_sources->FindSource(note.SourceID)) {
                parts << source->SourceGUID << source->Fields.value(0);
                for (qint32 authorId : source->AuthorIds) {
                    const AuthorRecord* author = m_sources->FindAuthor(authorId);
                    parts.append(author != nullptr ? author->FirstName + QLatin1Char(' ') + author->LastName
                                                   : QStringLiteral("?"));
                }
            }
            for (const AttachmentRecord& attachment : note.Attachments) {
                QFile file(QDir(m_folder.ImagesFolder()).filePath(attachment.StoredName));
                const QByteArray bytes
                    = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("missing");
                parts << attachment.Title << attachment.OriginalName
                      << QString::fromLatin1(
                             QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex());
            }
            picture.insert(note.NoteGUID, parts.join(QLatin1Char('|')));
        }
        return picture;
    }

    QStringList Texts() const
    {
        QStringList texts;
        for (const NoteRecord& note : m_db->LoadAllNotes())
            texts.append(note.PlainText);
        texts.sort();
        return texts;
    }

    // A file outside the data folder, to attach.
    QString OutsideFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_outside.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }

private:
    QString m_name;
    QString m_syncFolder;
    QTemporaryDir m_dir;
    QTemporaryDir m_outside;
    DataFolder m_folder;
    qint32 m_maxNoteId = 1000;
    qint32 m_maxAuthorId = 1;
    std::unique_ptr<ChangeNotice> m_changes;
    std::unique_ptr<SourceStore> m_sources;
    std::unique_ptr<NoteDatabase> m_db;
    std::unique_ptr<DeletionRecorder> m_recorder;
};

// Both machines hold the same notes, told note by note where they do not.
inline void ExpectSamePictures(const Machine& a, const Machine& b, const QString& what = {})
{
    const QMap<QString, QString> pa = a.Picture();
    const QMap<QString, QString> pb = b.Picture();
    EXPECT_EQ(pa.keys(), pb.keys()) << qPrintable(what);
    for (auto it = pa.cbegin(); it != pa.cend(); ++it) {
        if (pb.contains(it.key()))
            EXPECT_EQ(it.value(), pb.value(it.key())) << qPrintable(
                what + QLatin1Char(' ') + it.key() + QStringLiteral("\n  ") + a.Name() + QStringLiteral(": ")
                + it.value() + QStringLiteral("\n  ") + b.Name() + QStringLiteral(": ") + pb.value(it.key()));
        else
            ADD_FAILURE() << qPrintable(what + QStringLiteral(" only on ") + a.Name() + QStringLiteral(": ")
                                        + it.value());
    }
    for (auto it = pb.cbegin(); it != pb.cend(); ++it) {
        if (!pa.contains(it.key()))
            ADD_FAILURE() << qPrintable(what + QStringLiteral(" only on ") + b.Name() + QStringLiteral(": ")
                                        + it.value());
    }
}

inline QStringList KeyWordsOf(const NoteRecord& note)
{
    QStringList words;
    for (const QString& word : note.KeyWords.split(QLatin1Char(',')))
        words.append(word.trimmed());
    return words;
}

} // namespace sync_test
