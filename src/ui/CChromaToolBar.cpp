#include "ui/CChromaToolBar.h"

#include "format/NoteSortIds.h"
#include "ui/CSearchEditBox.h"
#include "ui/CZol3StageButton.h"
#include "ui/CZolCheckBmpBtn.h"
#include "ui/CommandIds.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLinearGradient>
#include <QMenu>
#include <QPainter>

namespace {

constexpr int BarHeight = 36;
constexpr int ButtonSize = 28;
constexpr int ButtonTop = 4;

struct ButtonEntry
{
    int command;
    int x; // from the offset
    SkinBitmaps::Glyph glyph;
    const char* tip;
    const char* name;
};

const ButtonEntry Buttons[] = {
    {CommandIds::ImportNotes, 0, SkinBitmaps::Glyph::Import, "Import Notes", "importButton"},
    {CommandIds::ExportNotes, 29, SkinBitmaps::Glyph::Export, "Export Current Notes", "exportButton"},
    {CommandIds::SavePrintNotes, 70, SkinBitmaps::Glyph::Print, "Save/Print Current Notes", "printButton"},
    {CommandIds::AddNote, 111, SkinBitmaps::Glyph::AddNote, "Add Note", "addNoteButton"},
    {CommandIds::ViewSources, 140, SkinBitmaps::Glyph::Sources, "View Sources", "sourcesButton"},
    {CommandIds::EditCategoryTrees, 169, SkinBitmaps::Glyph::Categories, "Edit Category Trees",
     "categoriesButton"},
    {CommandIds::ClearNotes, 210, SkinBitmaps::Glyph::Clear, "Clear Current Notes", "clearButton"},
};

constexpr int ZoomX = 258;

const int ZoomValues[] = {200, 175, 150, 125, 115, 100, 90, 80, 70, 60, 50, 40, 30, 20, 10};

struct SortEntry
{
    const char* text;
    int value;
};

const SortEntry SortEntries[] = {
    {"Add: To Top", NoteSortId::AddToTop},
    {"Add: To Bottom", NoteSortId::AddToBottom},
    {"Source: A to Z", NoteSortId::SourceAToZ},
    {"Source: Z to A", NoteSortId::SourceZToA},
    {"Categories: A to Z", NoteSortId::CategoriesAToZ},
    {"Categories: Z to A", NoteSortId::CategoriesZToA},
    {"Date Added: Past to Present", NoteSortId::DateAddedPastFirst},
    {"Date Added: Present to Past", NoteSortId::DateAddedRecentFirst},
};

QFont ArialFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    return font;
}

} // namespace

CChromaToolBar::CChromaToolBar(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("searchBar"));
    setWindowTitle(QStringLiteral("Quorvel SearchBar"));
    setMinimumHeight(BarHeight);
    // The bar spans the whole window so that the search field keeps to the right edge.
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    CreateButtons();
    CreateLists();

    m_search = new CSearchEditBox(this);
    m_search->setAccessibleName(QStringLiteral("Search"));
    m_search->setToolTip(QStringLiteral("Words to search for; Enter runs the search"));
    connect(m_search, &CSearchEditBox::RunRequested, this, [this](int wParam, int lParam) {
        if (wParam == CSearchEditBox::kRunRequest && lParam == CSearchEditBox::kRunRequest)
            RunSearch();
    });
    SetSearchMode(CommandIds::SearchModeDatabase);
}

