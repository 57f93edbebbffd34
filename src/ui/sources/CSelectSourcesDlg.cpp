#include "ui/sources/CSelectSourcesDlg.h"

#include "editor/widgets/ClampingSpinBox.h"
#include "format/FileSystem.h"
#include "sources/SourceEditor.h"
#include "sources/SourceNames.h"
#include "ui/MessageBoxPrompt.h"
#include "ui/NamedControl.h"
#include "ui/sources/CSourcesSelWnd.h"
#include "ui/sources/LibraryCommands.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kAvailableId = 1140;
constexpr int kSelectedId = 1139;

} // namespace

CSelectSourcesDlg::CSelectSourcesDlg(const SourceList& sources, const AuthorList& authors,
                                     const ListedNotes& currentNotes, QWidget* parent)
    : QDialog(parent)
    , m_all(sources)
    , m_authors(authors)
    , m_cited(CitedSourceIds(currentNotes))
{
    setObjectName(QStringLiteral("selectSourcesDlg"));
    setWindowTitle(QStringLiteral("Select Sources For Bibliography"));
    setAccessibleName(windowTitle());

    m_availableList = new CSourcesSelWnd(kAvailableId, this);
    m_availableList->setAccessibleName(QStringLiteral("Available Sources"));
    m_availableList->setToolTip(QStringLiteral("Double-Click to Select Sources For Bibliography"));
    m_selectedList = new CSourcesSelWnd(kSelectedId, this);
    m_selectedList->setAccessibleName(QStringLiteral("Selected Sources"));
    m_selectedList->setToolTip(QStringLiteral("Double-Click to Remove Sources"));
    auto* selectAll = NamedButton(QStringLiteral("Select All ->"), "selectAll",
                                  QStringLiteral("Select every source"), this);
    auto* clearAll = NamedButton(QStringLiteral("<- Clear All"), "clearAll",
                                 QStringLiteral("Remove every source"), this);
    auto* current = NamedButton(
        QStringLiteral("Current Notes' Sources ->"), "currentNotesSources",
        QStringLiteral("Select the sources the notes of the current list cite, each once"), this);
    current->setEnabled(!m_cited.isEmpty());
    auto* save = NamedButton(QStringLiteral("Save"), "saveButton",
                             QStringLiteral("Hand the bibliography to the print program"), this);
    auto* cancel = NamedButton(QStringLiteral("Cancel"), "cancelButton",
                               QStringLiteral("Close without a bibliography"), this);

    auto* lists = new QGridLayout;
    lists->addWidget(new QLabel(QStringLiteral("Available Sources"), this), 0, 0);
    lists->addWidget(new QLabel(QStringLiteral("Selected Sources"), this), 0, 2);
    lists->addWidget(m_availableList, 1, 0);
    lists->addWidget(m_selectedList, 1, 2);
    auto* middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(selectAll);
    middle->addWidget(clearAll);
    middle->addWidget(current);
    middle->addStretch();
    lists->addLayout(middle, 1, 1);
    lists->addWidget(new QLabel(QStringLiteral("Double-Click to Select Sources For Bibliography"), this), 2,
                     0);
    lists->addWidget(new QLabel(QStringLiteral("Double-Click to Remove Sources"), this), 2, 2);
    lists->setColumnStretch(0, 1);
    lists->setColumnStretch(2, 1);

    m_copy = NamedButton(QStringLiteral("Copy Bibliography"), "copyBibliography",
                         QStringLiteral("Put the selected sources' citations on the clipboard, formatted"),
                         this);
    m_export = NamedButton(QStringLiteral("Export Sources..."), "exportSources",
                           QStringLiteral("Write the selected sources to a BibTeX, RIS, EndNote, MODS or "
                                          "CSL-JSON file"),
                           this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_copy);
    buttons->addWidget(m_export);
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addWidget(BuildFormatting());
    layout->addLayout(buttons);

    connect(m_availableList, &CSourcesListWnd::SourceDoubleClicked, this, &CSelectSourcesDlg::MoveSource);
    connect(m_selectedList, &CSourcesListWnd::SourceDoubleClicked, this, &CSelectSourcesDlg::MoveSource);
    connect(selectAll, &QPushButton::clicked, this, &CSelectSourcesDlg::SelectAll);
    connect(clearAll, &QPushButton::clicked, this, &CSelectSourcesDlg::ClearAll);
    connect(current, &QPushButton::clicked, this, &CSelectSourcesDlg::SelectCurrentNotesSources);
    connect(save, &QPushButton::clicked, this, [this] { done(SaveResult); });
    connect(m_copy, &QPushButton::clicked, this, &CSelectSourcesDlg::CopyBibliography);
    connect(m_export, &QPushButton::clicked, this, &CSelectSourcesDlg::ExportSelected);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(980, 620);
    Refresh();
}

