#include "ui/sources/LibraryCommands.h"

#include "app/CNotesApp.h"
#include "app/ReadOnlyRefusal.h"
#include "editor/widgets/FileDialogs.h"
#include "exchange/MarkdownExport.h"
#include "exchange/SourceExport.h"
#include "exchange/SourceImport.h"
#include "lists/CurrentNotesList.h"
#include "platform/UserPrompt.h"
#include "sources/CitationClipboard.h"
#include "sources/CitationFormatter.h"
#include "store/Settings.h"
#include "store/SourceStore.h"
#include "ui/sources/CImportSourcesDlg.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QInputDialog>
#include <QMimeData>

// Helpers of this file, named so that no other file of the library sees them.
namespace LibraryCommandsDetail {

std::optional<SourceFileFormat>& NextFormat()
{
    static std::optional<SourceFileFormat> next;
    return next;
}

QString ImportFilter()
{
    return QStringLiteral(
        "Bibliography Files (*.bib *.ris *.enw *.json *.xml *.nbib *.isi *.ciw *.txt);;All Files (*)");
}

std::optional<SourceFileFormat> ChooseFormat(QWidget* parent)
{
    if (NextFormat()) {
        const auto format = NextFormat();
        NextFormat().reset();
        return format;
    }
    QStringList titles;
    for (const SourceFileFormat format : ExportSourceFormats())
        titles.append(SourceFormatTitle(format));
    bool ok = false;
    const QString chosen = QInputDialog::getItem(parent, QStringLiteral("Export Sources"),
                                                 QStringLiteral("Format:"), titles, 0, false, &ok);
    if (!ok)
        return std::nullopt;
    return ExportSourceFormats().value(titles.indexOf(chosen));
}

} // namespace LibraryCommandsDetail

LibraryCommands::LibraryCommands(CNotesApp& app, UserPrompt& prompt, QWidget* parent)
    : m_app(app)
    , m_prompt(prompt)
    , m_parent(parent)
{
    using namespace LibraryCommandsDetail;
}

bool LibraryCommands::IsBibliographyFile(const QString& path)
{
    using namespace LibraryCommandsDetail;
    static const QStringList suffixes {QStringLiteral("bib"),  QStringLiteral("ris"),  QStringLiteral("enw"),
                                       QStringLiteral("json"), QStringLiteral("nbib"), QStringLiteral("isi"),
                                       QStringLiteral("ciw"),  QStringLiteral("xml")};
    return suffixes.contains(QFileInfo(path).suffix().toLower());
}

bool LibraryCommands::ImportSources(const QString& chosenPath)
{
    using namespace LibraryCommandsDetail;
    // Storing sources writes the data folder: a read-only one turns the import down
    // before a file is asked for or read.
    if (ReadOnlyRefusal::Refuse(m_app.Folder(), m_prompt))
        return false;
    const QString path = chosenPath.isEmpty()
        ? FileDialogs::OpenFileName(m_parent, QStringLiteral("Import Sources"), ImportFilter())
        : chosenPath;
    if (path.isEmpty())
        return false;
    SourceStore& sources = m_app.Sources();
    SourceImport import;
    QString error;
    if (!import.Open(path, SourceFileFormat::Auto, sources.Sources(), sources.Authors(), m_app.Progress(),
                     &error)) {
        m_prompt.Tell(error, SourceImport::Caption(), UserPrompt::Icon::Warning);
        return false;
    }
    if (import.Entries().isEmpty()) {
        m_prompt.Tell(QStringLiteral("\"%1\" holds no sources.").arg(QFileInfo(path).fileName()),
                      SourceImport::Caption(), UserPrompt::Icon::Information);
        return false;
    }
    CImportSourcesDlg dialog(import, QFileInfo(path).fileName(), m_prompt, m_parent);
    const int result = m_runDialog ? m_runDialog(dialog) : dialog.exec();
    if (result != QDialog::Accepted)
        return false;
    QList<qint32> created, authorsCreated;
    const FileStatus status
        = import.Store(sources, m_app.GetSettings().SourceFormat, &created, &authorsCreated);
    if (!status) {
        m_prompt.Tell(status.Message(), FileStatus::Caption(), UserPrompt::Icon::Warning);
        return false;
    }
    m_prompt.Tell(SourceImport::DoneMessage(int(created.size()), int(authorsCreated.size())),
                  SourceImport::Caption(), UserPrompt::Icon::Information);
    return true;
}

