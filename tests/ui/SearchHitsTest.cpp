// The drop-down of hits under the search field: typing shows what the search would find
// from the kept index, the arrows and a click open a note, Enter runs the search as
// always, Escape closes it; an invalid query shows its message inside it.

#include "ShownFrame.h"
#include "UiFixture.h"
#include "editor/CEditNoteDlg.h"
#include "index/SearchIndex.h"
#include "lists/CurrentNotesList.h"
#include "store/NoteDatabase.h"
#include "ui/CChromaToolBar.h"
#include "ui/CMainFrame.h"
#include "ui/CSearchEditBox.h"
#include "ui/CSearchHitsList.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <QTimer>

namespace {

NotesList Notes()
{
    NotesList notes = UiFixture::ThreeNotes();
    for (int i = 0; i < 25; ++i) {
        NoteRecord note = UiFixture::MakeNote(
            2001 + i, QStringLiteral("Pineapple number %1\\par second line").arg(i), 20);
        note.PlainText = QStringLiteral("Pineapple number %1\nsecond line").arg(i);
        notes.append(note);
    }
    return notes;
}

struct Frame : ShownFrame
{
    Frame()
        : ShownFrame(Notes())
    {
        fixture.app->InitInstance();
        fixture.app->GetSettings().szSaveWarning = 0; // Cancel closes the editor at once
    }

    CSearchEditBox* Field() const { return frame->SearchBar()->SearchField(); }
    CSearchHitsList* Hits() const { return frame->SearchHits(); }

    // Types into the empty field as the user does.
    void Type(const QString& text)
    {
        QFocusEvent in(QEvent::FocusIn);
        QApplication::sendEvent(Field(), &in);
        QTest::keyClicks(Field(), text);
    }

    // Answers the next note editor with Cancel as soon as it is up, and tells which note
    // it showed.
    static void CancelNextEditor(qint32* shown)
    {
        auto* timer = new QTimer;
        timer->setInterval(10);
        QObject::connect(timer, &QTimer::timeout, [timer, shown] {
            auto* editor = qobject_cast<CEditNoteDlg*>(QApplication::activeModalWidget());
            if (!editor)
                return;
            timer->stop();
            timer->deleteLater();
            *shown = editor->Record().NoteID;
            static_cast<QDialog*>(editor)->reject();
        });
        timer->start();
    }
};

} // namespace

class SearchHitsTest : public QObject
{
    Q_OBJECT

private slots:
    void typingShowsHitsBeforeEnter()
    {
        Frame f;
        QTRY_VERIFY(f.fixture.app->Index().CurrentState() == SearchIndex::State::Ready);
        f.Type(QStringLiteral("appl"));
        QTRY_VERIFY(f.Hits()->isVisible());
        QCOMPARE(f.Hits()->Summary()->text(), QStringLiteral("27 notes found"));
        QCOMPARE(f.Hits()->Hits()->count(), 20); // the first twenty
        const SearchPreview::Hit& first = f.Hits()->Shown().hits.first();
        QCOMPARE(first.noteId, 1001);
        QCOMPARE(first.line, QStringLiteral("Apple pie with pear"));
        QCOMPARE(first.hits, (QList<QPair<int, int>> {{0, 4}}));
        QCOMPARE(first.dateAdded, DateTime::FromParts(2008, 8, 14, 10, 0, 0));
        QCOMPARE(f.Hits()->Shown().hits.at(2).line, QStringLiteral("Pineapple number 0"));
        QVERIFY(f.fixture.prompt.History().isEmpty()); // no box, no search run
        QCOMPARE(f.fixture.app->CurrentList().Count(), 0);

        // Each keystroke answers again.
        QTest::keyClicks(f.Field(), QStringLiteral("e p"));
        QTRY_COMPARE(f.Hits()->Summary()->text(), QStringLiteral("1 note found"));
        QCOMPARE(f.Hits()->Shown().hits.first().noteId, 1001);
    }

