// The options sheet: every change is stored at once in the settings file, the view
// follows the display options, the agent is told, and the spelling page's rules.
#include "UiFixture.h"
#include "editor/SpellService.h"
#include "store/IniSettingsBackend.h"
#include "store/Settings.h"
#include "ui/CMainFrame.h"
#include "ui/CNotesView.h"
#include "ui/COptAgentPg.h"
#include "ui/COptGeneralPg.h"
#include "ui/COptionsPropSheet.h"
#include "ui/CZolColourList.h"
#include "ui/CommandIds.h"
#include "ui/OptSpellChkPg.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeySequenceEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// The value as it stands in the settings file.
QVariant InFile(const QString& path, const QString& name)
{
    QSettings file(path, QSettings::IniFormat);
    return file.value(QStringLiteral("Options/") + name);
}

void TypeInto(QSpinBox* box, const QString& text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

struct SheetFixture
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Quorvel.ini"));
    IniSettingsBackend backend {path};
    Settings settings;
    int relayouts = 0;
    QStringList told;
    int starts = 0;
    int redraws = 0;
    FontSetting offered;
    std::optional<FontSetting> answer;
    std::unique_ptr<COptionsPropSheet> sheet;

    SheetFixture()
    {
        settings.Load(backend);
        OptionsContext context;
        context.settings = &settings;
        context.backend = &backend;
        context.relayoutView = [this] { ++relayouts; };
        context.startAgent = [this] { ++starts; };
        context.tellAgent = [this](const QString& text) { told << text; };
        context.redrawView = [this] { ++redraws; };
        context.chooseFont = [this](QWidget*, const FontSetting& font) {
            offered = font;
            return answer;
        };
        sheet = std::make_unique<COptionsPropSheet>(context);
        sheet->show();
    }
};

} // namespace

