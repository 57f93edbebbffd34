// Spell checking in the note text control and the note editor, against the installed
// English dictionary: what is marked, that marks never reach the stored text, the global
// and per-note switches, and the suggestion menu.
#include "editor/CEditNoteDlg.h"
#include "editor/CNoteEditCtrl.h"
#include "editor/CSpellMarker.h"
#include "editor/SpellService.h"
#include "format/DataFolder.h"
#include "platform/SpellChecker.h"
#include "platform/UserPrompt.h"
#include "store/NoteDatabase.h"
#include "store/Settings.h"
#include "store/SourceStore.h"
#include "support/ScriptedPrompt.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

namespace {

// Runs act on the pop-up menu with that object name as soon as it is up; the watch ends
// with its owner.
void WhenPopup(QObject* owner, const QString& objectName, std::function<void(QMenu*)> act)
{
    auto* timer = new QTimer(owner);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, objectName, act] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu || menu->objectName() != objectName)
            return;
        timer->stop();
        timer->deleteLater();
        act(menu);
    });
    timer->start();
}

QStringList MarkedWords(CNoteEditCtrl& edit)
{
    QStringList words;
    for (QTextBlock block = edit.document()->begin(); block.isValid(); block = block.next())
        for (const SpellWord& word : edit.SpellMarker()->MarksOf(block))
            words << block.text().mid(word.start, word.length);
    return words;
}

// The point of the viewport over the middle of the first occurrence of a word.
QPoint PointOf(CNoteEditCtrl& edit, const QString& word)
{
    QTextCursor cursor(edit.document());
    cursor.setPosition(int(edit.toPlainText().indexOf(word)) + 2);
    return edit.cursorRect(cursor).center();
}

// Chooses an entry the way the keyboard does, so that the menu reports it.
void Choose(QMenu* menu, QAction* action)
{
    menu->setActiveAction(action);
    QTest::keyClick(menu, Qt::Key_Return);
}

void RightClick(CNoteEditCtrl& edit, QPoint point)
{
    QContextMenuEvent event(QContextMenuEvent::Mouse, point, edit.viewport()->mapToGlobal(point));
    QApplication::sendEvent(edit.viewport(), &event);
}

} // namespace

class SpellCheckTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    DataFolder m_folder;
    std::unique_ptr<SpellChecker> m_checker;
    ChangeNotice m_changes;
    std::unique_ptr<SourceStore> m_sources;
    std::unique_ptr<NoteDatabase> m_database;
    Settings m_settings;
    ScriptedPrompt m_prompt;

    std::unique_ptr<CNoteEditCtrl> Control(const QString& text, bool checking)
    {
        auto edit = std::make_unique<CNoteEditCtrl>();
        edit->Attach(true, checking);
        edit->resize(500, 300);
        edit->show();
        edit->setPlainText(text);
        if (edit->SpellMarker())
            edit->SpellMarker()->CheckNow();
        return edit;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_folder = DataFolder(m_dir->path(), m_dir->filePath(QStringLiteral("bin")));
        QVERIFY(m_folder.CreateFolders());
        m_checker = std::make_unique<SpellChecker>(m_folder.LexiconsFolder());
        if (m_checker->LoadedDictionaries() == 0)
            QSKIP("no en_US dictionary installed");
        SpellService::SetChecker(m_checker.get());
        m_settings = Settings();
        m_settings.szSaveWarning = 0;
        SpellService::SetMarks(m_settings);
        m_sources = std::make_unique<SourceStore>(m_folder, m_changes);
        m_database = std::make_unique<NoteDatabase>(m_folder, m_changes);
        m_database->LoadNoteDatabase(*m_sources);
    }

    void cleanup()
    {
        SpellService::SetChecker(nullptr);
        m_database.reset();
        m_sources.reset();
        m_checker.reset();
        m_dir.reset();
    }

    void misspelledWordsAreMarkedButNeverStored()
    {
        const QString text = QStringLiteral("A carefull writer checks every wrod.\nSecond line is fine.");
        auto checked = Control(text, true);
        QCOMPARE(MarkedWords(*checked), (QStringList {QStringLiteral("carefull"), QStringLiteral("wrod")}));
        // The mark is drawn by the layout in the mark colour, not kept in the text.
        const QList<QTextLayout::FormatRange> drawn = checked->document()->begin().layout()->formats();
        QVERIFY(!drawn.isEmpty());
        QCOMPARE(drawn.first().format.foreground().color(), SpellService::MarkColour());
        auto unchecked = Control(text, false);
        QCOMPARE(checked->RichText(), unchecked->RichText());
        QVERIFY(!checked->RichText().contains(QLatin1String("\\ul")));
        checked->ClearMarks();
        QVERIFY(MarkedWords(*checked).isEmpty());
        QCOMPARE(checked->RichText(), unchecked->RichText());
    }

    void aSuggestionReplacesTheWordAndNoOtherMenuFollows()
    {
        auto edit = Control(QStringLiteral("Some wrod here."), true);
        bool ownMenu = false;
        WhenPopup(edit.get(), QStringLiteral("spellMenu"), [&](QMenu* menu) {
            QAction* word = nullptr;
            for (QAction* action : menu->actions())
                if (action->text() == QLatin1String("word"))
                    word = action;
            QVERIFY(word);
            // The own menu would come up next if the choice did not change the text.
            WhenPopup(edit.get(), QStringLiteral("noteTextMenu"), [&](QMenu*) { ownMenu = true; });
            Choose(menu, word);
        });
        RightClick(*edit, PointOf(*edit, QStringLiteral("wrod")));
        QCOMPARE(edit->toPlainText(), QStringLiteral("Some word here."));
        QCOMPARE(edit->textCursor().position(), 0);
        QTest::qWait(50);
        QVERIFY(!ownMenu);
    }

    void aWordAddedToTheDictionaryIsKnownAfterARestart()
    {
        auto edit = Control(QStringLiteral("The Quorblax method."), true);
        QCOMPARE(MarkedWords(*edit), QStringList {QStringLiteral("Quorblax")});
        WhenPopup(edit.get(), QStringLiteral("spellMenu"), [&edit](QMenu* menu) {
            // The control's own menu follows; close it.
            WhenPopup(edit.get(), QStringLiteral("noteTextMenu"), [](QMenu* own) { own->close(); });
            Choose(menu, menu->findChild<QAction*>(QStringLiteral("actionAddToDictionary")));
        });
        RightClick(*edit, PointOf(*edit, QStringLiteral("Quorblax")));
        edit->SpellMarker()->CheckNow();
        QVERIFY(MarkedWords(*edit).isEmpty());
        SpellChecker restarted(m_folder.LexiconsFolder());
        QVERIFY(restarted.IsCorrect(QStringLiteral("Quorblax")));
    }

    void clickingAWordThatIsRightShowsOnlyTheOwnMenu()
    {
        auto edit = Control(QStringLiteral("Nothing wrong."), true);
        QString shown;
        WhenPopup(edit.get(), QStringLiteral("noteTextMenu"), [&](QMenu* menu) {
            shown = menu->objectName();
            menu->close();
        });
        RightClick(*edit, PointOf(*edit, QStringLiteral("wrong")));
        QCOMPARE(shown, QStringLiteral("noteTextMenu"));
    }

    void theGlobalSwitchOffCreatesNoChecker()
    {
        m_settings.EnableSpellCheck = 0;
        NoteRecord note;
        note.SpellCheck = true;
        CEditNoteDlg editor(*m_database, *m_sources, m_settings, m_prompt, note);
        QVERIFY(!editor.TextControl()->SpellMarker());
        QVERIFY(!editor.findChild<CSpellMarker*>());
        QVERIFY(!editor.findChild<QCheckBox*>(QStringLiteral("disableSpellCheck"))->isEnabled());
    }

    void thePerNoteSwitchStartsAndStopsChecking()
    {
        NoteRecord note;
        note.SpellCheck = false;
        CEditNoteDlg editor(*m_database, *m_sources, m_settings, m_prompt, note);
        editor.show();
        QVERIFY(!editor.TextControl()->SpellMarker());
        auto* box = editor.findChild<QCheckBox*>(QStringLiteral("disableSpellCheck"));
        QVERIFY(box->isChecked());
        box->click();
        QVERIFY(editor.TextControl()->SpellMarker());
        QVERIFY(editor.Record().SpellCheck);
        box->click();
        QTRY_VERIFY(!editor.TextControl()->SpellMarker());
        QVERIFY(!editor.Record().SpellCheck);
    }

    void savingWithCheckingOnStoresWhatCheckingOffStores()
    {
        NoteRecord on;
        on.SpellCheck = true;
        CEditNoteDlg first(*m_database, *m_sources, m_settings, m_prompt, on);
        first.TextControl()->setPlainText(QStringLiteral("Misteaks stay out of the file."));
        first.TextControl()->SpellMarker()->CheckNow();
        QVERIFY(!MarkedWords(*first.TextControl()).isEmpty());
        QVERIFY(first.Save());
        NoteRecord off;
        off.SpellCheck = false;
        CEditNoteDlg second(*m_database, *m_sources, m_settings, m_prompt, off);
        second.TextControl()->setPlainText(QStringLiteral("Misteaks stay out of the file."));
        QVERIFY(second.Save());
        QCOMPARE(first.Record().RichText, second.Record().RichText);
    }
};

QTEST_MAIN(SpellCheckTest)
#include "SpellCheckTest.moc"
