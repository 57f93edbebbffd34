#pragma once

#include "sync/MachineIndex.h"
#include "sync/SyncFolder.h"

class DataFolder;
class ProgressReporter;
struct SyncOptions;

// Compacts this machine's oldest archives into one once every other machine has applied
// them and there are options.compactAfter of them: the merged archive holds the last
// version of each note they held and the deletions that no later version undid, and
// replaces them in the index; their files are removed after the index is written. A
// machine that joins later reads the merged archive instead. Nothing is done while an
// other machine's index cannot be read, or when any of the archives fails its check.
// index is updated when the archives were compacted.
void CompactArchives(const DataFolder& folder, const QString& machineFolder, MachineIndex& index,
                     const QList<MachineFolder>& others, const SyncOptions& options,
                     ProgressReporter& progress);
