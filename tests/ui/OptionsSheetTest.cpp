// The options sheet: every change is stored at once in the settings file, the view
// follows the display options, the agent is told, and the spelling page's rules.
#include "UiFixture.h"
#include "editor/SpellService.h"
#include "editor/widgets/NoteTextFont.h"
#include "store/IniSettingsBackend.h"
#include "store/Settings.h"
#include "ui/CFontColourDlg.h"
#include "ui/CHotKeyCtrl.h"
#include "ui/CMainFrame.h"
#include "ui/CNotesView.h"
#include "ui/COptAgentPg.h"
#include "ui/COptGeneralPg.h"
#include "ui/COptionsPropSheet.h"
#include "ui/CZolColourList.h"
#include "ui/CommandIds.h"
#include "ui/OptSpellChkPg.h"
#include "ui/agent/AgentAutostart.h"
#include "ui/agent/AgentHotKey.h"
#include "ui/agent/VirtualKeys.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFontDialog>
#include <QLabel>
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

    OptionsContext context;

    explicit SheetFixture(const std::function<void(OptionsContext&)>& adjust = {})
    {
        settings.Load(backend);
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
        if (adjust)
            adjust(context);
        Reopen();
    }

    // The sheet opened anew on the same settings.
    void Reopen()
    {
        sheet.reset();
        sheet = std::make_unique<COptionsPropSheet>(context);
        sheet->show();
    }
};

} // namespace

class OptionsSheetTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_config;

