#include "UiFixture.h"
#include "editor/widgets/RichDocumentMapper.h"
#include "lists/CurrentNotesList.h"
#include "store/ChangeNotice.h"
#include "store/DataChange.h"
#include "store/NoteDatabase.h"
#include "store/Settings.h"
#include "ui/CNotesView.h"
#include "ui/ImageControls.h"

#include <QImage>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

namespace {

template<typename Notes> QList<qint32> Ids(const Notes& notes)
{
    QList<qint32> ids;
    for (const auto& note : notes)
        ids.append(note.NoteID);
    return ids;
}

NotesList FiveNotes()
{
    NotesList notes;
    for (int i = 0; i < 5; ++i)
        notes.append(UiFixture::MakeNote(1001 + i, QStringLiteral("Note number %1").arg(i + 1), 10 + i));
    return notes;
}

} // namespace

using namespace Qt::Literals::StringLiterals;

class NotesViewTest : public QObject
{
    Q_OBJECT

private slots:
    void draggingMovesANote()
    {
        UiFixture::App f({}, FiveNotes());
        f.app->InitInstance();
        f.app->CurrentList().SetCurrentList(NoteIdList({1001, 1002, 1003, 1004, 1005}), 805);
        CNotesView view(f.app->Database(), f.app->CurrentList(), f.app->GetSettings(), f.prompt);
        view.resize(600, 400);
        view.Redraw(true);
        // The third onto the first: it goes before it, so it is first.
        view.MoveNote(2, 0);
        QCOMPARE(Ids(f.app->CurrentList().Entries()), QList<qint32>({1003, 1001, 1002, 1004, 1005}));
        // The first onto the third: it goes after it, so it is third.
        view.MoveNote(0, 2);
        QCOMPARE(Ids(f.app->CurrentList().Entries()), QList<qint32>({1001, 1002, 1003, 1004, 1005}));
        view.MoveNote(1, 1);
        QCOMPARE(Ids(f.app->CurrentList().Entries()), QList<qint32>({1001, 1002, 1003, 1004, 1005}));
    }

    void onlyVisibleNotesAreLaidOut()
    {
        NotesList many;
        for (int i = 0; i < 2000; ++i)
            many.append(UiFixture::MakeNote(1001 + i, QStringLiteral("Short note %1").arg(i), 1 + i % 28));
        UiFixture::App f({}, many);
        f.app->InitInstance();
        QList<qint32> ids;
        for (int i = 0; i < 2000; ++i)
            ids.append(1001 + i);
        f.app->CurrentList().SetCurrentList(NoteIdList(ids), 805);
        CNotesView view(f.app->Database(), f.app->CurrentList(), f.app->GetSettings(), f.prompt);
        view.resize(600, 400);
        view.show();
        view.Redraw(true);
        QTest::qWait(1);
        view.grab(); // paints once
        QVERIFY(view.RenderedCount() > 0);
        QVERIFY(view.RenderedCount() < 50);
        QVERIFY(view.TotalHeight() > 400 * 10);
        // Notes follow one another without gaps or overlaps.
        QCOMPARE(view.NoteRect(1).top(), view.NoteRect(0).bottom() + 1);
        QCOMPARE(view.NoteIndexAt(view.NoteRect(1).center()), 1);
    }

    // Notes whose guessed heights are far off (a large font): laying them out corrects
    // the heights of notes above the one under the pointer, which must not move. Only
    // the notes on the screen and near it are laid out; then the view rests.
    void correctionsKeepTheNoteUnderThePointerStill()
    {
        NotesList big;
        QList<qint32> ids;
        for (int i = 0; i < 400; ++i) {
            NoteRecord note = UiFixture::MakeNote(
                1001 + i, QStringLiteral("Large note %1 of a few words").arg(i), 1 + i % 28);
            note.RichText.replace(QStringLiteral("\\fs24"), QStringLiteral("\\fs96"));
            big.append(note);
            ids.append(note.NoteID);
        }
        UiFixture::App f({}, big);
        f.app->InitInstance();
        f.app->CurrentList().SetCurrentList(NoteIdList(ids), 805);
        CNotesView view(f.app->Database(), f.app->CurrentList(), f.app->GetSettings(), f.prompt);
        view.resize(600, 400);
        view.show();
        view.Redraw(true);
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        // The middle of the list, drawn at once: the notes above it are still guesses.
        const QPoint pointer(300, 250);
        QTest::mouseMove(view.viewport(), pointer);
        QScrollBar* bar = view.verticalScrollBar();
        bar->setValue(view.TotalHeight() / 2);
        view.viewport()->repaint();
        const int anchor = view.NoteIndexAt(pointer);
        QVERIFY(anchor > 0);
        const int top = view.NoteRect(anchor).top();
        const int heightBefore = view.TotalHeight();

        // Steps up, each bringing the note above the window into it, until one of them
        // was a guess: it is laid out and found taller, and the note under the pointer
        // has moved by the steps alone.
        int moved = 0;
        for (int i = 0; i < 20 && view.TotalHeight() == heightBefore; ++i) {
            const int step = 10 - view.NoteRect(view.NoteIndexAt(QPoint(300, 0))).top();
            bar->setValue(bar->value() - step);
            view.viewport()->repaint();
            moved += step;
            QCOMPARE(view.NoteRect(anchor).top(), top + moved);
        }
        QVERIFY(view.TotalHeight() != heightBefore);

        // The notes near the screen are laid out when the event loop is free; the note
        // under the pointer stays where it is.
        QTRY_VERIFY(!view.LayingOutNearby());
        QCOMPARE(view.NoteRect(anchor).top(), top + moved);
        const int measured = view.MeasuredCount();
        QVERIFY2(measured < 60, qPrintable(QString::number(measured)));
        QTest::qWait(100);
        QCOMPARE(view.MeasuredCount(), measured);
        QCOMPARE(view.NoteRect(anchor).top(), top + moved);
    }

