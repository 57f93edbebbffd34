#include "ui/print/PrintJob.h"

#include "exchange/ExchangeFormat.h"
#include "format/BibFile.h"
#include "format/DataFolder.h"
#include "format/PrintPreviewFile.h"
#include "ui/print/PrintDocumentBuilder.h"

#include <QDir>
#include <QFileInfo>

bool PrintJob::Load(const QString& path, PrintJob* job, QString* error)
{
    if (!QFileInfo(path).isFile()) {
        *error = QStringLiteral("There is nothing to print: the file \"%1\" does not exist.").arg(path);
        return false;
    }
    job->document = std::make_unique<QTextDocument>();
    if (path.endsWith(QLatin1String(".nbf"), Qt::CaseInsensitive)) {
        PrintPreviewData data;
        if (!ReadPrintPreviewFile(path, &data)) {
            *error = QStringLiteral("The notes file \"%1\" could not be read.").arg(path);
            return false;
        }
        job->itemCount = int(data.notes.size());
        job->title = PrintDocumentBuilder::NotesTitle(job->itemCount);
        PrintDocumentBuilder::BuildNotes(data, *job->document);
        return true;
    }
    BibData data;
    if (!ReadBibFile(path, &data)) {
        *error = QStringLiteral("The bibliography file \"%1\" could not be read.").arg(path);
        return false;
    }
    job->itemCount = int(data.sources.size());
    job->title = PrintDocumentBuilder::BibliographyTitle(job->itemCount);
    PrintDocumentBuilder::BuildBibliography(data, *job->document);
    return true;
}

QString PrintJob::PreviewFilePath(const QString& dataRoot)
{
    return DataFolder(dataRoot, QString()).FullPath(ExchangeFormat::PrintPreviewName());
}
