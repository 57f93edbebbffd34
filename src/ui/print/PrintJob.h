#pragma once

#include <QString>
#include <QTextDocument>
#include <memory>

// What the print program has been handed, laid out and titled.
struct PrintJob
{
    QString title;
    std::unique_ptr<QTextDocument> document;
    int itemCount = 0;

    // Reads "PrintPreview.nbf" (a name ending in ".nbf") or "Bib.dat" (any other name)
    // and lays it out; false with a message when the file is missing or unreadable.
    static bool Load(const QString& path, PrintJob* job, QString* error);
    // "<data root>/Data Files/PrintPreview.nbf".
    static QString PreviewFilePath(const QString& dataRoot);
};
