#pragma once

#include <QString>
#include <QStringList>
#include <QTextDocument>

// The user's manual from its Markdown chapters: one document, its pictures fitted to the
// page, written as a paged PDF and as one HTML page beside a copy of its pictures.
class ManualBuilder
{
public:
    ManualBuilder();

    // Reads the chapters in order; pictures are found relative to the first chapter.
    bool Load(const QStringList& markdownFiles, QString* error);
    bool WritePdf(const QString& path, QString* error);
    // Writes the page and copies every picture it names into the page's folder.
    bool WriteHtml(const QString& path, QString* error);

private:
    void Typeset();
    void FitPictures(qreal width);
    void WritePreview(const QSizeF& page);

    QTextDocument m_document;
    QString m_folder;
    QStringList m_pictures;
};