QWidget* CSelectSourcesDlg::BuildFormatting()
{
    auto* area = new QWidget(this);
    auto* grid = new QGridLayout(area);
    m_sort = NamedControl(new QCheckBox(QStringLiteral("Sort Sources Alphabetically"), area), "sortSources",
                          QStringLiteral("Sort Sources Alphabetically"),
                          QStringLiteral("Order the bibliography by citation"));
    m_individual = NamedControl(new QCheckBox(QStringLiteral("Use Sources' Individual Formatting"), area),
                                "individualFormatting", QStringLiteral("Use Sources' Individual Formatting"),
                                QStringLiteral("Each source in its own style"));
    m_common = NamedControl(new QCheckBox(QStringLiteral("Set ALL Sources Formatting"), area),
                            "commonFormatting", QStringLiteral("Set ALL Sources Formatting"),
                            QStringLiteral("Every source in one style"));
    m_sort->setChecked(true);
    m_individual->setChecked(true);
    m_style = NamedControl(new QComboBox(area), "bibStyle", QStringLiteral("Style:"),
                           QStringLiteral("The common style"));
    for (int style : CitationStyleDisplayOrder())
        m_style->addItem(CitationStyleName(style), style);
    m_indent = NamedControl(new ClampingSpinBox(0, 10, area), "bibIndent", QStringLiteral("Indent Spaces:"),
                            QStringLiteral("Hanging indent, 0 to 10"));
    m_indent->ShowValue(3); // a fresh source's values
    m_etAl
        = NamedControl(new ClampingSpinBox(1, 15, area), "bibEtAl", QStringLiteral("Authors Before 'et al':"),
                       QStringLiteral("Authors before \"et al\", 1 to 15"));
    m_etAl->ShowValue(6);
    auto* styleLabel = new QLabel(QStringLiteral("Style:"), area);
    auto* indentLabel = new QLabel(QStringLiteral("Indent Spaces:"), area);
    auto* etAlLabel = new QLabel(QStringLiteral("Authors Before 'et al':"), area);
    m_commonControls = {m_style, m_indent, m_etAl, styleLabel, indentLabel, etAlLabel};
    for (QWidget* control : std::as_const(m_commonControls))
        control->setEnabled(false);
    grid->addWidget(m_sort, 0, 0);
    grid->addWidget(m_individual, 1, 0);
    grid->addWidget(m_common, 2, 0);
    grid->addWidget(styleLabel, 0, 1);
    grid->addWidget(m_style, 0, 2);
    grid->addWidget(indentLabel, 1, 1);
    grid->addWidget(m_indent, 1, 2);
    grid->addWidget(etAlLabel, 2, 1);
    grid->addWidget(m_etAl, 2, 2);

    connect(m_sort, &QCheckBox::toggled, this, [this](bool on) {
        // Switching sorting off keeps the order now shown; later additions go to the end.
        if (!on) {
            m_selectedIds.clear();
            for (const SourceRecord& source : m_selectedList->Sources())
                m_selectedIds.append(source.SourceId);
        }
        Refresh();
    });
    connect(m_individual, &QCheckBox::clicked, this, [this] { SetCommon(false); });
    connect(m_common, &QCheckBox::clicked, this, [this] { SetCommon(true); });
    connect(m_style, &QComboBox::activated, this, &CSelectSourcesDlg::Refresh);
    // A number typed outside the range becomes the bound, which the bibliography takes as
    // shown; the list is formatted again with the next change.
    connect(m_indent, &ClampingSpinBox::ValueTaken, this, &CSelectSourcesDlg::Refresh);
    connect(m_etAl, &ClampingSpinBox::ValueTaken, this, &CSelectSourcesDlg::Refresh);
    return area;
}

