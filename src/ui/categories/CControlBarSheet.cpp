#include "ui/categories/CControlBarSheet.h"

#include "lists/CurrentNotesList.h"
#include "store/DataChange.h"
#include "store/NoteDatabase.h"
#include "store/Settings.h"
#include "ui/CZol3StageButton.h"
#include "ui/SkinBitmaps.h"
#include "ui/categories/CCategoryTreeCtrlSel.h"
#include "ui/categories/CCtrlCategoriesPg.h"
#include "ui/categories/CCtrlKeyWordsPg.h"
#include "ui/categories/CCtrlSourcesPg.h"
#include "ui/categories/CKeyWordTreeCtrlSel.h"
#include "ui/categories/CSourcesTreeCtrlSel.h"

#include <QPainter>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// A key word tag: the Key Words tab's picture.
QIcon TagIcon()
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(60, 70, 85), 1.5));
    painter.setBrush(QColor(230, 190, 80));
    const QPointF tag[] = {{3, 8}, {14, 8}, {21, 12}, {14, 16}, {3, 16}};
    painter.drawPolygon(tag, 5);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(15, 12), 1.6, 1.6);
    return QIcon(pixmap);
}

} // namespace

CControlBarSheet::CControlBarSheet(const NoteDatabase& database, const SourceStore& sources,
                                   const CurrentNotesList& current, Settings& settings, QWidget* parent)
    : QWidget(parent)
    , m_database(database)
    , m_sourceStore(sources)
    , m_current(current)
    , m_settings(settings)
    , m_hide(new CZol3StageButton(this, HideButtonId))
    , m_tabs(new QTabWidget(this))
    , m_categories(new CCtrlCategoriesPg(this))
    , m_sources(new CCtrlSourcesPg(this))
    , m_keyWords(new CCtrlKeyWordsPg(this))
{
    setObjectName(QStringLiteral("ControlBarSheet"));
    setAccessibleName(QStringLiteral("Search Controls"));
    m_hide->setObjectName(QStringLiteral("hideSearchControlsButton"));
    m_hide->setAccessibleName(QStringLiteral("Hide Search Controls"));
    m_hide->SetToolTip(QStringLiteral("Hide Search Controls"));
    m_hide->SetGlyph(SkinBitmaps::Glyph::Clear, QSize(20, 20));
    connect(m_hide, &CZol3StageButton::Command, this, [this] { emit HideRequested(); });

    m_tabs->setObjectName(QStringLiteral("controlBarTabs"));
    m_tabs->setAccessibleName(QStringLiteral("Search Controls pages"));
    m_tabs->setIconSize(QSize(24, 24));
    // Pictures only on the tabs; the names are there for tips and screen readers.
    const QSize glyph(24, 24);
    using SkinBitmaps::Glyph;
    using SkinBitmaps::State;
    m_tabs->addTab(m_categories, QIcon(SkinBitmaps::Make(Glyph::Categories, State::Normal, glyph)),
                   QString());
    m_tabs->addTab(m_sources, QIcon(SkinBitmaps::Make(Glyph::Sources, State::Normal, glyph)), QString());
    m_tabs->addTab(m_keyWords, TagIcon(), QString());
    const QStringList names {QStringLiteral("Categories"), QStringLiteral("Sources"),
                             QStringLiteral("Key Words")};
    for (int i = 0; i < names.size(); ++i) {
        m_tabs->setTabToolTip(i, names.at(i));
        m_tabs->tabBar()->setAccessibleTabName(i, names.at(i));
    }
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        m_settings.ActIndCtrlBar = index;
        RefreshActivePage();
    });
    connect(m_sources, &CCtrlSourcesPg::ShowByChanged, this, [this](int value) {
        m_settings.CtrlBarSortSrc = value;
        RefreshActivePage();
    });
    ConnectPages();

    auto* top = new QHBoxLayout;
    top->addStretch();
    top->addWidget(m_hide);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(top);
    layout->addWidget(m_tabs, 1);
    setMinimumWidth(220);
}

void CControlBarSheet::ConnectPages()
{
    const auto forward = [this](auto* tree) {
        connect(tree, &std::remove_pointer_t<decltype(tree)>::PageNotesChanged, this,
                &CControlBarSheet::PageNotesChanged);
        connect(tree, &std::remove_pointer_t<decltype(tree)>::OutputRequested, this,
                &CControlBarSheet::OutputRequested);
    };
    forward(m_categories->Tree());
    forward(static_cast<CItemTreeCtrlSel*>(m_sources->Tree()));
    forward(static_cast<CItemTreeCtrlSel*>(m_keyWords->Tree()));
    connect(m_keyWords->Tree(), &CItemTreeCtrlSel::KeyWordCommand, this, &CControlBarSheet::KeyWordCommand);
}

void CControlBarSheet::ShowStoredPage()
{
    const int index = qBound(0, static_cast<int>(m_settings.ActIndCtrlBar), 2);
    if (m_tabs->currentIndex() == index)
        RefreshActivePage();
    else
        m_tabs->setCurrentIndex(index); // builds it through currentChanged
}

void CControlBarSheet::FollowChange(const DataChange& change)
{
    DataChange::Aspects shown = DataChange::ListNotes | DataChange::Reloaded;
    switch (m_tabs->currentIndex()) {
    case 0:
        shown |= DataChange::CategoryTrees;
        break;
    case 1:
        shown |= DataChange::SourceNotes | DataChange::Sources | DataChange::Authors;
        break;
    case 2:
        shown |= DataChange::KeyWords;
        break;
    default:
        break;
    }
    if (change.HasAny(shown))
        RefreshActivePage();
}

void CControlBarSheet::RefreshActivePage()
{
    const NoteIdList current = m_current.NoteIds();
    switch (m_tabs->currentIndex()) {
    case 0:
        m_categories->Build(m_database, current);
        break;
    case 1:
        m_sources->Build(m_database, m_sourceStore, current, m_settings.CtrlBarSortSrc);
        break;
    case 2:
        m_keyWords->Build(m_database, current);
        break;
    default:
        break;
    }
}