    void arrowsAndClicksOpenNotesEscapeCloses()
    {
        Frame f;
        QTRY_VERIFY(f.fixture.app->Index().CurrentState() == SearchIndex::State::Ready);
        f.Type(QStringLiteral("apple"));
        QTRY_VERIFY(f.Hits()->isVisible());
        QCOMPARE(f.Hits()->ChosenNote(), 0);
        QTest::keyClick(f.Field(), Qt::Key_Down);
        QCOMPARE(f.Hits()->ChosenNote(), 1001);
        QTest::keyClick(f.Field(), Qt::Key_Down);
        QCOMPARE(f.Hits()->ChosenNote(), 1002);
        QTest::keyClick(f.Field(), Qt::Key_Up);
        QCOMPARE(f.Hits()->ChosenNote(), 1001);
        QCOMPARE(f.Field()->text(), QStringLiteral("apple")); // the field keeps its text

        qint32 opened = 0;
        Frame::CancelNextEditor(&opened);
        QTest::keyClick(f.Field(), Qt::Key_Return); // a chosen hit opens
        QCOMPARE(opened, 1001);
        QVERIFY(!f.Hits()->isVisible());
        QVERIFY(f.fixture.prompt.History().isEmpty()); // and runs no search

        QTest::keyClick(f.Field(), Qt::Key_Backspace);
        QTRY_VERIFY(f.Hits()->isVisible());
        QTest::keyClick(f.Field(), Qt::Key_Escape);
        QVERIFY(!f.Hits()->isVisible());
        QCOMPARE(f.Field()->text(), QStringLiteral("appl"));

        QTest::keyClick(f.Field(), Qt::Key_E);
        QTRY_VERIFY(f.Hits()->isVisible());
        QListWidget* list = f.Hits()->Hits();
        opened = 0;
        Frame::CancelNextEditor(&opened);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
        QCOMPARE(opened, 1002);
    }

    void enterRunsTheSearchAsAlways()
    {
        Frame f;
        QTRY_VERIFY(f.fixture.app->Index().CurrentState() == SearchIndex::State::Ready);
        f.Type(QStringLiteral("pear"));
        QTRY_VERIFY(f.Hits()->isVisible());
        QTest::keyClick(f.Field(), Qt::Key_Return);
        QVERIFY(!f.Hits()->isVisible());
        QCOMPARE(f.fixture.prompt.LastText(), QStringLiteral("Your search returned  *1*  results."));
        QCOMPARE(f.fixture.app->CurrentList().NoteIds(), NoteIdList({1001}));
    }

    void anInvalidQueryIsToldInside()
    {
        Frame f;
        QTRY_VERIFY(f.fixture.app->Index().CurrentState() == SearchIndex::State::Ready);
        f.Type(QStringLiteral("apple AND pie OR pear"));
        QTRY_VERIFY(f.Hits()->isVisible());
        QCOMPARE(f.Hits()->Summary()->text(),
                 QStringLiteral("You can only have one type of operator (AND, OR) in search string."));
        QCOMPARE(f.Hits()->Hits()->count(), 0);
        QVERIFY(f.fixture.prompt.History().isEmpty());
    }

    void theOptionTurnsItOff()
    {
        Frame f;
        QTRY_VERIFY(f.fixture.app->Index().CurrentState() == SearchIndex::State::Ready);
        f.fixture.settings.SetValue(QStringLiteral("Options"), QStringLiteral("InstantSearch"), 0);
        f.Type(QStringLiteral("apple"));
        QTest::qWait(50);
        QVERIFY(!f.Hits()->isVisible());
        f.fixture.settings.SetValue(QStringLiteral("Options"), QStringLiteral("InstantSearch"), 1);
        QTest::keyClick(f.Field(), Qt::Key_S);
        QTRY_VERIFY(f.Hits()->isVisible());
        QCOMPARE(f.Hits()->Summary()->text(), QStringLiteral("0 notes found"));
    }
};

QTEST_MAIN(SearchHitsTest)
#include "SearchHitsTest.moc"
