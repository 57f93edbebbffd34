// The note's rich-text control: every formatting command survives a save and a second
// save unchanged, and the list keys follow the note editor's rules.
#include "editor/CNoteEditCtrl.h"

#include "editor/CLinkHighlighter.h"
#include "editor/widgets/RichDocumentMapper.h"
#include "richtext/RtfReader.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>
#include <QTextBlock>

namespace {

RichDocument Read(const QString& richText)
{
    return RtfReader::Read(RichDocumentMapper::RtfBytes(richText));
}

// Selects characters [from, to) of the text.
void Select(CNoteEditCtrl& control, int from, int to)
{
    QTextCursor cursor = control.textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    control.setTextCursor(cursor);
}

void Type(CNoteEditCtrl& control, const QString& text)
{
    QTest::keyClicks(&control, text);
}

void Key(CNoteEditCtrl& control, Qt::Key key)
{
    QTest::keyClick(&control, key);
}

void CaretToStartOfBlock(CNoteEditCtrl& control, int blockNumber)
{
    QTextCursor cursor(control.document()->findBlockByNumber(blockNumber));
    control.setTextCursor(cursor);
}

RichParagraphFormat BlockFormat(const CNoteEditCtrl& control, int blockNumber)
{
    return RichDocumentMapper::ParagraphFormat(
        control.document()->findBlockByNumber(blockNumber).blockFormat());
}

QString Label(const CNoteEditCtrl& control, int blockNumber)
{
    return RichDocumentMapper::ListLabel(control.document()->findBlockByNumber(blockNumber));
}

} // namespace

class CNoteEditCtrlTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CNoteEditCtrl> m_control;

    // The stored text after a save, a reopening and a second save must be the same bytes.
    QString SavedTwice(QString* first = nullptr)
    {
        const QString once = m_control->RichText();
        CNoteEditCtrl reopened;
        reopened.SetDefaultFont(m_control->document()->defaultFont());
        reopened.SetRichText(once);
        if (first)
            *first = once;
        return reopened.RichText();
    }

