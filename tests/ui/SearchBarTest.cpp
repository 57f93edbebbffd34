#include "ui/CChromaToolBar.h"
#include "ui/CSearchEditBox.h"
#include "ui/CZol3StageButton.h"

#include <QComboBox>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class SearchBarTest : public QObject
{
    Q_OBJECT

private slots:
    void zoomListEntriesAndValues()
    {
        CChromaToolBar bar;
        const QList<int> values = {200, 175, 150, 125, 115, 100, 90, 80, 70, 60, 50, 40, 30, 20, 10};
        QCOMPARE(bar.ZoomList()->count(), values.size());
        for (int i = 0; i < values.size(); ++i) {
            QCOMPARE(bar.ZoomList()->itemText(i), QString::number(values[i]) + QLatin1Char('%'));
            QCOMPARE(bar.ZoomList()->itemData(i).toInt(), values[i]);
        }
        bar.SetZoom(1.5);
        QCOMPARE(bar.ZoomList()->currentText(), QStringLiteral("150%"));
        // A factor with no entry of its own shows "115%".
        bar.SetZoom(0.95);
        QCOMPARE(bar.ZoomList()->currentText(), QStringLiteral("115%"));

        QSignalSpy zoom(&bar, &CChromaToolBar::ZoomChosen);
        emit bar.ZoomList()->activated(6);
        QCOMPARE(zoom.count(), 1);
        QCOMPARE(zoom.first().first().toDouble(), 0.9);
    }

    void sortListEntriesAndValues()
    {
        CChromaToolBar bar;
        const QList<QPair<QString, int>> entries = {
            {u"Add: To Top"_s, 705},
            {u"Add: To Bottom"_s, 805},
            {u"Source: A to Z"_s, 703},
            {u"Source: Z to A"_s, 803},
            {u"Categories: A to Z"_s, 704},
            {u"Categories: Z to A"_s, 804},
            {u"Date Added: Past to Present"_s, 701},
            {u"Date Added: Present to Past"_s, 801},
        };
        QCOMPARE(bar.SortList()->count(), entries.size());
        for (int i = 0; i < entries.size(); ++i) {
            QCOMPARE(bar.SortList()->itemText(i), entries[i].first);
            QCOMPARE(bar.SortList()->itemData(i).toInt(), entries[i].second);
        }
        bar.SetSort(804);
        QCOMPARE(bar.SortList()->currentText(), QStringLiteral("Categories: Z to A"));
        QSignalSpy sort(&bar, &CChromaToolBar::SortChosen);
        emit bar.SortList()->activated(0);
        QCOMPARE(sort.first().first().toInt(), 705);
    }

    void buttonsSlideOutOnNarrowBars()
    {
        QCOMPARE(CChromaToolBar::OffsetForWidth(951), 0);
        QCOMPARE(CChromaToolBar::OffsetForWidth(950), -29);
        QCOMPARE(CChromaToolBar::OffsetForWidth(901), -29);
        QCOMPARE(CChromaToolBar::OffsetForWidth(900), -70);

        CChromaToolBar bar;
        bar.resize(920, 36);
        bar.show();
        QCOMPARE(bar.CommandButton(32830)->x(), -29);
        QCOMPARE(bar.CommandButton(32787)->x(), 0);
        QCOMPARE(bar.CommandButton(32823)->x(), -29 + 210);
        bar.resize(1200, 36);
        QCOMPARE(bar.CommandButton(32830)->x(), 0);
        QCOMPARE(bar.CommandButton(32782)->x(), 70);
        // The field ends 88 pixels from the right edge, the run button 4 pixels later.
        QCOMPARE(bar.SearchField()->geometry().right() + 1, 1200 - 88);
        QCOMPARE(bar.RunButton(11)->x(), 1200 - 84);
        QCOMPARE(bar.SearchField()->x(), 1200 - 393);
    }

    void hintIsNeverSearched()
    {
        QWidget window;
        auto* bar = new CChromaToolBar(&window);
        bar->resize(1200, 36);
        window.show();
        CSearchEditBox* field = bar->SearchField();
        QCOMPARE(field->text(), QStringLiteral("Search Notes"));
        QVERIFY(field->font().italic());
        QCOMPARE(field->font().pixelSize(), 16);

        QSignalSpy searches(bar, &CChromaToolBar::SearchRequested);
        bar->RunSearch(); // the hint shows: nothing to search
        QCOMPARE(searches.count(), 0);

        QFocusEvent in(QEvent::FocusIn);
        QApplication::sendEvent(field, &in);
        QVERIFY(field->HasUserText());
        QCOMPARE(field->text(), QString());
        QCOMPARE(field->font().pixelSize(), 17);
        QCOMPARE(field->font().weight(), QFont::DemiBold);

        QTest::keyClicks(field, QStringLiteral("   "));
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(searches.count(), 0); // only blanks

        field->setText(QStringLiteral("  apple AND pear "));
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(searches.count(), 1);
        QCOMPARE(searches.first().at(0).toString(), QStringLiteral("apple AND pear"));
        QCOMPARE(searches.first().at(1).toInt(), 11);

        // The mode decides the run button and the scope; the text stays.
        bar->SetSearchMode(24);
        QVERIFY(bar->RunButton(24)->isVisible());
        QVERIFY(!bar->RunButton(11)->isVisible());
        bar->SetSearchMode(11);
        QCOMPARE(field->text(), QStringLiteral("  apple AND pear "));
        bar->SetSearchMode(24);
        bar->RunSearch();
        QCOMPARE(searches.last().at(1).toInt(), 24);

        // Leaving an empty field brings the hint back.
        field->clear();
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(field, &out);
        QVERIFY(!field->HasUserText());
        QCOMPARE(field->text(), QStringLiteral("Search Notes"));
    }

    void toolTipsOfTheRunButtons()
    {
        CChromaToolBar bar;
        QCOMPARE(bar.RunButton(11)->toolTip(), QStringLiteral("Run Database Search"));
        QCOMPARE(bar.RunButton(24)->toolTip(), QStringLiteral("Run Current Notes Search"));
        QCOMPARE(bar.CommandButton(32835)->toolTip(), QStringLiteral("Search Options"));
        QCOMPARE(bar.CommandButton(32838)->toolTip(), QStringLiteral("Access Quorvel Online"));
        QCOMPARE(bar.windowTitle(), QStringLiteral("Quorvel SearchBar"));
    }
};

QTEST_MAIN(SearchBarTest)
#include "SearchBarTest.moc"
