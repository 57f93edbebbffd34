#pragma once

#include "format/BibEntry.h"
#include "format/FileStatus.h"

#include <QByteArray>
#include <QString>
#include <optional>

class FileSystem;

// The outside bibliography formats, how a file's format is told, and reading and
// writing whole files. Each format's reader and writer lives under format/ (bibutils'
// under exchange/BibutilsReader.h); the mapping of their entries to sources is
// sources/SourceMapping.h.
enum class SourceFileFormat
{
    Auto, // told from the contents, else the file name's extension
    BibTeX,
    BibLaTeX,
    Ris,
    EndNote,
    EndNoteXml, // read only
    Medline, // read only
    Isi, // read only
    Mods,
    CslJson,
};

// The command line's names: "auto", "bibtex", "biblatex", "ris", "endnote",
// "endnote-xml", "medline", "isi", "mods", "csljson".
QString SourceFormatName(SourceFileFormat format);
std::optional<SourceFileFormat> SourceFormatFromName(const QString& name);
// "BibTeX", "RIS", "CSL-JSON"... for the windows.
QString SourceFormatTitle(SourceFileFormat format);
// The file name extension written by export: "bib", "ris", "enw", "xml", "json".
QString SourceFormatExtension(SourceFileFormat format);
// The formats export writes, in the order the export dialog offers them.
QList<SourceFileFormat> ExportSourceFormats();

// The format of a file from its first bytes: "@article{" is BibTeX, "TY  - " RIS, "%0 "
// EndNote, "[" or "{" CSL-JSON, "<mods" MODS, "<xml><records>" EndNote XML,
// "<PubmedArticle" or "PMID- " MEDLINE, "FN " or "PT " ISI; else from the extension
// (.bib .ris .enw .json .xml .nbib .isi); nullopt when neither tells.
std::optional<SourceFileFormat> DetectSourceFormat(const QByteArray& bytes, const QString& fileName);

// Reads the bytes of a file named fileName (for messages) in the given format (Auto:
// detected). UTF-8, else Windows-1252, a byte order mark skipped.
BibReadResult ReadSourceBytes(const QByteArray& bytes, SourceFileFormat format, const QString& fileName);
// The same from a file; a file that cannot be read gives the error "Could not read ...".
BibReadResult ReadSourceFile(const QString& path, SourceFileFormat format);

// The file's bytes in one of ExportSourceFormats() (UTF-8).
QByteArray WriteSourceBytes(const BibEntries& entries, SourceFileFormat format);
// Writes the file whole and at once through files (the data folder's, which refuses
// nothing outside a read-only data root).
FileStatus WriteSourceFile(FileSystem& files, const QString& path, const BibEntries& entries,
                           SourceFileFormat format);
