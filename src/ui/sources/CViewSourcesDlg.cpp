#include "ui/sources/CViewSourcesDlg.h"

#include "app/ReadOnlyRefusal.h"
#include "lists/SourceCommands.h"
#include "platform/UserPrompt.h"
#include "sources/SourceFilters.h"
#include "sources/SourceSort.h"
#include "store/ChangeNotice.h"
#include "store/NoteDatabase.h"
#include "store/Settings.h"
#include "store/SourceStore.h"
#include "ui/NamedControl.h"
#include "ui/sources/CEditSourceDlg.h"
#include "ui/sources/CSourcesListWnd.h"
#include "ui/sources/LibraryCommands.h"

#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kListControlId = 1007;

QString NotSelectedCaption()
{
    return QStringLiteral("Source not selected");
}

} // namespace

CViewSourcesDlg::CViewSourcesDlg(NoteDatabase& database, SourceStore& sources, Settings& settings,
                                 UserPrompt& prompt, QWidget* parent)
    : QDialog(parent)
    , m_database(database)
    , m_sources(sources)
    , m_settings(settings)
    , m_prompt(prompt)
{
    setObjectName(QStringLiteral("viewSourcesDlg"));
    setWindowTitle(QStringLiteral("View Sources"));
    setAccessibleName(QStringLiteral("View Sources"));

    m_filterArea = new QWidget(this);
    BuildFilters(m_filterArea);
    m_list = new CSourcesListWnd(kListControlId, this);
    m_filtersButton = NamedButton(QStringLiteral("Hide Filters"), "filtersButton",
                                  QStringLiteral("Show or hide the filters"), this);
    auto* create
        = NamedButton(QStringLiteral("New Source"), "newSource", QStringLiteral("Create a new source"), this);
    auto* edit = NamedButton(QStringLiteral("Edit Source"), "editSource",
                             QStringLiteral("Edit the selected source"), this);
    auto* remove = NamedButton(QStringLiteral("Delete Source"), "deleteSource",
                               QStringLiteral("Delete the selected source"), this);
    m_confirm = NamedButton(QStringLiteral("OK"), "confirmButton", QStringLiteral("Close the list"), this);
    auto* copy = NamedButton(QStringLiteral("Copy Citation"), "copyCitation",
                             QStringLiteral("Put the selected source's citation on the clipboard"), this);
    auto* exportSources
        = NamedButton(QStringLiteral("Export Sources..."), "exportSources",
                      QStringLiteral("Write the selected source, or every source shown, to a BibTeX, "
                                     "RIS, EndNote, MODS or CSL-JSON file"),
                      this);
    m_importButton
        = NamedButton(QStringLiteral("Import Sources..."), "importSources",
                      QStringLiteral("Read sources from a BibTeX, RIS, EndNote, MEDLINE, ISI, MODS or "
                                     "CSL-JSON file"),
                      this);
    m_importButton->hide();
    auto* library = new QHBoxLayout;
    library->addStretch();
    library->addWidget(copy);
    library->addWidget(exportSources);
    library->addWidget(m_importButton);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_filtersButton);
    buttons->addStretch();
    buttons->addWidget(create);
    buttons->addWidget(edit);
    buttons->addWidget(remove);
    buttons->addWidget(m_confirm);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_filterArea);
    layout->addWidget(m_list, 1);
    layout->addLayout(library);
    layout->addLayout(buttons);

    connect(create, &QPushButton::clicked, this, &CViewSourcesDlg::NewSource);
    connect(edit, &QPushButton::clicked, this, &CViewSourcesDlg::EditSelected);
    connect(remove, &QPushButton::clicked, this, &CViewSourcesDlg::DeleteSelected);
    connect(copy, &QPushButton::clicked, this, &CViewSourcesDlg::CopyCitation);
    connect(exportSources, &QPushButton::clicked, this, &CViewSourcesDlg::ExportShown);
    connect(m_importButton, &QPushButton::clicked, this, [this] { ImportSources(); });
    connect(m_filtersButton, &QPushButton::clicked, this, [this] {
        m_settings.ShowSrcFilters = m_settings.ShowSrcFilters == 1 ? 0 : 1;
        ShowFilters(m_settings.ShowSrcFilters == 1);
    });
    connect(m_confirm, &QPushButton::clicked, this, [this] {
        if (!m_picking)
            return accept();
        if (m_list->SelectedSourceId() > 0)
            Choose(m_list->SelectedSourceId());
    });
    connect(m_list, &CSourcesListWnd::EditRequested, this, &CViewSourcesDlg::EditSource);
    connect(m_list, &CSourcesListWnd::SourceDoubleClicked, this, [this](qint32 id, int) { Choose(id); });

    const StoredRect& rect = m_settings.ViewSrcRect;
    if (!rect.IsNull() && rect.Width() > 100 && rect.Height() > 100)
        setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
    else
        resize(760, 560);
    FillFilters();
    Refill();
    ShowFilters(m_settings.ShowSrcFilters == 1);
    // Whoever stores sources or authors (this dialog's editors, an import, another
    // window), the list and its filters show them.
    m_following = m_sources.Changes().Subscribe([this](const DataChange& change) {
        if (change.HasAny(DataChange::Sources | DataChange::Authors | DataChange::Reloaded)) {
            FillFilters();
            Refill();
        }
    });
}

