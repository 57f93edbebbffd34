// Feeds arbitrary bytes as a whole ".qvx" archive through the guarded unzip and the
// import into an empty data folder: a hostile or broken archive fails cleanly, writes
// nothing outside the data folder and leaves no import folder behind.
#include "FuzzTargets.h"
#include "exchange/ExchangeFormat.h"
#include "exchange/ImportChooser.h"
#include "exchange/ImportNotes.h"
#include "format/DataFolder.h"
#include "store/NoteDatabase.h"
#include "store/SourceStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// Small bounds keep each run quick; the checks against them are what is exercised.
UnzipLimits FuzzLimits()
{
    UnzipLimits limits;
    limits.maxEntries = 64;
    limits.maxEntryBytes = qint64(1) << 20;
    limits.maxTotalBytes = qint64(4) << 20;
    limits.ratioCheckFromBytes = qint64(64) << 10;
    limits.keepFreeBytes = 0;
    return limits;
}

} // namespace

int FuzzArchive(const uint8_t* data, size_t size)
{
    static QTemporaryDir base;
    QTemporaryDir root(base.filePath(QStringLiteral("root-XXXXXX")));
    const QString archive = base.filePath(QStringLiteral("incoming.qvx"));
    {
        QFile file(archive);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }

    const DataFolder folder(root.path(), root.path() + QStringLiteral("/program"));
    static_cast<void>(folder.CreateFolders());
    qint32 maxNoteId = 1000;
    qint32 maxAuthorId = 1;
    ChangeNotice databaseChanges;
    SourceStore sources(folder, databaseChanges);
    NoteDatabase database(folder, databaseChanges);
    database.BindNoteCounter(&maxNoteId);
    sources.BindAuthorCounter(&maxAuthorId);
    database.LoadNoteDatabase(sources);

    SelectionRuleChooser chooser(SelectionRuleChooser::Rule::All);
    ImportContext context;
    context.database = &database;
    context.sources = &sources;
    context.chooser = &chooser;
    context.limits = FuzzLimits();
    const int result = ImportNotes(archive, context);
    FUZZ_REQUIRE(result >= -1 || result == -2112);
    FUZZ_REQUIRE(!QFileInfo::exists(folder.FullPath(ExchangeFormat::ImportTempName())));
    // Only the archive and the data folder are there: nothing was written beside them.
    FUZZ_REQUIRE(QDir(base.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size()
                 == 2);
    QFile::remove(archive);
    return 0;
}

QUORVEL_FUZZ_ENTRY(FuzzArchive)
