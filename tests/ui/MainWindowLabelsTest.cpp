#include "UiFixture.h"
#include "ui/CMainFrame.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
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
        frame.reset(); // before the application it shows
    }
};

QTEST_MAIN(MainWindowLabelsTest)
#include "MainWindowLabelsTest.moc"