CViewSourcesDlg::~CViewSourcesDlg() = default;

void CViewSourcesDlg::SetLibrary(LibraryCommands* library)
{
    m_library = library;
    m_importButton->setVisible(library != nullptr);
    setAcceptDrops(library != nullptr);
}

void CViewSourcesDlg::CopyCitation()
{
    const SourceRecord* source = m_sources.FindSource(m_list->SelectedSourceId());
    if (!source) {
        m_prompt.Tell(QStringLiteral("You must select a source to copy."), NotSelectedCaption(),
                      UserPrompt::Icon::Warning);
        return;
    }
    LibraryCommands::CopyCitations({*source}, m_sources.Authors());
}

void CViewSourcesDlg::ExportShown()
{
    QList<qint32> ids;
    if (m_list->SelectedSourceId() > 0) {
        ids.append(m_list->SelectedSourceId());
    } else {
        for (const SourceRecord& source : m_list->Sources())
            ids.append(source.SourceId);
    }
    if (ids.isEmpty())
        return;
    LibraryCommands::ExportSourcesOf(this, m_prompt, m_database.Folder().Files(), m_sources.Sources(),
                                     m_sources.Authors(), ids);
}

void CViewSourcesDlg::ImportSources(const QString& path)
{
    if (m_library)
        static_cast<void>(m_library->ImportSources(path)); // the list follows the change
}

void CViewSourcesDlg::dragEnterEvent(QDragEnterEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls()) {
        if (m_library && url.isLocalFile() && LibraryCommands::IsBibliographyFile(url.toLocalFile())) {
            event->acceptProposedAction();
            return;
        }
    }
}

void CViewSourcesDlg::dropEvent(QDropEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls()) {
        if (m_library && url.isLocalFile() && LibraryCommands::IsBibliographyFile(url.toLocalFile())) {
            event->acceptProposedAction();
            ImportSources(url.toLocalFile());
            return;
        }
    }
}

void CViewSourcesDlg::hideEvent(QHideEvent* event)
{
    StoreRect();
    QDialog::hideEvent(event);
}

void CViewSourcesDlg::BuildFilters(QWidget* area)
{
    auto* form = new QFormLayout(area);
    form->setContentsMargins(0, 0, 0, 0);
    auto makeFilter = [area, this](const char* objectName, const QString& name) {
        auto* combo = new QComboBox(area);
        combo->setObjectName(QLatin1String(objectName));
        combo->setAccessibleName(name);
        combo->setToolTip(QStringLiteral("Show only the sources of one %1").arg(name.chopped(1).toLower()));
        connect(combo, &QComboBox::activated, this, &CViewSourcesDlg::Refill);
        return combo;
    };
    m_publications = makeFilter("publicationFilter", QStringLiteral("Publication:"));
    m_authors = makeFilter("authorFilter", QStringLiteral("Author:"));
    m_titles = makeFilter("titleFilter", QStringLiteral("Title:"));
    form->addRow(QStringLiteral("Publication:"), m_publications);
    form->addRow(QStringLiteral("Author:"), m_authors);
    form->addRow(QStringLiteral("Title:"), m_titles);
}

void CViewSourcesDlg::FillFilters()
{
    QStringList titles, authors, publications;
    for (const SourceRecord& source : m_sources.Sources()) {
        titles.append(source.Fields.value(0));
        publications.append(source.Fields.value(1));
        authors.append(SourceFilterAuthorText(source, m_sources.Authors()));
    }
    auto fill = [](QComboBox* combo, const QString& all, const QStringList& values) {
        const QString kept = combo->currentIndex() > 0 ? combo->currentText() : QString();
        combo->clear();
        combo->addItem(all);
        combo->addItems(DistinctFilterValues(values));
        combo->setCurrentIndex(std::max(0, combo->findText(kept)));
    };
    fill(m_publications, QStringLiteral("<-ALL PUBLICATIONS->"), publications);
    fill(m_authors, QStringLiteral("<-ALL AUTHORS->"), authors);
    fill(m_titles, QStringLiteral("<-ALL TITLES->"), titles);
}

