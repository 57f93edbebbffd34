#include "store/Settings.h"

#include "store/IniSettingsBackend.h"
#include "store/MemorySettingsBackend.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kOptions = QStringLiteral("Options");

QByteArray RectBytes(qint32 left, qint32 top, qint32 right, qint32 bottom)
{
    QByteArray bytes;
    for (qint32 v : {left, top, right, bottom}) {
        const quint32 u = static_cast<quint32>(v);
        bytes.append(char(u & 0xff))
            .append(char((u >> 8) & 0xff))
            .append(char((u >> 16) & 0xff))
            .append(char(u >> 24));
    }
    return bytes;
}

} // namespace

// A first start with no stored settings: control bar shown, sources and categories
// shown at the bottom of each note, "Add: To Bottom", MaxNoteID from 1000.
TEST(SettingsTest, EmptyStoreGivesTheDefaultsOfTheTable)
{
    MemorySettingsBackend backend;
    Settings s;
    s.MaxNoteID = 7; // must be overwritten by the default
    s.Load(backend, QSize(1920, 1080));
    EXPECT_EQ(s.Maximized, 1);
    EXPECT_TRUE(s.FrameRect.IsNull());
    EXPECT_TRUE(s.ViewSrcRect.IsNull());
    EXPECT_TRUE(s.EditNoteRect.IsNull());
    EXPECT_EQ(s.ShowSources, 1);
    EXPECT_EQ(s.SourceSize, 15);
    EXPECT_EQ(s.SourceFormat, 1);
    EXPECT_EQ(s.MaxNoteID, 1000);
    EXPECT_EQ(s.NoteSortID, 805);
    EXPECT_EQ(s.ShowCats, 1);
    EXPECT_EQ(s.CatsTop, 0);
    EXPECT_EQ(s.SourceTop, 0);
    EXPECT_EQ(s.ListSelection, QStringLiteral("<SAVE_NEW_LIST>"));
    EXPECT_EQ(s.ProgVersion, QStringLiteral("-1"));
    EXPECT_DOUBLE_EQ(s.ZoomLvl, 1.0);
    EXPECT_EQ(s.ShowCtrlBar, 1);
    EXPECT_EQ(s.ActIndCtrlBar, 0);
    EXPECT_EQ(s.CtrlBarSortSrc, 30);
    EXPECT_EQ(s.MaxAuthorID, 1);
    EXPECT_EQ(s.ShowSrcFilters, 1);
    EXPECT_EQ(s.CheckForUpdates, 1);
    EXPECT_EQ(s.EnableSpellCheck, 1);
    EXPECT_EQ(s.szSaveWarning, 1);
    EXPECT_EQ(s.MarkBold, 0);
    EXPECT_EQ(s.MarkStrike, 0);
    EXPECT_EQ(s.MarkItalics, 1);
    EXPECT_EQ(s.MarkUnderline, 1);
    EXPECT_EQ(s.MarkSelColor, 9);
    EXPECT_NE(s.RunAgent, 2112);
    EXPECT_EQ(s.ImgTitleFont.FaceName, QStringLiteral("Times New Roman"));
    EXPECT_EQ(s.ImgTitleFont.Height, 20);
    EXPECT_EQ(s.ImgTitleFont.Weight, 700);
    EXPECT_FALSE(s.ProgVersionNumber() > 0); // first start
}

TEST(SettingsTest, WrongKindsReadAsDefaults)
{
    MemorySettingsBackend backend;
    backend.SetValue(kOptions, QStringLiteral("MaxNoteID"), QStringLiteral("lots"));
    backend.SetValue(kOptions, QStringLiteral("NoteSortID"), QStringLiteral("703"));
    backend.SetValue(kOptions, QStringLiteral("EditNoteRect"), QByteArray(15, 'x'));
    backend.SetValue(kOptions, QStringLiteral("ViewSrcRect"), QStringLiteral("0123456789abcdef"));
    Settings s;
    s.Load(backend);
    EXPECT_EQ(s.MaxNoteID, 1000);
    EXPECT_EQ(s.NoteSortID, 703); // INI files hold numbers as text
    EXPECT_TRUE(s.EditNoteRect.IsNull());
    EXPECT_TRUE(s.ViewSrcRect.IsNull());
}

