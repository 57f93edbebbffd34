#include "editor/widgets/NamedColours.h"
#include "ui/CZol3StageButton.h"
#include "ui/CZolCheckBmpBtn.h"
#include "ui/CZolColourList.h"
#include "ui/SkinBitmaps.h"

#include <QApplication>
#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class SkinnedControlsTest : public QObject
{
    Q_OBJECT

private:
    static void Enter(QWidget* widget)
    {
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)));
        QApplication::sendEvent(widget, &enter);
    }
    static void Leave(QWidget* widget)
    {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(widget, &leave);
    }

    // Pixels darker or more saturated than any part of the bevelled face: glyph ink.
    static int InkPixels(const QPixmap& pixmap)
    {
        const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                count += c.alpha() > 200 && std::min({c.red(), c.green(), c.blue()}) < 120;
            }
        return count;
    }

private slots:
    // Every glyph is drawn from its own file: a file missing from the resources would
    // leave the bare face, two glyphs sharing one file would look alike.
    void everyGlyphIsDrawnAndDistinct()
    {
        using SkinBitmaps::Glyph;
        using SkinBitmaps::State;
        QList<QImage> seen;
        for (int g = 0; g <= static_cast<int>(Glyph::ImageRestore); ++g) {
            const QPixmap normal = SkinBitmaps::Make(Glyph(g), State::Normal, QSize(28, 28));
            QCOMPARE(normal.size(), QSize(28, 28));
            QVERIFY2(InkPixels(normal) > 8, qPrintable(QString::number(g)));
            const QImage image = normal.toImage();
            QVERIFY2(!seen.contains(image), qPrintable(QString::number(g)));
            seen.append(image);
            // The same arguments give the same picture; pressed, the glyph sinks in.
            QCOMPARE(SkinBitmaps::Make(Glyph(g), State::Normal, QSize(28, 28)).toImage(), image);
            const QImage pressed = SkinBitmaps::Make(Glyph(g), State::Pressed, QSize(28, 28)).toImage();
            QVERIFY(pressed != image);
        }
    }

    void threeStateButtonFollowsTheMouse()
    {
        QWidget parent;
        CZol3StageButton button(&parent, 32830);
        button.SetGlyph(SkinBitmaps::Glyph::Import, QSize(28, 28));
        button.setGeometry(10, 10, 28, 28);
        parent.show();
        QCOMPARE(button.CurrentBitmap(), CZol3StageButton::Drawn::Normal);
        Enter(&button);
        QCOMPARE(button.CurrentBitmap(), CZol3StageButton::Drawn::Hover);
        Leave(&button);
        QCOMPARE(button.CurrentBitmap(), CZol3StageButton::Drawn::Normal);

        // Held down it draws pressed; a click reports the command id.
        QSignalSpy commands(&button, &CZol3StageButton::Command);
        QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(button.CurrentBitmap(), CZol3StageButton::Drawn::Pressed);
        QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(commands.count(), 1);
        QCOMPARE(commands.first().first().toInt(), 32830);
        QCOMPARE(button.CurrentBitmap(), CZol3StageButton::Drawn::Normal);

        // Released outside: no click, drawn normal again.
        QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(200, 200));
        QCOMPARE(commands.count(), 1);
        QCOMPARE(button.CurrentBitmap(), CZol3StageButton::Drawn::Normal);
    }

    void buttonWithoutBitmapsDrawsNothing()
    {
        CZol3StageButton button(nullptr, 1);
        QCOMPARE(button.CurrentBitmap(), CZol3StageButton::Drawn::Nothing);
    }

    void sizeToBitmapKeepsTheAskedEdges()
    {
        QWidget parent;
        CZol3StageButton button(&parent, 1);
        button.SetGlyph(SkinBitmaps::Glyph::Online, QSize(20, 16));
        button.setGeometry(100, 50, 40, 40); // right edge 139, bottom 89
        button.SizeToBitmap(true, false);
        QCOMPARE(button.geometry(), QRect(120, 50, 20, 16));
        button.setGeometry(100, 50, 40, 40);
        button.SizeToBitmap(false, true);
        QCOMPARE(button.geometry(), QRect(100, 74, 20, 16));
    }

    void checkButtonTogglesAndLeavingClearsIt()
    {
        QWidget parent;
        CZolCheckBmpBtn button(&parent, 32835);
        button.SetGlyph(SkinBitmaps::Glyph::Dropdown, QSize(12, 28));
        button.setGeometry(0, 0, 12, 28);
        parent.show();
        Enter(&button);
        QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(3, 3));
        QVERIFY(button.PressedFlag());
        QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(3, 3));
        QVERIFY(button.PressedFlag()); // release clears only the hover
        QVERIFY(!button.Hovering());
        QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(3, 3));
        QVERIFY(!button.PressedFlag());
        QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(3, 3));
        QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(3, 3));
        QVERIFY(button.PressedFlag());
        Leave(&button);
        QVERIFY(!button.PressedFlag());
        QVERIFY(!button.Hovering());
    }

    void colourListHoldsTheSixteenNamedColours()
    {
        CZolColourList list;
        list.FillColours(9);
        const QStringList names = {u"Black"_s, u"Maroon"_s,  u"Green"_s,  u"Olive"_s, u"Navy"_s, u"Purple"_s,
                                   u"Teal"_s,  u"Grey"_s,    u"Silver"_s, u"Red"_s,   u"Lime"_s, u"Yellow"_s,
                                   u"Blue"_s,  u"Fuchsia"_s, u"Aqua"_s,   u"White"_s};
        QCOMPARE(list.count(), 16);
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(list.itemText(i), names[i]);
        QCOMPARE(list.currentIndex(), 9);
        list.FillColours(3);
        QCOMPARE(list.count(), 16);
        QCOMPARE(list.currentIndex(), 3);

        // The values stay a step or two away from the pure colours.
        QCOMPARE(NamedColours::Colour(0), QColor(1, 2, 1));
        QCOMPARE(NamedColours::Colour(8), QColor(190, 191, 193));
        QCOMPARE(NamedColours::Colour(14), QColor(2, 254, 253));
        QCOMPARE(NamedColours::Colour(15), QColor(254, 254, 254));
        // Outside the table: the colour of index 9, red.
        QCOMPARE(NamedColours::Colour(16), QColor(254, 2, 1));
        QCOMPARE(NamedColours::Colour(-1), QColor(254, 2, 1));
    }
};

QTEST_MAIN(SkinnedControlsTest)
#include "SkinnedControlsTest.moc"
