#pragma once

// The export archive (".qvx") and the hand-off files of the print program.
//
// An export archive is a ZIP file whose root holds "_ExpNotes.dat" and one entry per
// attached file, named by its stored name in the attachment folder ("0000042.jpg").
//
// The layout of "_ExpNotes.dat" is in format/ExportDataFile.h.
//
// The print program's hand-off files: "PrintPreview.nbf" in format/PrintPreviewFile.h,
// "Bib.dat" in format/BibFile.h.

#include <QString>

namespace ExchangeFormat {

inline QString DataFileName()
{
    return QStringLiteral("_ExpNotes.dat");
}
inline QString ExportTempName()
{
    return QStringLiteral("Data Files\\ExportTemp");
}
inline QString ImportTempName()
{
    return QStringLiteral("Data Files\\ImportTemp");
}
inline QString PrintPreviewName()
{
    return QStringLiteral("Data Files\\PrintPreview.nbf");
}
inline QString BibFileName()
{
    return QStringLiteral("Data Files\\Bib.dat");
}

// An attachment's stored name is a plain file name in the attachment folder: one that names
// a folder or reaches outside it ("..", "a/b", "a\\b") is never written or read.
inline bool IsPlainStoredName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
        && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

// Results of ImportNotes besides the count of imported notes.
constexpr int kImportCancelled = 0;
constexpr int kImportFailed = -1;
constexpr int kImportNewerVersion = -2112;
// Results of ExportNotes besides the count of exported notes.
constexpr int kExportNothingWritten = 0;
constexpr int kExportCompressionFailed = -1;

} // namespace ExchangeFormat
