// The formatting tool bar of the note editor: its buttons, pop-ups and drop-downs, and
// how it follows the format at the caret.
#include "editor/CEditNoteDlg.h"
#include "editor/CNoteEditCtrl.h"
#include "editor/EditorPalette.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QSpinBox>
#include <QTextBlock>
#include <QToolButton>

namespace {

constexpr int kBold = 1059;
constexpr int kItalic = 1060;
constexpr int kUnderline = 1061;
constexpr int kTextColour = 1062;
constexpr int kBullets = 1063;
constexpr int kAlignLeft = 1064;
constexpr int kAlignCentre = 1065;
constexpr int kAlignRight = 1066;
constexpr int kNumbering = 1067;
constexpr int kHighlight = 1068;
constexpr int kSizeUp = 10761;
constexpr int kSizeDown = 10762;
constexpr int kContinueNumbering = 2112;
// RTF numbers are signed 16-bit.
constexpr int kHighestNumberStart = 32767;

QIcon LetterIcon(const QString& letter, bool bold, bool italic, bool underline)
{
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pixmap(18 * scale, 18 * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        QFont font(QStringLiteral("DejaVu Serif"));
        font.setPixelSize(14);
        font.setBold(bold);
        font.setItalic(italic);
        font.setUnderline(underline);
        painter.setFont(font);
        painter.setPen(QColor(40, 44, 52));
        painter.drawText(QRectF(0, 0, 18, 18), Qt::AlignCenter, letter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QFrame* Separator(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

QToolButton* CEditNoteDlg::AddToolButton(QWidget* bar, int id, const QString& name, const QString& tip,
                                         const QIcon& icon, bool checkable)
{
    auto* button = new QToolButton(bar);
    button->setObjectName(QStringLiteral("button%1").arg(id));
    button->setAccessibleName(name);
    button->setToolTip(tip);
    button->setIcon(icon);
    button->setIconSize(QSize(18, 18));
    button->setCheckable(checkable);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    m_buttons.insert(id, button);
    return button;
}

QWidget* CEditNoteDlg::BuildToolBar()
{
    using EditorPalette::Icon;
    using EditorPalette::Picture;
    auto* bar = new QFrame(this);
    bar->setObjectName(QStringLiteral("formatBar"));
    bar->setAccessibleName(QStringLiteral("Formatting"));
    bar->setFrameShape(QFrame::StyledPanel);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(6, 3, 6, 3);
    row->setSpacing(2);

    m_fontName = new QComboBox(bar);
    m_fontName->setObjectName(QStringLiteral("fontName"));
    m_fontName->setAccessibleName(QStringLiteral("Font"));
    m_fontName->setToolTip(QStringLiteral("The font of the selected text"));
    m_fontName->setEditable(true);
    m_fontName->setInsertPolicy(QComboBox::NoInsert);
    m_fontName->addItems(EditorPalette::FontNames(QFontDatabase::families()));
    m_fontName->setMinimumWidth(200);
    m_fontSize = new QComboBox(bar);
    m_fontSize->setObjectName(QStringLiteral("fontSize"));
    m_fontSize->setAccessibleName(QStringLiteral("Font size"));
    m_fontSize->setToolTip(QStringLiteral("The size of the selected text, in points"));
    m_fontSize->setEditable(true);
    m_fontSize->setInsertPolicy(QComboBox::NoInsert);
    for (int size : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
        m_fontSize->addItem(QString::number(size));
    m_fontSize->setFixedWidth(64);
    // The typing fields and lists inside the drop-downs are read out under the same names.
    for (QComboBox* box : {m_fontName, m_fontSize}) {
        box->lineEdit()->setAccessibleName(box->accessibleName());
        box->view()->setAccessibleName(box->accessibleName());
    }
    row->addWidget(m_fontName);
    row->addWidget(m_fontSize);
    row->addWidget(AddToolButton(bar, kSizeUp, QStringLiteral("Larger text"),
                                 QStringLiteral("One point larger"), Icon(Picture::SizeUp), false));
    row->addWidget(AddToolButton(bar, kSizeDown, QStringLiteral("Smaller text"),
                                 QStringLiteral("One point smaller"), Icon(Picture::SizeDown), false));
    row->addWidget(Separator(bar));
    row->addWidget(AddToolButton(bar, kBold, QStringLiteral("Bold"), QStringLiteral("Bold (Ctrl+B)"),
                                 LetterIcon(QStringLiteral("B"), true, false, false), true));
    row->addWidget(AddToolButton(bar, kItalic, QStringLiteral("Italic"), QStringLiteral("Italic (Ctrl+I)"),
                                 LetterIcon(QStringLiteral("I"), false, true, false), true));
    row->addWidget(AddToolButton(bar, kUnderline, QStringLiteral("Underline"),
                                 QStringLiteral("Underline (Ctrl+U)"),
                                 LetterIcon(QStringLiteral("U"), false, false, true), true));
    row->addWidget(AddToolButton(bar, kTextColour, QStringLiteral("Text colour"),
                                 QStringLiteral("Colour of the selected text"), Icon(Picture::TextColour),
                                 false));
    row->addWidget(
        AddToolButton(bar, kHighlight, QStringLiteral("Highlight"),
                      QStringLiteral("Highlight the selected text; release to remove the highlight"),
                      Icon(Picture::Highlight), true));
    row->addWidget(Separator(bar));
    row->addWidget(AddToolButton(bar, kBullets, QStringLiteral("Bullets"), QStringLiteral("Bulleted list"),
                                 Icon(Picture::Bullets), true));
    row->addWidget(AddToolButton(bar, kNumbering, QStringLiteral("Numbering"),
                                 QStringLiteral("Numbered list styles"), Icon(Picture::Numbering), false));
    row->addWidget(BuildNumberStart(bar));
    row->addWidget(Separator(bar));
    m_alignGroup = new QButtonGroup(this);
    m_alignGroup->setExclusive(true);
    const struct
    {
        int id;
        const char* name;
        Picture picture;
    } aligns[] = {{kAlignLeft, "Align left", Picture::AlignLeft},
                  {kAlignCentre, "Centre", Picture::AlignCentre},
                  {kAlignRight, "Align right", Picture::AlignRight}};
    for (const auto& align : aligns) {
        QToolButton* button = AddToolButton(bar, align.id, QLatin1String(align.name),
                                            QLatin1String(align.name), Icon(align.picture), true);
        m_alignGroup->addButton(button, align.id);
        row->addWidget(button);
    }
    row->addStretch(1);
    m_colourMenu = BuildColourMenu();
    m_numberingMenu = BuildNumberingMenu();
    return bar;
}

QWidget* CEditNoteDlg::BuildNumberStart(QWidget* bar)
{
    // The up-down of the numbered list at the caret: its arrows step the start number,
    // and a number can be typed.
    m_numberStart = new QSpinBox(bar);
    m_numberStart->setObjectName(QStringLiteral("numberStart"));
    m_numberStart->setAccessibleName(QStringLiteral("List start number"));
    m_numberStart->setToolTip(QStringLiteral("The number the numbered list starts at"));
    // Outside a numbered list the box shows no number: its lowest value stands for none.
    m_numberStart->setRange(-1, kHighestNumberStart);
    m_numberStart->setSpecialValueText(QStringLiteral("Start"));
    m_numberStart->setPrefix(QStringLiteral("Start "));
    m_numberStart->setEnabled(false);
    connect(m_numberStart, &QSpinBox::valueChanged, this, [this](int start) {
        if (!m_refreshing)
            m_text->SetNumberStart(start);
    });
    return m_numberStart;
}

QMenu* CEditNoteDlg::BuildColourMenu()
{
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("colourMenu"));
    for (int i = 0; i < EditorPalette::kColourCount; ++i) {
        QPixmap swatch(14, 14);
        swatch.fill(EditorPalette::Colour(i));
        QPainter(&swatch).drawRect(0, 0, 13, 13);
        QAction* action = menu->addAction(QIcon(swatch), EditorPalette::ColourName(i));
        const int command = EditorPalette::kFirstColourCommand + i;
        action->setObjectName(QStringLiteral("colour%1").arg(command));
        action->setData(command);
        connect(action, &QAction::triggered, this, [this, command] { ApplyColourCommand(command); });
    }
    return menu;
}

QMenu* CEditNoteDlg::BuildNumberingMenu()
{
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("numberingMenu"));
    QAction* next = menu->addAction(QStringLiteral("Continue Numbering"));
    next->setObjectName(QStringLiteral("numbering2112"));
    connect(next, &QAction::triggered, this, [this] { ApplyNumberingCommand(kContinueNumbering); });
    menu->addSeparator();
    const char* const styles[] = {"Style:  1) ", "Style:  a) ", "Style:  A) ", "Style:  i) ", "Style:  I) "};
    for (int style = 2; style <= 6; ++style) {
        QAction* action = menu->addAction(QLatin1String(styles[style - 2]));
        action->setObjectName(QStringLiteral("numbering%1").arg(style));
        connect(action, &QAction::triggered, this, [this, style] { ApplyNumberingCommand(style); });
    }
    return menu;
}

void CEditNoteDlg::ConnectToolBar()
{
    Button(kBold)->setShortcut(QKeySequence::Bold);
    Button(kItalic)->setShortcut(QKeySequence::Italic);
    Button(kUnderline)->setShortcut(QKeySequence::Underline);
    connect(Button(kBold), &QToolButton::clicked, this, [this](bool on) { m_text->SetBold(on); });
    connect(Button(kItalic), &QToolButton::clicked, this, [this](bool on) { m_text->SetItalic(on); });
    connect(Button(kUnderline), &QToolButton::clicked, this, [this](bool on) { m_text->SetUnderline(on); });
    connect(Button(kBullets), &QToolButton::clicked, this, [this](bool on) { m_text->SetBullets(on, 0); });
    connect(Button(kTextColour), &QToolButton::clicked, this,
            [this] { ShowPopup(Button(kTextColour), m_colourMenu); });
    connect(Button(kNumbering), &QToolButton::clicked, this,
            [this] { ShowPopup(Button(kNumbering), m_numberingMenu); });
    connect(Button(kHighlight), &QToolButton::clicked, this, &CEditNoteDlg::OnHighlightToggled);
    connect(m_alignGroup, &QButtonGroup::idClicked, this, &CEditNoteDlg::OnAlignment);
    connect(Button(kSizeUp), &QToolButton::clicked, this, [this] { StepSize(1); });
    connect(Button(kSizeDown), &QToolButton::clicked, this, [this] { StepSize(-1); });
    connect(m_fontName, &QComboBox::textActivated, this, [this](const QString& name) {
        m_text->SetFaceName(name);
        m_text->setFocus();
    });
    connect(m_fontSize, &QComboBox::textActivated, this, [this](const QString& size) {
        m_text->SetPointSize(size.toDouble());
        m_text->setFocus();
    });
    connect(m_text, &CNoteEditCtrl::FormatStateChanged, this, &CEditNoteDlg::RefreshToolBar);
}

void CEditNoteDlg::ShowPopup(QToolButton* button, QMenu* menu)
{
    // The text keeps its selection while the pop-up is open and gets the focus back.
    const QTextCursor selection = m_text->textCursor();
    menu->exec(button->mapToGlobal(QPoint(0, button->height())));
    if (m_text->textCursor().position() != selection.position())
        m_text->setTextCursor(selection);
    m_text->setFocus();
}

void CEditNoteDlg::ApplyColourCommand(int command)
{
    const QColor colour = EditorPalette::Colour(command - EditorPalette::kFirstColourCommand);
    if (!colour.isValid())
        return;
    if (m_highlightMode)
        m_text->SetHighlight(colour);
    else
        m_text->SetTextColour(colour);
    m_text->setFocus();
}

void CEditNoteDlg::ApplyNumberingCommand(int command)
{
    if (command == kContinueNumbering)
        m_text->ContinueNumbering();
    else if (command >= 2 && command <= 6)
        m_text->SetNumbering(true, command, -1, -1);
    m_text->setFocus();
}

void CEditNoteDlg::OnHighlightToggled(bool on)
{
    m_highlightMode = on;
    if (on) {
        ShowPopup(Button(kHighlight), m_colourMenu);
    } else {
        m_text->SetHighlight(Qt::white);
        m_text->setFocus();
    }
}

void CEditNoteDlg::OnAlignment(int id)
{
    if (id == kAlignCentre)
        m_text->AlignCentre();
    else if (id == kAlignRight)
        m_text->AlignRight();
    else
        m_text->AlignLeft();
    m_text->setFocus();
}

void CEditNoteDlg::StepSize(int step)
{
    const double size = m_text->currentCharFormat().fontPointSize();
    const double current = size > 0 ? size : m_text->document()->defaultFont().pointSizeF();
    m_text->SetPointSize(std::clamp(current + step, 1.0, 1638.0));
    RefreshToolBar();
    m_text->setFocus();
}

void CEditNoteDlg::RefreshToolBar()
{
    if (m_refreshing || !m_fontName)
        return;
    m_refreshing = true;
    const QTextCharFormat chars = m_text->currentCharFormat();
    const QFont font = chars.font().resolve(m_text->document()->defaultFont());
    Button(kBold)->setChecked(font.bold());
    Button(kItalic)->setChecked(font.italic());
    Button(kUnderline)->setChecked(font.underline());
    const QStringList families = chars.fontFamilies().toStringList();
    m_fontName->setEditText(families.isEmpty() ? font.family() : families.first());
    const double points = chars.fontPointSize() > 0 ? chars.fontPointSize() : font.pointSizeF();
    m_fontSize->setEditText(QString::number(points));
    const RichParagraphFormat paragraph = m_text->CurrentParagraph();
    Button(kBullets)->setChecked(paragraph.list.style == RichListStyle::Bullet);
    const bool numbered = static_cast<int>(paragraph.list.style) >= static_cast<int>(RichListStyle::Arabic);
    m_numberStart->setEnabled(numbered);
    m_numberStart->setValue(numbered ? paragraph.list.start : -1);
    const int align = paragraph.alignment == RichParagraphFormat::Alignment::Centre ? kAlignCentre
        : paragraph.alignment == RichParagraphFormat::Alignment::Right              ? kAlignRight
                                                                                    : kAlignLeft;
    Button(align)->setChecked(true);
    m_refreshing = false;
}
