#pragma once

#include "format/FileStatus.h"

#include <QString>

class SettingsBackend;

// The sync's two settings in group "Options" of the settings file, beside the others:
//   "SyncFolder"   the shared sync folder; empty (the default): sync is off
//   "SyncMachine"  this machine's name in it; empty or missing: the host name
struct SyncSettings
{
    QString folder;
    QString machine;

    bool IsOn() const { return !folder.trimmed().isEmpty(); }

    static SyncSettings Load(const SettingsBackend& backend);
    // Writes both values and makes them durable.
    FileStatus Save(SettingsBackend& backend) const;
    // The name a machine syncs under when none is set.
    static QString DefaultMachineName();
};
