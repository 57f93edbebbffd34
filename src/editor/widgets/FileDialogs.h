#pragma once

#include <QString>

class QWidget;

// Every file dialog of the program goes through here, so that a test can name the file
// the next dialog returns instead of showing one.
class FileDialogs
{
public:
    // The filter of the export and backup dialogs.
    static QString ExportFilter() { return QStringLiteral("Quorvel Export Files (*.qvx)"); }

    // A save dialog with the default suffix, offering the suggested name, asking before an
    // existing file is overwritten. Empty when cancelled.
    static QString SaveFileName(QWidget* parent, const QString& caption, const QString& filter,
                                const QString& defaultSuffix, const QString& suggestedName = QString());
    static QString OpenFileName(QWidget* parent, const QString& caption, const QString& filter);
    // A folder to write into (the Markdown export), made by the dialog when new.
    static QString FolderName(QWidget* parent, const QString& caption);

    // The next dialog returns this name at once (an empty name: as if cancelled).
    static void SetNextFileName(const QString& name);
    static void ClearNextFileName();

private:
    static bool TakeNext(QString* name);
};
