#include "ui/CNotificationDlg.h"
#include "ui/CSkinProgressDlg.h"
#include "ui/WindowProgressReporter.h"

#include <QTest>

class ProgressWindowsTest : public QObject
{
    Q_OBJECT

private slots:
    void reporterDrivesTheProgressDialog()
    {
        QWidget owner;
        owner.resize(800, 600);
        owner.show();
        CSkinProgressDlg dialog(&owner);
        CNotificationDlg notification(&owner);
        WindowProgressReporter progress;
        progress.SetWindows(&dialog, &notification);

        progress.Begin(QStringLiteral("Loading Notes Information..."), 20);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.Message(), QStringLiteral("Loading Notes Information..."));
        QCOMPARE(dialog.Maximum(), 20);
        QCOMPARE(dialog.Position(), 0);
        progress.Step();
        progress.Step();
        QCOMPARE(dialog.Position(), 2);
        progress.SetMessage(QStringLiteral("Setting Global Info..."));
        QCOMPARE(dialog.Message(), QStringLiteral("Setting Global Info..."));
        // A new range starts the bar again.
        progress.Begin(QStringLiteral("Loading info:  *DAY08142008.dat*"), 3);
        QCOMPARE(dialog.Position(), 0);
        QCOMPARE(dialog.Maximum(), 3);

        progress.Notify(QStringLiteral("Gathering Selected Notes...."));
        QVERIFY(notification.isVisible());
        QCOMPARE(notification.Message(), QStringLiteral("Gathering Selected Notes...."));
        progress.End();
        QVERIFY(!dialog.isVisible());
        QVERIFY(!notification.isVisible());
    }

    void reporterWithoutWindowsShowsNothing()
    {
        WindowProgressReporter progress;
        progress.Begin(QStringLiteral("Exporting notes..."), 5);
        progress.Step();
        progress.Notify(QStringLiteral("Preparing Preview...."));
        progress.End(); // nothing to show and nothing to crash on
    }
};

QTEST_MAIN(ProgressWindowsTest)
#include "ProgressWindowsTest.moc"
