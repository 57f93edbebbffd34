#pragma once

// A file system that ends the process the hard way (as a kill or a power cut would) just
// before its n-th change, for the suites that check that a stop at any moment leaves
// the data folder whole. Used in a child process (fork); everything before the stop goes
// to the real file system, without the syncs that only a power cut would need (so that
// hundreds of runs take seconds).
//
//   StoppingFileSystem stopping(12);   // the 12th change never happens
//   DataFolder folder(root, program, &stopping);

#include "format/FileSystem.h"

#include <unistd.h>

class StoppingFileSystem : public FileSystem
{
public:
    // stopAt 0: never stops, only counts. Not armed: nothing is counted or stopped at
    // until Arm() (a load before the work under test).
    explicit StoppingFileSystem(int stopAt, bool armed = true)
        : m_stopAt(stopAt)
        , m_armed(armed)
    {
    }
    int Changes() const { return m_changes; }
    void Arm() { m_armed = true; }

    // In one step all the same (written beside, then renamed over), without the sync.
    FileStatus WriteWholeFile(const QString& path, const QByteArray& bytes) override
    {
        Step();
        const QString beside = path + QStringLiteral(".stopping~");
        FileStatus status = Real().Remove(beside);
        if (status)
            status = Real().AppendToFile(beside, bytes);
        if (status)
            status = Real().Rename(beside, path);
        if (!status)
            static_cast<void>(Real().Remove(beside));
        return status;
    }
    FileStatus AppendToFile(const QString& path, const QByteArray& bytes) override
    {
        Step();
        return Real().AppendToFile(path, bytes);
    }
    FileStatus Rename(const QString& from, const QString& to) override
    {
        Step();
        return Real().Rename(from, to);
    }
    FileStatus Remove(const QString& path) override
    {
        Step();
        return Real().Remove(path);
    }
    FileStatus Copy(const QString& from, const QString& to) override
    {
        Step();
        return Real().Copy(from, to);
    }
    FileStatus Link(const QString& existing, const QString& to) override
    {
        Step();
        return Real().Link(existing, to);
    }
    FileStatus MakePath(const QString& path) override
    {
        Step();
        return Real().MakePath(path);
    }
    FileStatus RemoveFolder(const QString& path) override
    {
        Step();
        return Real().RemoveFolder(path);
    }
    FileStatus SyncSettings(QSettings& settings) override
    {
        Step();
        return Real().SyncSettings(settings);
    }
    // A stopped process loses nothing the system has taken: the syncs are counted as
    // changes but not made.
    FileStatus Sync(const QString&) override
    {
        Step();
        return FileStatus::Ok();
    }
    FileStatus SyncAll(const QString&) override
    {
        Step();
        return FileStatus::Ok();
    }

private:
    void Step()
    {
        if (m_armed && ++m_changes == m_stopAt)
            ::_exit(3);
    }

    int m_stopAt;
    bool m_armed;
    int m_changes = 0;
};