    // A change told while the user reads: a note above the screen leaves the list and a
    // note on it is saved. The note under the pointer stays where it stands on the screen.
    void aChangeKeepsTheNoteUnderThePointerStill()
    {
        NotesList big;
        QList<qint32> ids;
        for (int i = 0; i < 200; ++i) {
            NoteRecord note = UiFixture::MakeNote(
                1001 + i, QStringLiteral("Large note %1 of a few words").arg(i), 1 + i % 28);
            note.RichText.replace(QStringLiteral("\\fs24"), QStringLiteral("\\fs96"));
            big.append(note);
            ids.append(note.NoteID);
        }
        UiFixture::App f({}, big);
        f.app->InitInstance();
        f.app->CurrentList().SetCurrentList(NoteIdList(ids), 805);
        CNotesView view(f.app->Database(), f.app->CurrentList(), f.app->GetSettings(), f.prompt);
        const ChangeNotice::Subscription followed
            = f.app->Changes().Subscribe([&view](const DataChange& change) { view.FollowChange(change); });
        view.resize(600, 400);
        view.show();
        view.Redraw(true);
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        const QPoint pointer(300, 250);
        QTest::mouseMove(view.viewport(), pointer);
        view.verticalScrollBar()->setValue(view.TotalHeight() / 2);
        view.viewport()->repaint();
        QTRY_VERIFY(!view.LayingOutNearby());
        const int anchor = view.NoteIndexAt(pointer);
        QVERIFY(anchor > 10);
        const ListedNotes& listed = f.app->CurrentList().Entries(); // in the list's order
        const qint32 anchorId = listed.at(anchor).NoteID;
        const qint32 above = listed.at(2).NoteID;
        const int top = view.NoteRect(anchor).top();

        QVERIFY(f.app->CurrentList().RemoveFromCurrentList(above));
        QCOMPARE(view.NoteIndexAt(pointer), anchor - 1);
        QCOMPARE(view.NoteRect(anchor - 1).top(), top);
        QCOMPARE(f.app->CurrentList().Entries().at(anchor - 1).NoteID, anchorId);

        // The note under the pointer saved: laid out again, it keeps its place.
        DataChange saved;
        saved.aspects = DataChange::NotesSaved;
        saved.notes = NoteIdList {anchorId, listed.at(5).NoteID};
        view.FollowChange(saved);
        view.viewport()->repaint();
        QCOMPARE(view.NoteRect(anchor - 1).top(), top);
    }

    void removeFromListKeepsTheDatabase()
    {
        UiFixture::App f;
        f.app->InitInstance();
        f.app->CurrentList().SetCurrentList(NoteIdList({1001, 1002}), 805);
        CNotesView view(f.app->Database(), f.app->CurrentList(), f.app->GetSettings(), f.prompt);
        view.resize(600, 400);
        view.Redraw(true);
        view.RemoveFromCurrentList(1001);
        QCOMPARE(Ids(f.app->CurrentList().Entries()), QList<qint32>({1002}));
        QCOMPARE(f.app->Database().Total(), 3);
        view.DeleteNotePermanently(1002);
        QCOMPARE(f.prompt.LastText(), QStringLiteral("Do you wish to permanently delete this note?"));
        QCOMPARE(f.app->Database().Total(), 2);
    }

    void imageControlsKeepTheirLimits()
    {
        AttachmentRecord image;
        image.Kind = KindImage;
        for (int i = 0; i < 30; ++i)
            ImageControls::Apply(image, ImageControls::Action::ZoomOut, 100);
        QCOMPARE(image.ImageScale, 0.05);
        ImageControls::Apply(image, ImageControls::Action::ZoomIn, 100);
        QVERIFY(qAbs(image.ImageScale - 0.10) < 1e-9);
        ImageControls::Apply(image, ImageControls::Action::ShiftLeft, 100);
        QCOMPARE(image.AttachmentValue, 0);
        for (int i = 0; i < 12; ++i)
            ImageControls::Apply(image, ImageControls::Action::ShiftRight, 100);
        QCOMPARE(image.AttachmentValue, 100);
        ImageControls::Apply(image, ImageControls::Action::Restore, 100);
        QCOMPARE(image.AttachmentValue, 0);
        QCOMPARE(image.ImageScale, 1.0);
        QCOMPARE(ImageControls::MaxShift(500, 400), 0);
        QCOMPARE(ImageControls::MaxShift(300, 400), 100);
    }

