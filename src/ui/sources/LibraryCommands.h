#pragma once

#include "exchange/SourceFiles.h"
#include "format/AuthorRecord.h"
#include "format/SourceRecord.h"

#include <QString>
#include <functional>
#include <optional>

class CNotesApp;
class FileSystem;
class QDialog;
class QWidget;
class UserPrompt;

// The commands that bring a researcher's library in and take citations and notes out:
// "Import Sources..." (also a bibliography file dropped on the main window or on "View
// Sources"), "Export Sources...", "Copy Citation" and "Copy Bibliography", "Export Current
// Notes as Markdown...". Each asks what it needs, calls the one core operation
// (exchange/SourceImport.h, SourceExport.h, MarkdownExport.h, sources/CitationClipboard.h)
// and shows its result; the command line calls the same operations.
class LibraryCommands
{
public:
    LibraryCommands(CNotesApp& app, UserPrompt& prompt, QWidget* parent);

    // Runs modal dialogs (the import list) instead of exec(), for tests.
    void SetDialogRunner(std::function<int(QDialog&)> runner) { m_runDialog = std::move(runner); }

    // Reads the file (asked for when path is empty), shows its entries in "Import
    // Sources" and stores the chosen ones. True when sources were stored. A read-only
    // data folder refuses (ReadOnlyRefusal) before anything is asked or read.
    bool ImportSources(const QString& path = QString());
    // Writes the sources with these ids (all when empty) to a file and format asked for.
    void ExportSources(const QList<qint32>& ids);
    // "Export Current Notes as Markdown...": the current list into a folder asked for.
    void ExportCurrentNotesAsMarkdown();

    // A file whose name says it is a bibliography file (for drops).
    static bool IsBibliographyFile(const QString& path);
    // The citations of the sources, formatted, on the clipboard as HTML, RTF and text.
    static void CopyCitations(SourceList sources, const AuthorList& authors);
    // The same for sources already formatted (a note's attached source).
    static void CopyFormattedCitations(const SourceList& formatted);
    // Asks for a file and a format and writes the sources with these ids of all through
    // files (DataFolder::Files()).
    static void ExportSourcesOf(QWidget* parent, UserPrompt& prompt, FileSystem& files, const SourceList& all,
                                const AuthorList& authors, const QList<qint32>& ids);
    // The next export asks for no format and takes this one (tests).
    static void SetNextExportFormat(std::optional<SourceFileFormat> format);

private:
    CNotesApp& m_app;
    UserPrompt& m_prompt;
    QWidget* m_parent;
    std::function<int(QDialog&)> m_runDialog;
};
