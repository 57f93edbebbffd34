// The print program's pages: what the notes and bibliography documents hold, and that a
// PDF comes out with a page for each page of the layout.

#include "exchange/PrintHandOffFiles.h"
#include "sources/BibFile.h"
#include "ui/print/CPrintPreviewWnd.h"
#include "ui/print/PagePainter.h"
#include "ui/print/PrintDocumentBuilder.h"
#include "ui/print/PrintJob.h"

#include <QPrintPreviewWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

namespace {

NoteRecord Note(qint32 id, const QString& text, qint32 sourceId)
{
    NoteRecord note;
    note.NoteID = id;
    note.SourceID = sourceId;
    note.NoteGUID = QStringLiteral("{G%1}").arg(id);
    note.PlainText = text;
    note.RichText = QStringLiteral("{\\rtf1\\ansi {\\b ") + text + QStringLiteral("}\\par}");
    note.Categories.FindEntry(0)->name = QStringLiteral("Science");
    note.Categories.FindEntry(1)->name = QStringLiteral("Optics");
    note.KeyWords = QStringLiteral("light, prism");
    return note;
}

SourceRecord Source(qint32 id, const QString& title)
{
    SourceRecord source;
    source.SourceId = id;
    source.SourceGUID = QStringLiteral("{S%1}").arg(id);
    source.Fields[0] = title;
    source.Fields[1] = QStringLiteral("Royal Society");
    return source;
}

// The italic stretches of a document, as text.
QStringList ItalicTexts(const QTextDocument& document)
{
    QStringList texts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().fontItalic())
                texts.append(it.fragment().text());
        }
    }
    return texts;
}

int PdfPageCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = file.readAll();
    if (!bytes.startsWith("%PDF"))
        return -1;
    return int(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "));
}

} // namespace

class PrintPreviewTest : public QObject
{
    Q_OBJECT

private slots:
    void notesShowTextCitationAndCategories()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("PrintPreview.nbf"));
        const NotesList notes
            = {Note(1, QStringLiteral("Rays of light"), 1001), Note(2, QStringLiteral("No source"), 0)};
        QVERIFY(WritePrintPreviewFile(FileSystem::Real(), path, notes,
                                      {Source(1001, QStringLiteral("Opticks"))}, {}));
        PrintJob job;
        QString error;
        QVERIFY2(PrintJob::Load(path, &job, &error), qPrintable(error));
        QCOMPARE(job.title, QStringLiteral("Quorvel Notes (2 notes)"));
        const QString text = job.document->toPlainText();
        QVERIFY(text.contains(QStringLiteral("Rays of light")));
        QVERIFY(text.contains(QStringLiteral("No source")));
        QVERIFY(text.contains(QStringLiteral("Categories: Science > Optics")));
        QVERIFY(text.contains(QStringLiteral("Key Words: light, prism")));
        // Only the first note has a source line; its title is set in italics.
        QCOMPARE(text.count(QStringLiteral("Source: ")), 1);
        QVERIFY(ItalicTexts(*job.document).join(QString()).contains(QStringLiteral("Opticks")));
        QVERIFY(text.indexOf(QStringLiteral("Rays of light")) < text.indexOf(QStringLiteral("Opticks")));
        QVERIFY(text.indexOf(QStringLiteral("Opticks")) < text.indexOf(QStringLiteral("No source")));
    }

    void bibliographyHangsItsIndent()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Bib.dat"));
        SourceList sources
            = {Source(1001, QStringLiteral("Opticks")), Source(1002, QStringLiteral("Principia"))};
        sources[0].IndentSpaces = 5;
        sources[1].IndentSpaces = 0;
        QVERIFY(WriteBibFile(FileSystem::Real(), path, sources, {}));
        PrintJob job;
        QString error;
        QVERIFY2(PrintJob::Load(path, &job, &error), qPrintable(error));
        QCOMPARE(job.title, QStringLiteral("Bibliography (2 sources)"));
        const QTextBlock first = job.document->begin();
        QVERIFY(first.text().contains(QStringLiteral("Opticks")));
        QVERIFY(first.blockFormat().textIndent() < 0);
        QCOMPARE(first.blockFormat().leftMargin(), -first.blockFormat().textIndent());
        QCOMPARE(first.next().blockFormat().textIndent(), 0.0);
    }

    void pdfHasNumberedPages()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("PrintPreview.nbf"));
        NotesList notes;
        for (int i = 1; i <= 60; ++i)
            notes.append(
                Note(i, QStringLiteral("Note number %1 with a line of text that fills the page").arg(i), 0));
        QVERIFY(WritePrintPreviewFile(FileSystem::Real(), path, notes, {}, {}));
        PrintJob job;
        QString error;
        QVERIFY(PrintJob::Load(path, &job, &error));
        const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
        QVERIFY(WritePdf(job, pdf));
        QVERIFY(PdfPageCount(pdf) > 1);
        QCOMPARE(PagePainter::PageNumberText(2, 5), QStringLiteral("Page 2 of 5"));

        CPrintPreviewWnd window(job);
        window.show();
        QTRY_VERIFY(window.Preview()->pageCount() > 1);
        QCOMPARE(window.Preview()->pageCount(), PdfPageCount(pdf));
        QVERIFY(window.findChild<QAction*>(QStringLiteral("actionSavePdf")) != nullptr);
    }

    void missingFileIsReported()
    {
        PrintJob job;
        QString error;
        QVERIFY(!PrintJob::Load(QStringLiteral("/nonexistent/PrintPreview.nbf"), &job, &error));
        QVERIFY(error.contains(QStringLiteral("does not exist")));
    }
};

QTEST_MAIN(PrintPreviewTest)
#include "PrintPreviewTest.moc"