void CChromaToolBar::CreateButtons()
{
    const QSize size(ButtonSize, ButtonSize);
    for (const ButtonEntry& entry : Buttons) {
        auto* button = new CZol3StageButton(this, entry.command);
        button->setObjectName(QLatin1String(entry.name));
        button->SetGlyph(entry.glyph, size);
        button->SetToolTip(QLatin1String(entry.tip));
        connect(button, &CZol3StageButton::Command, this, &CChromaToolBar::Command);
        m_buttons.append(button);
    }

    m_runDatabase = new CZol3StageButton(this, CommandIds::GoSearch);
    m_runDatabase->setObjectName(QStringLiteral("runDatabaseSearch"));
    m_runDatabase->SetGlyph(SkinBitmaps::Glyph::SearchDatabase, size);
    m_runDatabase->SetToolTip(QStringLiteral("Run Database Search"));
    m_runCurrent = new CZol3StageButton(this, CommandIds::GoSearch);
    m_runCurrent->setObjectName(QStringLiteral("runCurrentSearch"));
    m_runCurrent->SetGlyph(SkinBitmaps::Glyph::SearchCurrent, size);
    m_runCurrent->SetToolTip(QStringLiteral("Run Current Notes Search"));
    for (CZol3StageButton* run : {m_runDatabase, m_runCurrent})
        connect(run, &CZol3StageButton::Command, this, &CChromaToolBar::RunSearch);

    m_modeButton = new CZolCheckBmpBtn(this, CommandIds::SearchDropdown);
    m_modeButton->setObjectName(QStringLiteral("searchModeButton"));
    m_modeButton->SetGlyph(SkinBitmaps::Glyph::Dropdown, QSize(12, ButtonSize));
    m_modeButton->SetToolTip(QStringLiteral("Search Options"));
    connect(m_modeButton, &CZol3StageButton::Command, this, &CChromaToolBar::ShowModeMenu);

    m_online = new CZol3StageButton(this, CommandIds::AccessInternet);
    m_online->setObjectName(QStringLiteral("onlineButton"));
    m_online->SetGlyph(SkinBitmaps::Glyph::Online, size);
    m_online->SetToolTip(QStringLiteral("Access Quorvel Online"));
    connect(m_online, &CZol3StageButton::Command, this, &CChromaToolBar::Command);
}

void CChromaToolBar::CreateLists()
{
    m_zoom = new QComboBox(this);
    m_zoom->setObjectName(QStringLiteral("zoomList"));
    m_zoom->setAccessibleName(QStringLiteral("Zoom"));
    m_zoom->setToolTip(QStringLiteral("Zoom: the size of the notes in the list"));
    m_zoom->view()->setAccessibleName(QStringLiteral("Zoom: choices"));
    m_zoom->setFont(ArialFont());
    for (int value : ZoomValues)
        m_zoom->addItem(QString::number(value) + QLatin1Char('%'), value);
    m_zoom->setFocusPolicy(Qt::NoFocus);
    connect(m_zoom, &QComboBox::activated, this,
            [this](int index) { emit ZoomChosen(m_zoom->itemData(index).toInt() * 0.01); });

    m_sortLabel = new QLabel(QStringLiteral("Sort By:"), this);
    m_sortLabel->setFont(ArialFont());

    m_sort = new QComboBox(this);
    m_sort->setObjectName(QStringLiteral("sortList"));
    m_sort->setAccessibleName(QStringLiteral("Sort By"));
    m_sort->setToolTip(QStringLiteral("Sort By: the order of the current notes"));
    m_sort->view()->setAccessibleName(QStringLiteral("Sort By: choices"));
    // On Linux a screen reader names a list by its label, so the label points at it.
    m_sortLabel->setBuddy(m_sort);
    m_sort->setFont(ArialFont());
    for (const SortEntry& entry : SortEntries)
        m_sort->addItem(QLatin1String(entry.text), entry.value);
    m_sort->setFocusPolicy(Qt::NoFocus);
    connect(m_sort, &QComboBox::activated, this,
            [this](int index) { emit SortChosen(m_sort->itemData(index).toInt()); });
}

CZol3StageButton* CChromaToolBar::CommandButton(int commandId) const
{
    for (CZol3StageButton* button : m_buttons)
        if (button->CommandId() == commandId)
            return button;
    if (commandId == CommandIds::AccessInternet)
        return m_online;
    if (commandId == CommandIds::SearchDropdown)
        return m_modeButton;
    return nullptr;
}

CZol3StageButton* CChromaToolBar::RunButton(int mode) const
{
    return mode == CommandIds::SearchModeCurrent ? m_runCurrent : m_runDatabase;
}

