#include "UiFixture.h"
#include "format/NoteIdList.h"
#include "lists/CurrentNotesList.h"
#include "ui/CMainFrame.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAccessible>
#include <QAccessibleInterface>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTest>

// A screen reader user meets every control of the main window by its name, and a mouse
// user gets a tip on every button, field and list.
class MainWindowLabelsTest : public QObject
{
    Q_OBJECT

private slots:
    void everyControlIsNamedAndTipped()
    {
        std::unique_ptr<CMainFrame> frame;
        UiFixture::App fixture([&] {
            StartupHooks hooks;
            hooks.createWindows = [&] {
                frame = std::make_unique<CMainFrame>(*fixture.app, fixture.prompt);
                frame->show();
            };
            return hooks;
        }());
        fixture.app->InitInstance();
        QVERIFY(frame);

        QList<QWidget*> controls;
        for (QWidget* widget : frame->findChildren<QWidget*>()) {
            // Qt's own parts of a tool bar, combo box or scroll area are named by Qt.
            if (widget->objectName().startsWith(QLatin1String("qt_")) || !widget->isVisibleTo(frame.get()))
                continue;
            const bool control = qobject_cast<QAbstractButton*>(widget) || qobject_cast<QComboBox*>(widget)
                || qobject_cast<QLineEdit*>(widget) || qobject_cast<QAbstractScrollArea*>(widget);
            const bool pane = qobject_cast<QLabel*>(widget) && widget->parentWidget() == frame->statusBar();
            if (control || pane)
                controls.append(widget);
        }
        // The search bar's buttons, the two lists, the search field, the view, the two panes.
        QVERIFY2(controls.size() >= 14, qPrintable(QString::number(controls.size())));
        QStringList names;
        for (QWidget* widget : std::as_const(controls)) {
            const QString id = QString::fromLatin1(widget->metaObject()->className()) + QLatin1Char(' ')
                + widget->objectName();
            QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(id + QStringLiteral(" has no name")));
            QVERIFY2(!widget->toolTip().isEmpty(), qPrintable(id + QStringLiteral(" has no tool tip")));
            names.append(widget->accessibleName());
        }
        // Names tell the controls apart.
        names.removeDuplicates();
        QCOMPARE(names.size(), controls.size());
        // A list's drop-down is read out too, as the list's choices.
        for (QComboBox* list : frame->findChildren<QComboBox*>()) {
            const QString choices = list->view()->accessibleName();
            QVERIFY2(!choices.isEmpty() && choices.startsWith(list->accessibleName()),
                     qPrintable(list->objectName()));
        }
        frame.reset(); // before the application it shows
    }

    // A screen reader hears the counts the status bar shows, and every menu command
    // says in the status bar what it does while the pointer rests on it.
    void countsAreHeardAndCommandsExplained()
    {
        std::unique_ptr<CMainFrame> frame;
        UiFixture::App fixture([&] {
            StartupHooks hooks;
            hooks.createWindows = [&] {
                frame = std::make_unique<CMainFrame>(*fixture.app, fixture.prompt);
                frame->show();
            };
            hooks.showLastList = [&] { frame->ShowLastList(); };
            return hooks;
        }());
        const auto closeFirst = qScopeGuard([&] { frame.reset(); });
        fixture.app->InitInstance();
        const auto heard = [](QWidget* widget) {
            return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
        };
        QCOMPARE(heard(frame->NotesInListPane()), QStringLiteral("Notes In List: 0"));
        QCOMPARE(heard(frame->TotalNotesPane()), QStringLiteral("Total Notes Saved: 3"));
        fixture.app->CurrentList().SetCurrentList(NoteIdList({1001, 1002}), 805);
        QCOMPARE(heard(frame->NotesInListPane()), QStringLiteral("Notes In List: 2"));
        // The panes keep their look: the text as the status bar has always shown it.
        QCOMPARE(frame->NotesInListPane()->text(), QStringLiteral("Notes In List:    2"));

        for (QAction* action : frame->menuBar()->actions()) {
            for (QAction* command : action->menu()->actions()) {
                if (!command->isSeparator())
                    QVERIFY2(!command->statusTip().isEmpty(), qPrintable(command->text()));
            }
        }
        auto* file = frame->findChild<QMenu*>(QStringLiteral("menuFile"));
        auto* bibliography = frame->findChild<QAction*>(QStringLiteral("actionCreateBibliography"));
        QVERIFY(file && bibliography);
        // Opened from the menu bar, with the pointer resting on "Create Bibliography...".
        frame->menuBar()->setActiveAction(file->menuAction());
        QTRY_VERIFY(file->isVisible());
        file->setActiveAction(bibliography);
        QTRY_COMPARE(frame->statusBar()->currentMessage(), QStringLiteral("Save\\Print Current Sources"));
        file->close();
    }
};

QTEST_MAIN(MainWindowLabelsTest)
#include "MainWindowLabelsTest.moc"