// Every value written in table order, "ProgVersion" again as the running version, and
// "RunAgent" only by its own save.
TEST(SettingsTest, SaveWritesTheTableInOrderThenTheVersion)
{
    MemorySettingsBackend backend;
    Settings s;
    s.ProgVersion = QStringLiteral("1.2");
    ASSERT_TRUE(s.Save(backend));
    QStringList names;
    for (const QString& write : backend.Writes()) {
        if (write.startsWith(QLatin1String("Options/")))
            names.append(write.mid(8));
    }
    const QStringList expected
        = QStringLiteral(
              "Maximized FrameRect ViewSrcRect EditNoteRect ShowSources SourceSize SourceFormat MaxNoteID "
              "NoteSortID "
              "ShowCats CatsTop SourceTop ListSelection ProgVersion ZoomLvl ShowCtrlBar ActIndCtrlBar "
              "CtrlBarSortSrc "
              "MaxAuthorID ShowSrcFilters CheckForUpdates EnableSpellCheck szSaveWarning MarkBold MarkStrike "
              "MarkItalics MarkUnderline MarkSelColor ProgVersion")
              .split(QLatin1Char(' '));
    EXPECT_EQ(names, expected);
    EXPECT_EQ(backend.Value(kOptions, QStringLiteral("ProgVersion")).toString(), QStringLiteral("1.34"));
    EXPECT_FALSE(backend.Contains(kOptions, QStringLiteral("RunAgent")));
    EXPECT_TRUE(backend.Contains(QStringLiteral("ImgTitleFont"), QStringLiteral("FaceName")));
    s.RunAgent = 2112;
    ASSERT_TRUE(s.SaveRunAgent(backend));
    EXPECT_EQ(backend.Value(kOptions, QStringLiteral("RunAgent")).toInt(), 2112);
}

TEST(SettingsTest, RectanglesAreSixteenLittleEndianBytes)
{
    MemorySettingsBackend backend;
    Settings s;
    s.FrameRect = {10, 20, 800, -3};
    ASSERT_TRUE(s.Save(backend));
    EXPECT_EQ(backend.Value(kOptions, QStringLiteral("FrameRect")).toByteArray(), RectBytes(10, 20, 800, -3));

    backend.SetValue(kOptions, QStringLiteral("EditNoteRect"), RectBytes(1, 2, 258, 65539));
    Settings back;
    back.Load(backend);
    EXPECT_EQ(back.EditNoteRect, (StoredRect {1, 2, 258, 65539}));
}

// The main window's rectangle is kept only when at least 10 x 10 pixels of it lie on the
// screen, e.g. not after the monitor it was on was removed.
TEST(SettingsTest, FrameRectOffTheScreenIsDiscarded)
{
    const QSize screen(1024, 768);
    struct Case
    {
        StoredRect rect;
        bool kept;
    } cases[] = {
        {{100, 100, 900, 700}, true},
        {{1500, 100, 2300, 700}, false}, // entirely right of the screen
        {{-800, 100, 9, 700}, false}, // 9 pixels wide on screen
        {{-800, 100, 10, 700}, true}, // exactly 10
        {{100, 758, 900, 1400}, true}, // 10 pixels high at the bottom edge
        {{100, 759, 900, 1400}, false}, // 9 pixels
        {{-3000, -3000, -2000, -2000}, false},
    };
    for (const Case& c : cases) {
        MemorySettingsBackend backend;
        backend.SetValue(kOptions, QStringLiteral("FrameRect"),
                         RectBytes(c.rect.left, c.rect.top, c.rect.right, c.rect.bottom));
        Settings s;
        s.Load(backend, screen);
        EXPECT_EQ(s.FrameRect, c.kept ? c.rect : StoredRect {}) << c.rect.left << "," << c.rect.top;
        // Without a screen (command line) the rectangle is carried through.
        s.Load(backend);
        EXPECT_EQ(s.FrameRect, c.rect);
    }
}