private slots:
    void init()
    {
        m_control = std::make_unique<CNoteEditCtrl>();
        m_control->SetDefaultFont(QFont(QStringLiteral("Times New Roman"), 12));
        m_control->Attach(true, false);
        m_control->resize(500, 300);
        m_control->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_control.get()));
    }

    void cleanup() { m_control.reset(); }

    void characterCommandsSurviveTwoSaves()
    {
        Type(*m_control, QStringLiteral("plain bold italic under red mark face big"));
        Select(*m_control, 6, 10);
        m_control->SetBold(true);
        Select(*m_control, 11, 17);
        m_control->SetItalic(true);
        Select(*m_control, 18, 23);
        m_control->SetUnderline(true);
        Select(*m_control, 24, 27);
        m_control->SetTextColour(QColor(255, 0, 0));
        Select(*m_control, 28, 32);
        m_control->SetHighlight(QColor(255, 255, 0));
        Select(*m_control, 33, 37);
        m_control->SetFaceName(QStringLiteral("Courier New"));
        Select(*m_control, 38, 41);
        m_control->SetPointSize(18);

        QString first;
        QCOMPARE(SavedTwice(&first), first);
        const RichDocument model = Read(first);
        QCOMPARE(model.paragraphs.size(), 1);
        QCOMPARE(model.PlainText(), QStringLiteral("plain bold italic under red mark face big"));
        const QList<RichRun>& runs = model.paragraphs.first().runs;
        auto runOf = [&](const QString& text) {
            for (const RichRun& run : runs)
                if (run.text == text)
                    return run.format;
            qWarning() << "no run" << text;
            return RichCharFormat();
        };
        QVERIFY(runOf(QStringLiteral("bold")).bold);
        QVERIFY(runOf(QStringLiteral("italic")).italic);
        QVERIFY(runOf(QStringLiteral("under")).underline);
        QCOMPARE(runOf(QStringLiteral("red")).textColour, std::optional<quint32>(0xFF0000));
        QCOMPARE(runOf(QStringLiteral("mark")).backgroundColour, std::optional<quint32>(0xFFFF00));
        QCOMPARE(runOf(QStringLiteral("face")).fontFamily, QStringLiteral("Courier New"));
        QCOMPARE(runOf(QStringLiteral("big")).sizeHalfPoints, 36);
        QCOMPARE(runOf(QStringLiteral("plain ")).fontFamily, QStringLiteral("Times New Roman"));
        QCOMPARE(runOf(QStringLiteral("plain ")).sizeHalfPoints, 24);
    }

    void highlightingWithWhiteRemovesTheHighlight()
    {
        Type(*m_control, QStringLiteral("marked"));
        Select(*m_control, 0, 6);
        m_control->SetHighlight(QColor(0, 255, 255));
        m_control->SetHighlight(QColor(255, 255, 255));
        const RichDocument model = Read(m_control->RichText());
        QCOMPARE(model.paragraphs.first().runs.size(), 1);
        QCOMPARE(model.paragraphs.first().runs.first().format.backgroundColour, std::nullopt);
    }

    void paragraphCommandsSurviveTwoSaves()
    {
        Type(*m_control, QStringLiteral("centre"));
        Key(*m_control, Qt::Key_Return);
        Type(*m_control, QStringLiteral("right"));
        Key(*m_control, Qt::Key_Return);
        Type(*m_control, QStringLiteral("bullet"));
        Key(*m_control, Qt::Key_Return);
        Type(*m_control, QStringLiteral("one"));
        Key(*m_control, Qt::Key_Return);
        Type(*m_control, QStringLiteral("two"));
        CaretToStartOfBlock(*m_control, 0);
        m_control->AlignCentre();
        CaretToStartOfBlock(*m_control, 1);
        m_control->AlignRight();
        CaretToStartOfBlock(*m_control, 2);
        m_control->SetBullets(true, 0);
        Select(*m_control, m_control->document()->findBlockByNumber(3).position(),
               m_control->document()->characterCount() - 1);
        m_control->SetNumbering(true, 5, -1, -1);

        QString first;
        QCOMPARE(SavedTwice(&first), first);
        const RichDocument model = Read(first);
        QCOMPARE(model.paragraphs.size(), 5);
        QCOMPARE(model.paragraphs[0].format.alignment, RichParagraphFormat::Alignment::Centre);
        QCOMPARE(model.paragraphs[1].format.alignment, RichParagraphFormat::Alignment::Right);
        QCOMPARE(model.paragraphs[2].format.list.style, RichListStyle::Bullet);
        QCOMPARE(model.paragraphs[3].format.list.style, RichListStyle::LowerRoman);
        QCOMPARE(model.paragraphs[4].format.list, model.paragraphs[3].format.list);
        QCOMPARE(Label(*m_control, 3), QStringLiteral("i)"));
        QCOMPARE(Label(*m_control, 4), QStringLiteral("ii)"));
        QCOMPARE(m_control->PlainText(), QStringLiteral("centre\nright\nbullet\none\ntwo"));
    }

    void arrowShortcutMakesOneWingdingsArrow()
    {
        Type(*m_control, QStringLiteral("a-->b"));
        const RichDocument model = Read(m_control->RichText());
        QCOMPARE(model.PlainText(), QStringLiteral("a") + QChar(224) + QStringLiteral("b"));
        QCOMPARE(model.paragraphs.first().runs.size(), 3);
        QCOMPARE(model.paragraphs.first().runs[1].format.fontFamily, QStringLiteral("Wingdings"));
        // Typing goes on in the font used before the arrow.
        QCOMPARE(model.paragraphs.first().runs[2].format.fontFamily, QStringLiteral("Times New Roman"));
        QCOMPARE(SavedTwice(), m_control->RichText());
    }

    void arrowShortcutNeedsTwoDashesInARow()
    {
        Type(*m_control, QStringLiteral("-x->"));
        QCOMPARE(m_control->PlainText(), QStringLiteral("-x->"));
    }

    void tabAndBackspaceNestNumberedLines()
    {
        Type(*m_control, QStringLiteral("first"));
        m_control->SetNumbering(true, 2, 1, 0);
        Key(*m_control, Qt::Key_Return);
        Type(*m_control, QStringLiteral("second"));
        QCOMPARE(Label(*m_control, 0), QStringLiteral("1)"));
        QCOMPARE(Label(*m_control, 1), QStringLiteral("2)"));

        CaretToStartOfBlock(*m_control, 1);
        Key(*m_control, Qt::Key_Tab);
        QCOMPARE(BlockFormat(*m_control, 1).leftIndent, 300);
        QCOMPARE(BlockFormat(*m_control, 1).list.style, RichListStyle::LowerLetter);
        QCOMPARE(Label(*m_control, 1), QStringLiteral("a)"));
        Key(*m_control, Qt::Key_Tab);
        QCOMPARE(BlockFormat(*m_control, 1).leftIndent, 600);
        QCOMPARE(Label(*m_control, 1), QStringLiteral("A)"));
        Key(*m_control, Qt::Key_Backspace);
        QCOMPARE(BlockFormat(*m_control, 1).leftIndent, 300);
        QCOMPARE(Label(*m_control, 1), QStringLiteral("a)"));
        QCOMPARE(m_control->PlainText(), QStringLiteral("first\nsecond"));
    }

    void tabInsideALineIsATab()
    {
        Type(*m_control, QStringLiteral("ab"));
        m_control->SetNumbering(true, 2, 1, 0);
        QTextCursor cursor = m_control->textCursor();
        cursor.setPosition(1);
        m_control->setTextCursor(cursor);
        Key(*m_control, Qt::Key_Tab);
        QCOMPARE(m_control->PlainText(), QStringLiteral("a\tb"));
        QCOMPARE(BlockFormat(*m_control, 0).leftIndent, 0);
    }

    void bulletsIndentBy150()
    {
        Type(*m_control, QStringLiteral("dot"));
        m_control->SetBullets(true, 0);
        CaretToStartOfBlock(*m_control, 0);
        Key(*m_control, Qt::Key_Tab);
        QCOMPARE(BlockFormat(*m_control, 0).leftIndent, 150);
        QCOMPARE(BlockFormat(*m_control, 0).list.style, RichListStyle::Bullet);
        Key(*m_control, Qt::Key_Backspace);
        QCOMPARE(BlockFormat(*m_control, 0).leftIndent, 0);
        QCOMPARE(m_control->PlainText(), QStringLiteral("dot"));
    }

    void enterContinuesAndBackspaceEndsNumbering()
    {
        Type(*m_control, QStringLiteral("a"));
        m_control->SetNumbering(true, 2, 1, 0);
        Key(*m_control, Qt::Key_Return);
        Type(*m_control, QStringLiteral("b"));
        Key(*m_control, Qt::Key_Return);
        Type(*m_control, QStringLiteral("c"));
        QCOMPARE(Label(*m_control, 2), QStringLiteral("3)"));
        // Backspace at the start of an unindented numbered line ends its numbering.
        CaretToStartOfBlock(*m_control, 1);
        Key(*m_control, Qt::Key_Backspace);
        QVERIFY(!BlockFormat(*m_control, 1).list.IsList());
        QCOMPARE(m_control->PlainText(), QStringLiteral("a\nb\nc"));
        QCOMPARE(Label(*m_control, 2), QStringLiteral("1)"));
        // Enter at the very start of a numbered line takes its numbering off first.
        CaretToStartOfBlock(*m_control, 2);
        Key(*m_control, Qt::Key_Return);
        QVERIFY(!BlockFormat(*m_control, 3).list.IsList());
        QCOMPARE(m_control->PlainText(), QStringLiteral("a\nb\n\nc"));
    }

    void nestedLinesLeaveTheOuterNumberingRunning()
    {
        Type(*m_control, QStringLiteral("a"));
        m_control->SetNumbering(true, 2, 1, 0);
        for (const char* text : {"b", "c"}) {
            Key(*m_control, Qt::Key_Return);
            Type(*m_control, QLatin1String(text));
        }
        CaretToStartOfBlock(*m_control, 1);
        Key(*m_control, Qt::Key_Tab);
        QCOMPARE(Label(*m_control, 0), QStringLiteral("1)"));
        QCOMPARE(Label(*m_control, 1), QStringLiteral("a)"));
        QCOMPARE(Label(*m_control, 2), QStringLiteral("2)"));
        QString first;
        QCOMPARE(SavedTwice(&first), first);
    }

    void numberStartStopsAtItsFloor()
    {
        Type(*m_control, QStringLiteral("x"));
        m_control->SetNumbering(true, 2, 1, 0);
        m_control->StepNumberStart(false);
        m_control->StepNumberStart(false);
        QCOMPARE(BlockFormat(*m_control, 0).list.start, 0);
        m_control->SetNumbering(true, 3, 1, 0);
        m_control->StepNumberStart(false);
        QCOMPARE(BlockFormat(*m_control, 0).list.start, 1);
        m_control->StepNumberStart(true);
        QCOMPARE(Label(*m_control, 0), QStringLiteral("b)"));
        QString first;
        QCOMPARE(SavedTwice(&first), first);
        QCOMPARE(Read(first).paragraphs.first().format.list.start, 2);
    }

    void continueNumberingFollowsTheListAbove()
    {
        Type(*m_control, QStringLiteral("a"));
        m_control->SetNumbering(true, 2, 1, 0);
        Key(*m_control, Qt::Key_Return);
        Type(*m_control, QStringLiteral("b"));
        Key(*m_control, Qt::Key_Return);
        m_control->SetNumbering(false, 0, 0, 0);
        Type(*m_control, QStringLiteral("between"));
        Key(*m_control, Qt::Key_Return);
        Type(*m_control, QStringLiteral("c"));
        m_control->SetNumbering(true, 2, 1, 0);
        QCOMPARE(Label(*m_control, 3), QStringLiteral("1)"));
        m_control->ContinueNumbering();
        QCOMPARE(Label(*m_control, 3), QStringLiteral("3)"));
    }

    void addressesInTheTextAreLinks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("link");
        QTest::newRow("scheme") << QStringLiteral("see https://a.org/x?y=1 now") << 6
                                << QStringLiteral("https://a.org/x?y=1");
        QTest::newRow("www, full stop after")
            << QStringLiteral("at www.example.com.") << 5 << QStringLiteral("www.example.com");
        QTest::newRow("in brackets") << QStringLiteral("(ftp://files.net/a)") << 3
                                     << QStringLiteral("ftp://files.net/a");
        QTest::newRow("mail") << QStringLiteral("mailto:me@x.org") << 0 << QStringLiteral("mailto:me@x.org");
        QTest::newRow("beside a link") << QStringLiteral("see https://a.org") << 1 << QString();
        QTest::newRow("no address") << QStringLiteral("example.com is bare") << 2 << QString();
    }

    void addressesInTheTextAreLinks()
    {
        QFETCH(QString, text);
        QFETCH(int, position);
        QFETCH(QString, link);
        QCOMPARE(CLinkHighlighter::LinkIn(text, position), link);
        // Links are shown, never stored: the saved text has no link in it.
        m_control->setPlainText(text);
        const RichDocument model = Read(m_control->RichText());
        for (const RichRun& run : model.paragraphs.first().runs)
            QVERIFY(run.format.linkUrl.isEmpty());
    }

    void pastedRichTextKeepsOnlyWhatANoteHolds()
    {
        auto* data = new QMimeData;
        data->setHtml(QStringLiteral("<p style='margin-left:80px'><b>bold</b> and <img src='x.png'>"
                                     "<span style='color:#008000'>green</span></p>"));
        QApplication::clipboard()->setMimeData(data);
        m_control->paste();
        const RichDocument model = Read(m_control->RichText());
        QCOMPARE(model.PlainText(), QStringLiteral("bold and green"));
        QCOMPARE(model.paragraphs.first().format.leftIndent, 0);
        QVERIFY(model.paragraphs.first().runs.first().format.bold);
        QCOMPARE(model.paragraphs.first().runs.last().format.textColour, std::optional<quint32>(0x008000));
    }
};

QTEST_MAIN(CNoteEditCtrlTest)
#include "CNoteEditCtrlTest.moc"