void CSelectSourcesDlg::SetCommon(bool common)
{
    // The two boxes act as a pair: exactly one is on.
    m_common->setChecked(common);
    m_individual->setChecked(!common);
    for (QWidget* control : std::as_const(m_commonControls))
        control->setEnabled(common);
    Refresh();
}

BibliographyOptions CSelectSourcesDlg::Options() const
{
    BibliographyOptions options;
    options.Sorted = m_sort->isChecked();
    if (m_common->isChecked())
        options.Common
            = CommonFormatting {m_style->currentData().toInt(), m_indent->value(), m_etAl->value()};
    return options;
}

SourceList CSelectSourcesDlg::SelectedSources() const
{
    return SelectBibliographySources(m_all, m_authors, m_selectedIds, Options());
}

void CSelectSourcesDlg::Refresh()
{
    QList<qint32> available;
    for (const SourceRecord& source : m_all) {
        if (!m_selectedIds.contains(source.SourceId))
            available.append(source.SourceId);
    }
    m_availableList->SetSources(
        SelectBibliographySources(m_all, m_authors, available, BibliographyOptions()));
    m_selectedList->SetSources(SelectedSources());
    // Copying and exporting take the Selected list: nothing to take, nothing to press.
    m_copy->setEnabled(!m_selectedIds.isEmpty());
    m_export->setEnabled(!m_selectedIds.isEmpty());
}

void CSelectSourcesDlg::MoveSource(qint32 sourceId, int fromControlId)
{
    if (fromControlId == kAvailableId) {
        if (!m_selectedIds.contains(sourceId))
            m_selectedIds.append(sourceId);
    } else {
        m_selectedIds.removeAll(sourceId);
    }
    Refresh();
}

void CSelectSourcesDlg::SelectAll()
{
    for (const SourceRecord& source : m_all) {
        if (!m_selectedIds.contains(source.SourceId))
            m_selectedIds.append(source.SourceId);
    }
    m_availableList->SelectSource(-1);
    m_selectedList->SelectSource(-1);
    Refresh();
}

void CSelectSourcesDlg::ClearAll()
{
    m_selectedIds.clear();
    m_availableList->SelectSource(-1);
    m_selectedList->SelectSource(-1);
    Refresh();
}

void CSelectSourcesDlg::SelectCurrentNotesSources()
{
    m_selectedIds = m_cited;
    Refresh();
}

void CSelectSourcesDlg::keyPressEvent(QKeyEvent* event)
{
    // Enter does not close this dialog; Escape cancels it as usual.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return;
    QDialog::keyPressEvent(event);
}

void CSelectSourcesDlg::CopyBibliography()
{
    LibraryCommands::CopyCitations(SelectedSources(), m_authors);
}

void CSelectSourcesDlg::ExportSelected()
{
    if (m_selectedIds.isEmpty())
        return;
    MessageBoxPrompt boxes(this);
    LibraryCommands::ExportSourcesOf(this, m_prompt ? *m_prompt : boxes,
                                     m_files ? *m_files : FileSystem::Real(), m_all, m_authors,
                                     SelectedIds());
}
