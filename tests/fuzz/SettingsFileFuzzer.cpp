// Feeds arbitrary bytes to the settings reader as the settings file ("Quorvel.ini"): a
// damaged file reads as defaults where it is damaged, and what is read saves and reads
// back the same.
#include "FuzzTargets.h"
#include "store/IniSettingsBackend.h"
#include "store/MemorySettingsBackend.h"
#include "store/Settings.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

namespace {

// The zoom is left out: it is stored truncated from a factor, so a value may drift by
// one per save by design.
bool SameValues(const Settings& a, const Settings& b)
{
    return a.MaxNoteID == b.MaxNoteID && a.MaxAuthorID == b.MaxAuthorID && a.NoteSortID == b.NoteSortID
        && a.ListSelection == b.ListSelection && a.RunAgent == b.RunAgent
        && a.ImgTitleFont.FaceName == b.ImgTitleFont.FaceName;
}

} // namespace

int FuzzSettingsFile(const uint8_t* data, size_t size)
{
    static QTemporaryDir folder;
    static int serial = 0;
    // A fresh name each time: the settings class keeps files it has read in a cache
    // checked by modification time, which a rewrite in the same millisecond would fool.
    const QString path = folder.filePath(QStringLiteral("Quorvel%1.ini").arg(++serial));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 0;
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    Settings read;
    {
        const IniSettingsBackend backend(path);
        read.Load(backend, QSize(1280, 900));
    }
    QFile::remove(path);

    MemorySettingsBackend memory;
    static_cast<void>(read.Save(memory)); // into memory: nothing can fail
    static_cast<void>(read.SaveRunAgent(memory));
    Settings again;
    again.Load(memory, QSize(1280, 900));
    FUZZ_REQUIRE(SameValues(read, again));
    return 0;
}

QUORVEL_FUZZ_ENTRY(FuzzSettingsFile)
