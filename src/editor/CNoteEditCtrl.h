#pragma once

#include "richtext/RichDocument.h"

#include <QColor>
#include <QTextEdit>
#include <functional>

class QTextBlock;
class CLinkHighlighter;
class CSpellMarker;

// The rich-text control a note is written in. It adds to QTextEdit what the note
// editor's tool bar calls: character attributes, colours, fonts, alignment, bullets and
// five numbering styles with nested levels, the typed arrow shortcut "-->", links found
// in the text, the context menu, and the key rules of lists (Tab, Backspace, Enter).
//
// Paragraph formats are kept as the note's rich text has them (see RichDocumentMapper);
// list labels are drawn by the control. All lengths are twips.
class CNoteEditCtrl : public QTextEdit
{
    Q_OBJECT
public:
    explicit CNoteEditCtrl(QWidget* parent = nullptr);
    ~CNoteEditCtrl() override;

    // Links are found and shown in the text when allowed; words are checked while spell
    // checking is on and the program has a spell checker.
    void Attach(bool linksAllowed, bool spellChecking);
    bool SpellChecking() const { return m_spellChecking; }
    // Off clears every mark and drops the checking; on starts it afresh.
    void SetSpellChecking(bool on);
    // Present exactly while words are checked.
    CSpellMarker* SpellMarker() const { return m_marker; }
    // Checks the whole text once / removes every mark (both only while checking).
    void RecheckAll();
    void ClearMarks();

    // The font of new text, and its colour unless that is invalid (the automatic one).
    // An empty text starts typing in them.
    void SetDefaultFont(const QFont& font, const QColor& colour = QColor());

    // The note's RichText in and out; the plain text as the note stores it.
    void SetRichText(const QString& richText);
    QString RichText() const;
    RichDocument Model() const;
    QString PlainText() const;

    // Character formats of the selection (or of the text typed next).
    void SetBold(bool on);
    void SetItalic(bool on);
    void SetUnderline(bool on);
    void SetTextColour(const QColor& colour);
    // White removes the highlight.
    void SetHighlight(const QColor& colour);
    void SetFaceName(const QString& name);
    void SetPointSize(double points);

    // Paragraph formats of the selected paragraphs.
    void AlignLeft();
    void AlignCentre();
    void AlignRight();
    // On: bullets with the start indent (negative taken as 0); off: no list, no indent.
    void SetBullets(bool on, int indent);
    // On: numbering style 2..6, start (-1 keeps the paragraph's start, below 1 gives 0),
    // number tab 300 and the start indent (-1 keeps the paragraph's indent); off: no list,
    // no indent.
    void SetNumbering(bool on, int style, int start, int levelIndent);
    // Raises or lowers the start number of the numbered list at the caret; lowering stops
    // at 0 for numbers and at 1 for letters and roman numerals.
    void StepNumberStart(bool up);
    // Gives the numbered list at the caret (every paragraph of its run) that start number,
    // kept at 0 or more for numbers and 1 or more for letters and roman numerals. Nothing
    // happens outside a numbered list.
    void SetNumberStart(int start);
    // The selected list paragraphs take the numbering of the list above them and continue it.
    void ContinueNumbering();

    // The format of the paragraph at the caret.
    RichParagraphFormat CurrentParagraph() const;
    // The link under the mouse (empty when none).
    QString LinkText() const { return m_linkText; }
    // The link at a position of the viewport, or empty.
    QString LinkAt(QPoint viewportPos) const;

    // Where a link is opened; the desktop's handler when unset.
    void SetLinkOpener(std::function<void(const QString&)> opener) { m_openLink = std::move(opener); }
    void OpenLink(const QString& link);

signals:
    // The caret or the selection moved: the tool bar shows the format there.
    void FormatStateChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;

private:
    // Key rules (CNoteEditCtrlKeys.cpp); each returns true when it handled the key.
    bool HandleArrowShortcut(QKeyEvent* event);
    bool HandleTab();
    bool HandleBackspace();
    bool HandleEnter();
    bool CaretAtBlockStart() const;
    // The paragraph format of a block as the note's rich text stores it.
    static RichParagraphFormat BlockFormatOf(const QTextBlock& block);

    // Applies a change to the paragraph format of every selected paragraph.
    void ChangeParagraphs(const std::function<void(RichParagraphFormat&)>& change);
    void SetBlockParagraph(QTextCursor& cursor, const RichParagraphFormat& paragraph);
    void MergeCharFormat(const QTextCharFormat& format);
    void ClearCharProperty(int property);
    // Lists interrupted by deeper levels continue their numbering after them.
    void RenumberLists();
    void PaintListLabels();
    void InsertModel(const RichDocument& model);

    void RebuildHighlighter();

    CLinkHighlighter* m_links = nullptr;
    CSpellMarker* m_marker = nullptr;
    bool m_linksAllowed = false;
    bool m_spellChecking = false;
    QString m_linkText;
    int m_dashCount = 0;
    std::function<void(const QString&)> m_openLink;
};
