#include "ui/CNotificationDlg.h"
#include "ui/CSkinProgressDlg.h"
#include "ui/WindowProgressReporter.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QTest>

namespace {

// Counts the paints of one window and keeps what its controls showed at the last one.
class PaintWatcher : public QObject
{
public:
    explicit PaintWatcher(QWidget* window)
        : m_window(window)
    {
        window->installEventFilter(this);
    }

    int paints = 0;
    int barValue = -1;
    QString text;

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (object == m_window && event->type() == QEvent::Paint) {
            ++paints;
            if (auto* bar = m_window->findChild<QProgressBar*>())
                barValue = bar->value();
            if (auto* label = m_window->findChild<QLabel*>())
                text = label->text();
        }
        return false;
    }

private:
    QWidget* m_window;
};

} // namespace

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

    // A load of many small files: a range and a message per file and a step per note. The
    // windows repaint about thirty times a second at most, and once the work is over the
    // last state is on the screen.
    void manyStepsRepaintAtMostThirtyTimesASecond()
    {
        QWidget owner;
        owner.resize(800, 600);
        owner.show();
        CSkinProgressDlg dialog(&owner);
        CNotificationDlg notification(&owner);
        WindowProgressReporter progress;
        progress.SetWindows(&dialog, &notification);
        PaintWatcher dialogPaints(&dialog);
        PaintWatcher notificationPaints(&notification);

        QElapsedTimer clock;
        clock.start();
        progress.Notify(QStringLiteral("Gathering Selected Notes...."));
        for (int file = 0; file < 20000; ++file) {
            progress.Begin(QStringLiteral("Loading info:  *F%1.dat*").arg(file), 5);
            for (int note = 0; note < 5; ++note)
                progress.Step();
            progress.Notify(QStringLiteral("Gathering Selected Notes...."));
        }
        progress.Begin(QStringLiteral("Loading info:  *LAST.dat*"), 7);
        for (int note = 0; note < 6; ++note)
            progress.Step();
        const qint64 elapsed = clock.elapsed();

        // One paint when each window appears, then one per 33 ms at most.
        const qint64 allowed = elapsed / 33 + 3;
        QVERIFY2(dialogPaints.paints <= allowed, qPrintable(QString::number(dialogPaints.paints)));
        QVERIFY2(notificationPaints.paints <= allowed,
                 qPrintable(QString::number(notificationPaints.paints)));

        QTest::qWait(100);
        QCOMPARE(dialogPaints.text, QStringLiteral("Loading info:  *LAST.dat*"));
        QCOMPARE(dialogPaints.barValue, 6);
        QCOMPARE(dialog.Position(), 6);
        QCOMPARE(dialog.Maximum(), 7);
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
