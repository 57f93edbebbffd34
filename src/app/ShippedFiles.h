#pragma once

#include <QString>

// Files that come with the programs: the user's manual and the sample notes. In a build
// tree they lie beside the programs; an installed package keeps them in the shared data
// folder of the installation ("../share/quorvel" from the programs).
namespace ShippedFiles {

// "UsersManual.pdf"
QString ManualName();
// "QuorvelSample.qvx"
QString SampleArchiveName();

// The full path of a shipped file: beside the programs when it is there, else under
// "../share/quorvel"; when it is in neither place, the path beside the programs.
QString Find(const QString& programFolder, const QString& name);

} // namespace ShippedFiles
