#include "UiFixture.h"
#include "ui/CMainFrame.h"
#include "ui/CommandIds.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QTest>

// Help > "Open Sample Notes..." hands the sample archive that comes with the program to
// the same handler as a dropped or handed-over file, so it goes through the ordinary
// import; without the archive it says so and imports nothing.
class HelpMenuTest : public QObject
{
    Q_OBJECT

private:
    struct Frame
    {
        std::unique_ptr<CMainFrame> frame;
        UiFixture::App fixture;
        QStringList handed;

        Frame()
            : fixture([this] {
                StartupHooks hooks;
                hooks.createWindows = [this] {
                    frame = std::make_unique<CMainFrame>(*fixture.app, fixture.prompt);
                    frame->SetFileHandler([this](const QString& path) { handed.append(path); });
                };
                return hooks;
            }())
        {
            fixture.app->InitInstance();
        }
        ~Frame() { frame.reset(); }
    };

private slots:
    void sampleNotesStandAfterTheManual()
    {
        Frame f;
        QAction* sample = f.frame->Action(CommandIds::OpenSampleNotes);
        QVERIFY(sample);
        QCOMPARE(sample->text(), QStringLiteral("Open Sample Notes..."));
        QVERIFY(sample->isEnabled());
        const QList<QAction*> items = f.frame->findChild<QMenu*>(QStringLiteral("menuHelp"))->actions();
        const qsizetype manual = items.indexOf(f.frame->Action(CommandIds::UsersManual));
        QCOMPARE(items.indexOf(sample), manual + 1);
    }

    void sampleNotesGoToTheImport()
    {
        Frame f;
        const QString archive = f.fixture.dir.filePath(QStringLiteral("QuorvelSample.qvx"));
        QFile file(archive);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        f.frame->RunCommand(CommandIds::OpenSampleNotes);
        QCOMPARE(f.handed, QStringList {archive});
        QVERIFY(f.fixture.prompt.History().isEmpty());
    }

    void missingSampleNotesAreReported()
    {
        Frame f;
        f.frame->RunCommand(CommandIds::OpenSampleNotes);
        QVERIFY(f.handed.isEmpty());
        QCOMPARE(f.fixture.prompt.History().size(), 1);
        QCOMPARE(f.fixture.prompt.History().first().caption, QStringLiteral("Open Sample Notes"));
        QCOMPARE(f.fixture.prompt.History().first().icon, UserPrompt::Icon::Warning);
    }
};

QTEST_MAIN(HelpMenuTest)
#include "HelpMenuTest.moc"