private slots:
    // The log-in entry of the agent is written under the test's own configuration folder.
    void initTestCase() { qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8()); }

    void pagesInOrderAndEveryControlNamed()
    {
        SheetFixture f;
        QCOMPARE(f.sheet->windowTitle(), QStringLiteral("Options"));
        QCOMPARE(f.sheet->Tabs()->count(), 3);
        QCOMPARE(f.sheet->Tabs()->tabText(0), QStringLiteral("< General >"));
        QCOMPARE(f.sheet->Tabs()->tabText(1), QStringLiteral("< Agent >"));
        QCOMPARE(f.sheet->Tabs()->tabText(2), QStringLiteral("< Spell Checker >"));
        for (QWidget* widget : f.sheet->findChildren<QWidget*>()) {
            // Qt's own parts of a spin box or a combo box are named by Qt.
            if (widget->objectName().startsWith(QLatin1String("qt_")))
                continue;
            if (qobject_cast<QAbstractButton*>(widget) || qobject_cast<QSpinBox*>(widget)
                || qobject_cast<QLineEdit*>(widget) || qobject_cast<QComboBox*>(widget))
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
        page->TrayIcon()->click(); // shown on a fresh install: now hidden
        QCOMPARE(InFile(f.path, QStringLiteral("TrayIcon")).toInt(), 0);
        page->TrayIcon()->click();
        QCOMPARE(InFile(f.path, QStringLiteral("TrayIcon")).toInt(), 2112);
        QCOMPARE(f.told, QStringList(4, QStringLiteral("ZOLAGENTCHECKSETTINGS")));
    }

    void hotKeyIsStoredWithTheSystemsModifierFlags()
    {
        SheetFixture f;
        CHotKeyCtrl* hotKey = f.sheet->AgentPage()->HotKey();
        QCOMPARE(hotKey->text(), QStringLiteral("None"));
        hotKey->setFocus();
        QTest::keyClick(hotKey, Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
        f.sheet->findChild<QPushButton*>(QStringLiteral("setHotKeys"))->click();
        QCOMPARE(InFile(f.path, QStringLiteral("Hotkey")).toInt(), int('N'));
        QCOMPARE(InFile(f.path, QStringLiteral("HotkeyMod")).toInt(), 6);
        QCOMPARE(f.told, QStringList {QStringLiteral("ZOLAGENTCHECKSETTINGS")});
        // Shown again when the page opens next time.
        f.Reopen();
        hotKey = f.sheet->AgentPage()->HotKey();
        QCOMPARE(hotKey->KeyCode(), quint32('N'));
        QCOMPARE(hotKey->ModifierFlags(), quint32(6));
        QCOMPARE(hotKey->text(),
                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N).toString(QKeySequence::NativeText));
        // Backspace alone empties the control; Tab alone moves on and takes nothing.
        hotKey->setFocus();
        QTest::keyClick(hotKey, Qt::Key_Backspace);
        QCOMPARE(hotKey->KeyCode(), quint32(0));
        QCOMPARE(hotKey->text(), QStringLiteral("None"));
        QTest::keyClick(hotKey, Qt::Key_Tab);
        QCOMPARE(hotKey->KeyCode(), quint32(0));
    }

    void hotKeyTakesEveryKey_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("keySym"); // what the agent grabs on X11
        const int ctrl = Qt::ControlModifier;
        const int alt = Qt::AltModifier;
        const int shift = Qt::ShiftModifier;
        const int keypad = Qt::KeypadModifier;
        QTest::newRow("letter") << int(Qt::Key_N) << (ctrl | shift) << int('N') << 6 << 0x6E;
        QTest::newRow("digit") << int(Qt::Key_7) << alt << int('7') << 1 << 0x37;
        QTest::newRow("F2") << int(Qt::Key_F2) << alt << 0x71 << 1 << 0xFFBF;
        QTest::newRow("F13") << int(Qt::Key_F13) << 0 << 0x7C << 0 << 0xFFCA;
        QTest::newRow("Home") << int(Qt::Key_Home) << ctrl << 0x24 << 2 << 0xFF50;
        QTest::newRow("Page Down") << int(Qt::Key_PageDown) << ctrl << 0x22 << 2 << 0xFF56;
        QTest::newRow("left arrow") << int(Qt::Key_Left) << (ctrl | alt) << 0x25 << 3 << 0xFF51;
        QTest::newRow("Insert") << int(Qt::Key_Insert) << shift << 0x2D << 4 << 0xFF63;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << ctrl << 0x2E << 2 << 0xFFFF;
        QTest::newRow("Space") << int(Qt::Key_Space) << ctrl << 0x20 << 2 << 0x20;
        QTest::newRow("Enter") << int(Qt::Key_Return) << ctrl << 0x0D << 2 << 0xFF0D;
        QTest::newRow("Tab") << int(Qt::Key_Tab) << ctrl << 0x09 << 2 << 0xFF09;
        QTest::newRow("Pause") << int(Qt::Key_Pause) << 0 << 0x13 << 0 << 0xFF13;
        QTest::newRow("keypad 5") << int(Qt::Key_5) << (ctrl | keypad) << 0x65 << 2 << 0xFFB5;
        QTest::newRow("keypad plus") << int(Qt::Key_Plus) << (alt | keypad) << 0x6B << 1 << 0xFFAB;
        QTest::newRow("keypad slash") << int(Qt::Key_Slash) << (ctrl | keypad) << 0x6F << 2 << 0xFFAF;
        QTest::newRow("semicolon") << int(Qt::Key_Semicolon) << ctrl << 0xBA << 2 << 0x3B;
        QTest::newRow("colon is shifted semicolon")
            << int(Qt::Key_Colon) << (ctrl | shift) << 0xBA << 6 << 0x3B;
        QTest::newRow("exclamation is shifted 1")
            << int(Qt::Key_Exclam) << (alt | shift) << int('1') << 5 << 0x31;
        QTest::newRow("grave") << int(Qt::Key_QuoteLeft) << ctrl << 0xC0 << 2 << 0x60;
        QTest::newRow("bracket") << int(Qt::Key_BracketRight) << ctrl << 0xDD << 2 << 0x5D;
        QTest::newRow("minus") << int(Qt::Key_Minus) << ctrl << 0xBD << 2 << 0x2D;
        QTest::newRow("volume up") << int(Qt::Key_VolumeUp) << 0 << 0xAF << 0 << 0x1008FF13;
        QTest::newRow("play") << int(Qt::Key_MediaPlay) << 0 << 0xB3 << 0 << 0x1008FF14;
    }

    void hotKeyTakesEveryKey()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, code);
        QFETCH(int, flags);
        QFETCH(int, keySym);
        SheetFixture f;
        CHotKeyCtrl* hotKey = f.sheet->AgentPage()->HotKey();
        hotKey->setFocus();
        QTest::keyClick(hotKey, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(hotKey->KeyCode(), quint32(code));
        QCOMPARE(hotKey->ModifierFlags(), quint32(flags));
        f.sheet->findChild<QPushButton*>(QStringLiteral("setHotKeys"))->click();
        QCOMPARE(InFile(f.path, QStringLiteral("Hotkey")).toInt(), code);
        QCOMPARE(InFile(f.path, QStringLiteral("HotkeyMod")).toInt(), flags);
        QCOMPARE(AgentHotKey::KeySym(quint32(code)), quint32(keySym));
        // The stored key shows again as the same key.
        f.Reopen();
        CHotKeyCtrl* shown = f.sheet->AgentPage()->HotKey();
        QCOMPARE(shown->KeyCode(), quint32(code));
        QCOMPARE(VirtualKeys::CodeOf(VirtualKeys::KeyOf(quint32(code))), quint32(code));
        QVERIFY(shown->text() != QStringLiteral("None"));
    }

    void trayBoxShowsTheIconOfAFreshInstall()
    {
        SheetFixture f;
        QVERIFY(!QFile::exists(f.path) || InFile(f.path, QStringLiteral("TrayIcon")).isNull());
        QVERIFY(f.sheet->AgentPage()->TrayIcon()->isChecked());
        f.sheet->AgentPage()->TrayIcon()->click();
        QCOMPARE(InFile(f.path, QStringLiteral("TrayIcon")).toInt(), 0);
        f.Reopen();
        QVERIFY(!f.sheet->AgentPage()->TrayIcon()->isChecked());
    }

    void runAtStartWritesTheLogInEntryWithoutTheAgent()
    {
        const QString agent = QStringLiteral("/opt/quorvel/bin/QVAgent");
        SheetFixture f([&](OptionsContext& context) { context.agentPath = agent; });
        QFile::remove(AgentAutostart::EntryPath());
        COptAgentPg* page = f.sheet->AgentPage();
        page->StartupAgent()->click();
        QCOMPARE(InFile(f.path, QStringLiteral("StartupAgent")).toInt(), 2112);
        QFile entry(AgentAutostart::EntryPath());
        QVERIFY(entry.open(QIODevice::ReadOnly));
        QVERIFY(entry.readAll().contains("Exec=/opt/quorvel/bin/QVAgent\n"));
        entry.close();
        QCOMPARE(f.starts, 0); // no agent was started to write it
        // Running only with the program clears the other box and the entry with it.
        page->RunAgent()->click();
        QVERIFY(!page->StartupAgent()->isChecked());
        QVERIFY(!QFile::exists(AgentAutostart::EntryPath()));
        page->StartupAgent()->click();
        QVERIFY(QFile::exists(AgentAutostart::EntryPath()));
        page->StartupAgent()->click();
        QVERIFY(!QFile::exists(AgentAutostart::EntryPath()));
    }

    void withoutGlobalHotKeysThePageOffersTheShortcutCommand()
    {
        SheetFixture x11(
            [](OptionsContext& context) { context.agentPath = QStringLiteral("/usr/bin/QVAgent"); });
        QVERIFY(!x11.sheet->AgentPage()->HotKeyNote());

        SheetFixture f([](OptionsContext& context) {
            context.agentPath = QStringLiteral("/usr/bin/QVAgent");
            context.hotKeysUnavailable = true;
        });
        COptAgentPg* page = f.sheet->AgentPage();
        QVERIFY(page->HotKeyNote());
        QVERIFY(page->HotKeyNote()->text().contains(QLatin1String("do nothing here")));
        QCOMPARE(page->CaptureCommand()->text(), QStringLiteral("/usr/bin/QVAgent --capture"));
        QVERIFY(page->CaptureCommand()->isReadOnly());
        f.sheet->findChild<QPushButton*>(QStringLiteral("copyCaptureCommand"))->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("/usr/bin/QVAgent --capture"));

        // A folder with blanks is quoted for the desktop's command line.
        SheetFixture spaced([](OptionsContext& context) {
            context.agentPath = QStringLiteral("/home/me/My Programs/QVAgent");
            context.hotKeysUnavailable = true;
        });
        QCOMPARE(spaced.sheet->AgentPage()->CaptureCommand()->text(),
                 QStringLiteral("\"/home/me/My Programs/QVAgent\" --capture"));
    }

    void editFontIsStoredWithItsColourAndReadBack()
    {
        SheetFixture f([](OptionsContext& context) { context.chooseFont = &CFontColourDlg::Choose; });
        QString offered;
        QTimer::singleShot(50, [&offered] {
            auto* dialog = qobject_cast<CFontColourDlg*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            offered = dialog->ColourList()->currentText();
            dialog->ColourList()->setCurrentIndex(dialog->ColourList()->findText(QStringLiteral("Maroon")));
            dialog->accept();
        });
        f.sheet->findChild<QPushButton*>(QStringLiteral("editTextFont"))->click();
        QCOMPARE(offered, QStringLiteral("Black")); // as stored: the default, black
        QSettings file(f.path, QSettings::IniFormat);
        QCOMPARE(file.value(QStringLiteral("EditTextFont/Red")).toInt(), 128);
        QCOMPARE(file.value(QStringLiteral("EditTextFont/Green")).toInt(), 0);
        QCOMPARE(file.value(QStringLiteral("EditTextFont/Blue")).toInt(), 0);
        const NoteTextFont font = NoteTextFont::Load(f.backend);
        QCOMPARE(font.colour, QColor(128, 0, 0));
        QCOMPARE(font.TypedColour(), QColor(128, 0, 0));

        // Opened again, the dialog offers the stored colour; a colour of no name stays.
        FontSetting teal = NoteTextFont::DefaultSetting();
        teal.Green = 128;
        teal.Blue = 128;
        QCOMPARE(CFontColourDlg(teal).ColourList()->currentText(), QStringLiteral("Teal"));
        FontSetting odd = teal;
        odd.Red = 17;
        CFontColourDlg custom(odd);
        QCOMPARE(custom.ColourList()->currentText(), QStringLiteral("Custom"));
        QCOMPARE(custom.Chosen().Red, 17);
        QCOMPARE(custom.Chosen().Green, 128);
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