void CViewSourcesDlg::Refill()
{
    SourceFilter filter;
    filter.title = m_titles->currentIndex() > 0 ? m_titles->currentText() : QString();
    filter.author = m_authors->currentIndex() > 0 ? m_authors->currentText() : QString();
    filter.publication = m_publications->currentIndex() > 0 ? m_publications->currentText() : QString();
    SourceList shown = FilterSources(m_sources.Sources(), m_sources.Authors(), filter);
    SortSourceList(shown, m_sources.Authors());
    m_list->SetSources(shown);
}

void CViewSourcesDlg::ShowFilters(bool shown)
{
    m_filterArea->setVisible(shown);
    m_filtersButton->setText(shown ? QStringLiteral("Hide Filters") : QStringLiteral("Show Filters"));
    m_filtersButton->setAccessibleName(m_filtersButton->text());
}

void CViewSourcesDlg::SetPickingMode(qint32 currentSourceId)
{
    m_picking = true;
    setWindowTitle(QStringLiteral("Select Source"));
    setAccessibleName(QStringLiteral("Select Source"));
    m_confirm->setText(QStringLiteral("SELECT"));
    m_confirm->setAccessibleName(QStringLiteral("SELECT"));
    m_confirm->setToolTip(QStringLiteral("Use the selected source"));
    m_list->SetDoubleClickReports(true);
    if (currentSourceId > 0)
        m_list->SelectSource(currentSourceId);
}

void CViewSourcesDlg::Choose(qint32 sourceId)
{
    m_chosenId = sourceId;
    accept();
}

qint32 CViewSourcesDlg::PickSource(NoteDatabase& database, SourceStore& sources, Settings& settings,
                                   UserPrompt& prompt, qint32 currentSourceId, QWidget* parent)
{
    CViewSourcesDlg dialog(database, sources, settings, prompt, parent);
    dialog.SetPickingMode(currentSourceId);
    if (dialog.exec() != QDialog::Accepted)
        return -1;
    return dialog.ChosenSourceId();
}

void CViewSourcesDlg::NewSource()
{
    if (ReadOnlyRefusal::Refuse(m_database.Folder(), m_prompt))
        return;
    CEditSourceDlg editor(m_database, m_sources, m_prompt, m_sources.NewSource(m_settings.SourceFormat), true,
                          this);
    if (editor.exec() != QDialog::Accepted)
        return;
    m_list->SelectSource(editor.SavedSource().SourceId);
}

void CViewSourcesDlg::EditSelected()
{
    if (m_list->SelectedSourceId() <= 0) {
        m_prompt.Tell(QStringLiteral("You must select a source to edit."), NotSelectedCaption(),
                      UserPrompt::Icon::Warning);
        return;
    }
    EditSource(m_list->SelectedSourceId());
}

void CViewSourcesDlg::EditSource(qint32 sourceId)
{
    const SourceRecord* stored = m_sources.FindSource(sourceId);
    if (!stored || ReadOnlyRefusal::Refuse(m_database.Folder(), m_prompt))
        return;
    CEditSourceDlg editor(m_database, m_sources, m_prompt, *stored, false, this);
    if (editor.exec() != QDialog::Accepted)
        return;
    m_list->SelectSource(sourceId);
}

void CViewSourcesDlg::DeleteSelected()
{
    const qint32 id = m_list->SelectedSourceId();
    if (id <= 0) {
        m_prompt.Tell(QStringLiteral("You must select a source to delete."), NotSelectedCaption(),
                      UserPrompt::Icon::Warning);
        return;
    }
    // The list follows the deletion (or shows the same sources when none was made).
    if (!ReadOnlyRefusal::Refuse(m_database.Folder(), m_prompt))
        static_cast<void>(SourceCommands::DeleteSource(m_sources, id, m_prompt));
}

void CViewSourcesDlg::StoreRect()
{
    const QRect r = geometry();
    m_settings.ViewSrcRect = StoredRect {r.left(), r.top(), r.right() + 1, r.bottom() + 1};
}
