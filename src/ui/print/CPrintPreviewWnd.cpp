#include "ui/print/CPrintPreviewWnd.h"

#include "ui/print/PagePainter.h"
#include "ui/print/PrintJob.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QStatusBar>
#include <QToolBar>

CPrintPreviewWnd::CPrintPreviewWnd(const PrintJob& job, QWidget* parent)
    : QMainWindow(parent)
    , m_job(job)
    , m_printer(QPrinter::HighResolution)
{
    setObjectName(QStringLiteral("printPreviewWindow"));
    setWindowTitle(job.title + QStringLiteral(" - Print Preview"));
    m_preview = new QPrintPreviewWidget(&m_printer, this);
    m_preview->setObjectName(QStringLiteral("printPreview"));
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* printer) { PagePainter::Paint(*m_job.document, m_job.title, printer); });
    setCentralWidget(m_preview);
    AddActions();
    resize(900, 1000);
}

void CPrintPreviewWnd::AddActions()
{
    QToolBar* bar = addToolBar(QStringLiteral("Print"));
    bar->setObjectName(QStringLiteral("printToolBar"));
    const auto add = [this, bar](const QString& name, const QString& text, auto slot) {
        QAction* action = bar->addAction(text);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    add(QStringLiteral("actionPrint"), QStringLiteral("Print..."), &CPrintPreviewWnd::PrintPages)
        ->setShortcut(QKeySequence::Print);
    add(QStringLiteral("actionSavePdf"), QStringLiteral("Save as PDF..."), &CPrintPreviewWnd::AskAndSavePdf)
        ->setShortcut(QKeySequence::Save);
    bar->addSeparator();
    add(QStringLiteral("actionZoomIn"), QStringLiteral("Zoom In"), [this] { m_preview->zoomIn(); });
    add(QStringLiteral("actionZoomOut"), QStringLiteral("Zoom Out"), [this] { m_preview->zoomOut(); });
    add(QStringLiteral("actionFitWidth"), QStringLiteral("Fit Width"), [this] { m_preview->fitToWidth(); });
    add(QStringLiteral("actionPortrait"), QStringLiteral("Portrait"),
        [this] { m_preview->setPortraitOrientation(); });
    add(QStringLiteral("actionLandscape"), QStringLiteral("Landscape"),
        [this] { m_preview->setLandscapeOrientation(); });
    bar->addSeparator();
    add(QStringLiteral("actionClose"), QStringLiteral("Close"), &QWidget::close)
        ->setShortcut(QKeySequence::Close);
}

void CPrintPreviewWnd::PrintPages()
{
    QPrintDialog dialog(&m_printer, this);
    dialog.setWindowTitle(QStringLiteral("Print"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    PagePainter::Paint(*m_job.document, m_job.title, &m_printer);
    m_preview->updatePreview();
}

bool CPrintPreviewWnd::SaveAsPdf(const QString& path)
{
    const bool ok = WritePdf(m_job, path);
    statusBar()->showMessage(ok ? QStringLiteral("Saved %1").arg(QFileInfo(path).fileName())
                                : QStringLiteral("Could not save %1").arg(path),
                             5000);
    return ok;
}

void CPrintPreviewWnd::AskAndSavePdf()
{
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save as PDF"), QString(),
                                                QStringLiteral("PDF Files (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    if (!SaveAsPdf(path))
        QMessageBox::warning(this, QStringLiteral("Save Failed"),
                             QStringLiteral("The PDF file could not be written."));
}

bool WritePdf(const PrintJob& job, const QString& path)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setDocName(job.title);
    printer.setCreator(QStringLiteral("Quorvel"));
    return PagePainter::Paint(*job.document, job.title, &printer) > 0 && QFileInfo(path).size() > 0;
}