class OptionsSheetTest : public QObject
{
    Q_OBJECT

private slots:
    void pagesInOrderAndEveryControlNamed()
    {
        SheetFixture f;
        QCOMPARE(f.sheet->windowTitle(), QStringLiteral("Options"));
        QCOMPARE(f.sheet->Tabs()->count(), 3);
        QCOMPARE(f.sheet->Tabs()->tabText(0), QStringLiteral("< General >"));
        QCOMPARE(f.sheet->Tabs()->tabText(1), QStringLiteral("< Agent >"));
        QCOMPARE(f.sheet->Tabs()->tabText(2), QStringLiteral("< Spell Checker >"));
        for (QWidget* widget : f.sheet->findChildren<QWidget*>()) {
            if (qobject_cast<QAbstractButton*>(widget) || qobject_cast<QSpinBox*>(widget)
                || qobject_cast<QKeySequenceEdit*>(widget) || qobject_cast<QComboBox*>(widget))
                QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(widget->objectName()));
        }
        // No OK, Cancel or Apply: changes take effect at once.
        for (QPushButton* button : f.sheet->findChildren<QPushButton*>())
            QVERIFY(button->text() != QLatin1String("OK") && button->text() != QLatin1String("Apply"));
    }

    void displayChangesAreStoredAndReLayTheView()
    {
        SheetFixture f;
        COptGeneralPg* page = f.sheet->GeneralPage();
        page->ShowSources()->click();
        QCOMPARE(InFile(f.path, QStringLiteral("ShowSources")).toInt(), 0);
        QVERIFY(!page->SourceSize()->isEnabled());
        QVERIFY(!page->SourceTop()->isEnabled());
        QCOMPARE(f.relayouts, 1);
        page->ShowSources()->click();
        page->ShowCats()->click();
        QVERIFY(!page->CatsTop()->isEnabled());
        QCOMPARE(InFile(f.path, QStringLiteral("ShowCats")).toInt(), 0);
        page->ShowCats()->click();
        page->CatsTop()->click();
        QCOMPARE(InFile(f.path, QStringLiteral("CatsTop")).toInt(), 1);
        page->SourceTop()->click();
        QCOMPARE(InFile(f.path, QStringLiteral("SourceTop")).toInt(), 1);
    }

    void fontsArePresetWithTheStoredOnesAndStoredOnOk()
    {
        SheetFixture f;
        auto* editFont = f.sheet->findChild<QPushButton*>(QStringLiteral("editTextFont"));
        editFont->click();
        QCOMPARE(f.offered.FaceName, QStringLiteral("Times New Roman"));
        QCOMPARE(f.offered.Height, 18);
        QCOMPARE(f.offered.Weight, 400);
        FontSetting chosen;
        chosen.FaceName = QStringLiteral("Georgia");
        chosen.Height = 24;
        chosen.Weight = 700;
        f.answer = chosen;
        editFont->click();
        QSettings file(f.path, QSettings::IniFormat);
        QCOMPARE(file.value(QStringLiteral("EditTextFont/FaceName")).toString(), QStringLiteral("Georgia"));
        QCOMPARE(file.value(QStringLiteral("EditTextFont/Height")).toInt(), 24);
        f.sheet->findChild<QPushButton*>(QStringLiteral("imgTitleFont"))->click();
        QCOMPARE(f.offered, Settings::DefaultImgTitleFont());
        QCOMPARE(f.settings.ImgTitleFont, chosen);
        QCOMPARE(f.redraws, 1);
        // Cancelled: nothing changes.
        f.answer.reset();
        f.sheet->findChild<QPushButton*>(QStringLiteral("imgTitleFont"))->click();
        QCOMPARE(f.redraws, 1);
    }

    void sourceSizeOutsideFiveToHundredIsCorrectedNotStored()
    {
        SheetFixture f;
        QSpinBox* size = f.sheet->GeneralPage()->SourceSize();
        const int before = f.relayouts;
        TypeInto(size, QStringLiteral("3"));
        QCOMPARE(size->value(), 5);
        TypeInto(size, QStringLiteral("250"));
        QCOMPARE(size->value(), 100);
        QCOMPARE(f.settings.SourceSize, 15);
        QCOMPARE(f.relayouts, before);
        TypeInto(size, QStringLiteral("40"));
        QCOMPARE(InFile(f.path, QStringLiteral("SourceSize")).toInt(), 40);
        QCOMPARE(f.relayouts, before + 1);
    }

    void agentSettingsExcludeEachOtherAndTellTheAgent()
    {
        SheetFixture f;
        COptAgentPg* page = f.sheet->AgentPage();
        page->RunAgent()->click();
        QCOMPARE(InFile(f.path, QStringLiteral("RunAgent")).toInt(), 2112);
        QCOMPARE(f.starts, 1);
        page->StartupAgent()->click();
        QVERIFY(!page->RunAgent()->isChecked());
        QCOMPARE(InFile(f.path, QStringLiteral("RunAgent")).toInt(), 0);
        QCOMPARE(InFile(f.path, QStringLiteral("StartupAgent")).toInt(), 2112);
        page->TrayIcon()->click();
        QCOMPARE(InFile(f.path, QStringLiteral("TrayIcon")).toInt(), 2112);
        QCOMPARE(f.told, QStringList(3, QStringLiteral("ZOLAGENTCHECKSETTINGS")));
    }

    void hotKeyIsStoredWithTheSystemsModifierFlags()
    {
        SheetFixture f;
        COptAgentPg* page = f.sheet->AgentPage();
        page->HotKey()->setKeySequence(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
        f.sheet->findChild<QPushButton*>(QStringLiteral("setHotKeys"))->click();
        QCOMPARE(InFile(f.path, QStringLiteral("Hotkey")).toInt(), int('N'));
        QCOMPARE(InFile(f.path, QStringLiteral("HotkeyMod")).toInt(), 6);
        QCOMPARE(f.told, QStringList {QStringLiteral("ZOLAGENTCHECKSETTINGS")});
        // Shown again when the page opens next time.
        SheetFixture again;
        QCOMPARE(COptAgentPg::Sequence(int('N'), 6), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
        QCOMPARE(COptAgentPg::ModifierFlags(QKeySequence(Qt::ALT | Qt::Key_F2)), 1);
        QCOMPARE(COptAgentPg::KeyCode(QKeySequence(Qt::ALT | Qt::Key_F2)), 0x71);
    }

    void spellPageSwitchesItsControlsAndRebuildsTheMarks()
    {
        SheetFixture f;
        OptSpellChkPg* page = f.sheet->SpellPage();
        QCOMPARE(SpellService::StyleFromSettings(f.settings), 1 | 4 | 8);
        f.sheet->findChild<QCheckBox*>(QStringLiteral("markBold"))->click();
        f.sheet->findChild<QCheckBox*>(QStringLiteral("markStrike"))->click();
        f.sheet->findChild<QCheckBox*>(QStringLiteral("markUnderline"))->click();
        QCOMPARE(SpellService::MarkStyle(), 1 | 2 | 4 | 64);
        page->Colour()->setCurrentIndex(2);
        QCOMPARE(SpellService::MarkColour(), QColor(1, 129, 1));
        QCOMPARE(InFile(f.path, QStringLiteral("MarkSelColor")).toInt(), 2);
        QCOMPARE(InFile(f.path, QStringLiteral("MarkBold")).toInt(), 1);
        QCOMPARE(InFile(f.path, QStringLiteral("MarkUnderline")).toInt(), 0);
        page->Enable()->click();
        QCOMPARE(InFile(f.path, QStringLiteral("EnableSpellCheck")).toInt(), 0);
        for (const char* name : {"markBold", "markItalics", "markUnderline", "markStrike"})
            QVERIFY(!f.sheet->findChild<QCheckBox*>(QLatin1String(name))->isEnabled());
        QVERIFY(!page->Colour()->isEnabled());
        QVERIFY(!f.sheet->findChild<QPushButton*>(QStringLiteral("spellOptions"))->isEnabled());
        QVERIFY(!f.sheet->findChild<QPushButton*>(QStringLiteral("userDictionary"))->isEnabled());
        SpellService::SetMarks(Settings());
    }

    void theMainWindowsSheetChangesTheView()
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
        // The window goes before the application it shows.
        const auto closeFirst = qScopeGuard([&] { frame.reset(); });
        fixture.app->InitInstance();
        QVERIFY(frame->View()->ViewOptions().showSources);
        QTimer::singleShot(50, [] {
            auto* sheet = qobject_cast<COptionsPropSheet*>(QApplication::activeModalWidget());
            QVERIFY(sheet);
            sheet->GeneralPage()->ShowSources()->click();
            sheet->GeneralPage()->ShowCats()->click();
            sheet->findChild<QPushButton*>(QStringLiteral("closeOptions"))->click();
        });
        frame->RunCommand(CommandIds::EditOptions);
        QVERIFY(!frame->View()->ViewOptions().showSources);
        QVERIFY(!frame->View()->ViewOptions().showCats);
        QCOMPARE(fixture.settings.Value(Settings::OptionsGroup(), QStringLiteral("ShowSources")).toInt(), 0);
    }
};

QTEST_MAIN(OptionsSheetTest)
#include "OptionsSheetTest.moc"
