#pragma once

#include <QMainWindow>
#include <QPrinter>

class QPrintPreviewWidget;
struct PrintJob;

// The print program's window: a preview of the pages with a tool bar to print them,
// save them as PDF, zoom and change the orientation. The job is borrowed.
class CPrintPreviewWnd : public QMainWindow
{
    Q_OBJECT

public:
    explicit CPrintPreviewWnd(const PrintJob& job, QWidget* parent = nullptr);

    QPrintPreviewWidget* Preview() const { return m_preview; }
    // Writes the pages into a PDF file; false when it cannot be written.
    bool SaveAsPdf(const QString& path);

private:
    void PrintPages();
    void AskAndSavePdf();
    void AddActions();

    const PrintJob& m_job;
    QPrinter m_printer;
    QPrintPreviewWidget* m_preview = nullptr;
};

// Writes a job's pages to a PDF file without a window; false when it cannot.
bool WritePdf(const PrintJob& job, const QString& path);