void LibraryCommands::ExportSources(const QList<qint32>& ids)
{
    using namespace LibraryCommandsDetail;
    const SourceStore& sources = m_app.Sources();
    ExportSourcesOf(m_parent, m_prompt, m_app.Folder().Files(), sources.Sources(), sources.Authors(), ids);
}

void LibraryCommands::ExportSourcesOf(QWidget* parent, UserPrompt& prompt, FileSystem& files,
                                      const SourceList& all, const AuthorList& authors,
                                      const QList<qint32>& ids)
{
    using namespace LibraryCommandsDetail;
    const auto format = ChooseFormat(parent);
    if (!format)
        return;
    const QString extension = SourceFormatExtension(*format);
    const QString path = FileDialogs::SaveFileName(
        parent, QStringLiteral("Export Sources"),
        QStringLiteral("%1 Files (*.%2)").arg(SourceFormatTitle(*format), extension), extension);
    if (path.isEmpty())
        return;
    int count = 0;
    const FileStatus status = ::ExportSources(files, path, *format, all, authors, ids, &count);
    if (!status) {
        prompt.Tell(status.Message(), FileStatus::Caption(), UserPrompt::Icon::Warning);
        return;
    }
    prompt.Tell(QStringLiteral("%1 %2 written to \"%3\".")
                    .arg(count)
                    .arg(count == 1 ? QStringLiteral("source was") : QStringLiteral("sources were"))
                    .arg(QFileInfo(path).fileName()),
                QStringLiteral("Export Sources"), UserPrompt::Icon::Information);
}

void LibraryCommands::SetNextExportFormat(std::optional<SourceFileFormat> format)
{
    using namespace LibraryCommandsDetail;
    NextFormat() = format;
}

void LibraryCommands::CopyCitations(SourceList sources, const AuthorList& authors)
{
    using namespace LibraryCommandsDetail;
    for (SourceRecord& source : sources)
        FormatCitation(source, authors);
    CopyFormattedCitations(sources);
}

void LibraryCommands::CopyFormattedCitations(const SourceList& formatted)
{
    using namespace LibraryCommandsDetail;
    const CitationClip clip = CitationClipFor(formatted);
    auto* data = new QMimeData;
    data->setText(clip.plain);
    data->setHtml(clip.html);
    data->setData(QStringLiteral("text/rtf"), clip.rtf);
    data->setData(QStringLiteral("application/rtf"), clip.rtf);
    QApplication::clipboard()->setMimeData(data);
}

void LibraryCommands::ExportCurrentNotesAsMarkdown()
{
    using namespace LibraryCommandsDetail;
    if (m_app.CurrentList().Count() == 0) {
        m_prompt.Tell(QStringLiteral("Unable to export, there are no notes in the current list."),
                      QStringLiteral("Invalid Notes"), UserPrompt::Icon::Warning);
        return;
    }
    const QString folder
        = FileDialogs::FolderName(m_parent, QStringLiteral("Export Current Notes as Markdown"));
    if (folder.isEmpty())
        return;
    const SourceStore& sources = m_app.Sources();
    const NotesList notes = m_app.CurrentList().LoadAllNotes();
    const MarkdownExportResult result = ExportNotesAsMarkdown(
        folder, notes, sources.Sources(), sources.Authors(), m_app.Folder(), m_app.Progress());
    if (!result.status) {
        m_prompt.Tell(result.status.Message(), FileStatus::Caption(), UserPrompt::Icon::Warning);
        return;
    }
    m_prompt.Tell(QStringLiteral("%1 %2 written to \"%3\", with their sources in \"references.bib\".")
                      .arg(result.count)
                      .arg(result.count == 1 ? QStringLiteral("note was") : QStringLiteral("notes were"))
                      .arg(folder),
                  QStringLiteral("Export as Markdown"), UserPrompt::Icon::Information);
}