TEST(SettingsTest, ZoomIsAFactorStoredAsTruncatedPercent)
{
    MemorySettingsBackend backend;
    backend.SetValue(kOptions, QStringLiteral("ZoomLvl"), 150);
    Settings s;
    s.Load(backend);
    EXPECT_DOUBLE_EQ(s.ZoomLvl, 1.5);
    ASSERT_TRUE(s.Save(backend));
    EXPECT_EQ(backend.Value(kOptions, QStringLiteral("ZoomLvl")).toInt(), 150);

    s.ZoomLvl = 1.259; // truncated, not rounded
    ASSERT_TRUE(s.Save(backend));
    EXPECT_EQ(backend.Value(kOptions, QStringLiteral("ZoomLvl")).toInt(), 125);
}

TEST(SettingsTest, FontSections)
{
    MemorySettingsBackend backend;
    FontSetting defaults;
    defaults.FaceName = QStringLiteral("Times New Roman");
    defaults.Height = 18;
    defaults.Weight = 400;
    defaults.Red = 1;
    defaults.Green = 2;
    defaults.Blue = 1;
    // An empty section yields exactly the defaults.
    EXPECT_EQ(Settings::LoadFontSetting(backend, QStringLiteral("EditTextFont"), defaults), defaults);

    // A missing value comes from the default, the others from the section.
    backend.SetValue(QStringLiteral("EditTextFont"), QStringLiteral("FaceName"), QStringLiteral("Courier"));
    backend.SetValue(QStringLiteral("EditTextFont"), QStringLiteral("Blue"), 253);
    FontSetting expected = defaults;
    expected.FaceName = QStringLiteral("Courier");
    expected.Blue = 253;
    EXPECT_EQ(Settings::LoadFontSetting(backend, QStringLiteral("EditTextFont"), defaults), expected);

    // Height 0 is saved as 12.
    FontSetting zero = expected;
    zero.Height = 0;
    zero.Italic = 1;
    Settings::SaveFontSetting(backend, QStringLiteral("ImgTitleFont"), zero);
    const FontSetting back = Settings::LoadFontSetting(backend, QStringLiteral("ImgTitleFont"), defaults);
    EXPECT_EQ(back.Height, 12);
    EXPECT_EQ(back.Italic, 1);
    EXPECT_EQ(back.FaceName, QStringLiteral("Courier"));
}

// Through a real INI file: every value comes back as written, rectangles included.
TEST(SettingsTest, IniFileRoundTrip)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Quorvel.ini"));
    Settings s;
    s.Maximized = 0;
    s.FrameRect = {-5, 7, 1000, 700};
    s.MaxNoteID = 4711;
    s.MaxAuthorID = 33;
    s.NoteSortID = 702;
    s.ListSelection = QStringLiteral("<SAVE_NEW_LIST>");
    s.ZoomLvl = 1.5;
    s.MarkSelColor = 12;
    s.RunAgent = 2112;
    s.ImgTitleFont.FaceName = QStringLiteral("DejaVu Sans");
    {
        IniSettingsBackend backend(path);
        ASSERT_TRUE(s.Save(backend));
        ASSERT_TRUE(s.SaveRunAgent(backend));
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("[Options]"));
    EXPECT_TRUE(text.contains("[ImgTitleFont]"));

    IniSettingsBackend backend(path);
    Settings back;
    back.Load(backend);
    EXPECT_EQ(back.Maximized, 0);
    EXPECT_EQ(back.FrameRect, s.FrameRect);
    EXPECT_EQ(back.MaxNoteID, 4711);
    EXPECT_EQ(back.MaxAuthorID, 33);
    EXPECT_EQ(back.NoteSortID, 702);
    EXPECT_DOUBLE_EQ(back.ZoomLvl, 1.5);
    EXPECT_EQ(back.MarkSelColor, 12);
    EXPECT_EQ(back.RunAgent, 2112);
    EXPECT_EQ(back.ProgVersion, QStringLiteral("1.34"));
    EXPECT_EQ(back.ImgTitleFont.FaceName, QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(back.ImgTitleFont.Weight, 700);
}