void CChromaToolBar::SetZoom(double factor)
{
    const int percent = qRound(factor * 100);
    const int index = m_zoom->findData(percent);
    m_zoom->setCurrentIndex(index >= 0 ? index : 4);
}

void CChromaToolBar::SetSort(int sortId)
{
    const int index = m_sort->findData(sortId);
    if (index >= 0)
        m_sort->setCurrentIndex(index);
}

void CChromaToolBar::SetSearchMode(int mode)
{
    m_mode = mode;
    m_runDatabase->setVisible(mode != CommandIds::SearchModeCurrent);
    m_runCurrent->setVisible(mode == CommandIds::SearchModeCurrent);
}

void CChromaToolBar::RunSearch()
{
    const QString text = m_search->UserText().trimmed();
    if (text.isEmpty())
        return;
    emit SearchRequested(text, m_mode);
}

void CChromaToolBar::ShowModeMenu()
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("searchModeMenu"));
    QAction* database = menu.addAction(QStringLiteral("Search Notes Database"));
    database->setObjectName(QStringLiteral("actionSearchDatabase"));
    database->setCheckable(true);
    database->setChecked(m_mode == CommandIds::SearchModeDatabase);
    database->setData(CommandIds::SearchModeDatabase);
    QAction* current = menu.addAction(QStringLiteral("Search Current Notes"));
    current->setObjectName(QStringLiteral("actionSearchCurrent"));
    current->setCheckable(true);
    current->setChecked(m_mode == CommandIds::SearchModeCurrent);
    current->setData(CommandIds::SearchModeCurrent);
    QAction* chosen = menu.exec(m_modeButton->mapToGlobal(QPoint(0, m_modeButton->height())));
    if (chosen)
        SetSearchMode(chosen->data().toInt());
    m_modeButton->update();
}

int CChromaToolBar::OffsetForWidth(int width)
{
    if (width > 950)
        return 0;
    if (width > 900)
        return -29;
    return -70;
}

QSize CChromaToolBar::sizeHint() const
{
    return QSize(1000, BarHeight);
}

void CChromaToolBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayOut();
    update();
}

void CChromaToolBar::LayOut()
{
    const int width = this->width();
    const int offset = OffsetForWidth(width);
    for (int i = 0; i < m_buttons.size(); ++i)
        m_buttons[i]->setGeometry(offset + Buttons[i].x, ButtonTop, ButtonSize, ButtonSize);

    const int listTop = ButtonTop + 3;
    m_zoom->setGeometry(offset + ZoomX, listTop, 72, 22);
    const int labelX = m_zoom->geometry().right() + 1 + 7;
    const int labelWidth = m_sortLabel->fontMetrics().horizontalAdvance(m_sortLabel->text()) + 2;
    m_sortLabel->setGeometry(labelX, listTop, labelWidth, 22);
    m_sort->setGeometry(labelX + labelWidth + 2, listTop, 190, 22);

    const int fieldLeft = std::max(width - 393, m_sort->geometry().right() + 1 + 5);
    const int fieldRight = width - 88;
    m_search->setGeometry(fieldLeft, ButtonTop + 1, std::max(20, fieldRight - fieldLeft), ButtonSize - 2);
    const int runX = std::max(fieldRight, fieldLeft + 20) + 4;
    m_runDatabase->setGeometry(runX, ButtonTop, ButtonSize, ButtonSize);
    m_runCurrent->setGeometry(runX, ButtonTop, ButtonSize, ButtonSize);
    m_modeButton->setGeometry(runX + ButtonSize, ButtonTop, 12, ButtonSize);
    m_online->setGeometry(m_modeButton->geometry().right() + 1 + 10, ButtonTop, ButtonSize, ButtonSize);
}

void CChromaToolBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(236, 240, 247));
    g.setColorAt(1, QColor(204, 212, 226));
    painter.fillRect(rect(), g);
    painter.setPen(QColor(160, 168, 182));
    painter.drawLine(0, height() - 1, width(), height() - 1);
}