    void restoredImageIsWrittenToTheNoteFile()
    {
        NoteRecord note = UiFixture::MakeNote(1001, QStringLiteral("With a picture"), 14);
        AttachmentRecord image;
        image.Kind = KindImage;
        image.StoredName = QStringLiteral("0000001.png");
        image.OriginalName = QStringLiteral("picture.png");
        image.ImageScale = 0.5;
        image.AttachmentValue = 20;
        note.Attachments.append(image);
        UiFixture::App f({}, {note});
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(f.app->Folder().FullPath(QStringLiteral("Data Files\\Images\\0000001.png"))));
        f.app->InitInstance();
        f.app->CurrentList().SetCurrentList(NoteIdList({1001}), 805);
        CNotesView view(f.app->Database(), f.app->CurrentList(), f.app->GetSettings(), f.prompt);
        view.resize(600, 400);
        view.Redraw(true);
        view.ApplyImageAction(1001, 0, ImageControls::Action::Restore);
        const NotesList stored = ReadNoteFile(f.app->Database().NoteFilePath(note));
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored.first().Attachments.first().ImageScale, 1.0);
        QCOMPARE(stored.first().Attachments.first().AttachmentValue, 0);
        QCOMPARE(f.app->CurrentList().NoteAt(0).Attachments.first().ImageScale, 1.0);
    }

    void zoomScalesTheFontSizes()
    {
        QTextDocument document;
        RichDocumentMapper::RtfToDisplayDocument(QStringLiteral("{\\rtf1\\ansi\\fs24 Twelve points\\par}"),
                                                 document, 1.5);
        const QTextCharFormat format = document.begin().begin().fragment().charFormat();
        QCOMPARE(format.fontPointSize(), 18.0); // \fs24 is 12 pt, 36 half points at 150 %
        QCOMPARE(document.toPlainText(), QStringLiteral("Twelve points"));
        // Text outside ASCII reaches the reader as RTF escapes and comes back whole.
        RichDocumentMapper::RtfToDisplayDocument(QStringLiteral("{\\rtf1\\ansi caf\u00e9 \u2014 ok\\par}"),
                                                 document);
        QCOMPARE(document.toPlainText(), QStringLiteral("caf\u00e9 \u2014 ok"));
    }

    // The view and the editor read a note through one mapper: the labels the view writes
    // into the text are the ones the editor draws beside it.
    void viewAndEditorNumberAListAlike()
    {
        const QString rtf = QStringLiteral(
            "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}"
            "\\pard{\\*\\pn\\pnlvlbody\\pnindent300\\pnstart3\\pndec{\\pntxta)}}\\li300 Three\\par"
            "{\\*\\pn\\pnlvlbody\\pnindent300\\pnstart3\\pndec{\\pntxta)}}\\li300 Four\\par"
            "\\pard{\\*\\pn\\pnlvlbody\\pnlcltr\\pnstart1{\\pntxta)}}a\\par}");
        QTextDocument shown;
        RichDocumentMapper::RtfToDisplayDocument(rtf, shown);
        QTextDocument edited;
        RichDocumentMapper::RtfToDocument(rtf, edited);
        QCOMPARE(shown.blockCount(), edited.blockCount());
        QStringList shownLabels;
        QStringList editorLabels;
        for (int i = 0; i < shown.blockCount(); ++i) {
            shownLabels.append(shown.findBlockByNumber(i).text().section(QLatin1Char('\t'), 0, 0));
            editorLabels.append(RichDocumentMapper::ListLabel(edited.findBlockByNumber(i)));
        }
        QCOMPARE(shownLabels,
                 (QStringList {QStringLiteral("3)"), QStringLiteral("4)"), QStringLiteral("a)")}));
        QCOMPARE(editorLabels, shownLabels);
        // The editor keeps the text without labels; both keep the paragraph's indent.
        QCOMPARE(edited.findBlockByNumber(1).text(), QStringLiteral("Four"));
        QCOMPARE(RichDocumentMapper::ParagraphFormat(shown.findBlockByNumber(1).blockFormat()).leftIndent,
                 300);
        QCOMPARE(RichDocumentMapper::ParagraphFormat(edited.findBlockByNumber(1).blockFormat()).leftIndent,
                 300);
    }
};

QTEST_MAIN(NotesViewTest)
#include "NotesViewTest.moc"
