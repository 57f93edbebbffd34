#include "ui/sources/CImportSourcesDlg.h"

#include "exchange/SourceImport.h"
#include "platform/UserPrompt.h"
#include "sources/SourceNames.h"
#include "ui/NamedControl.h"

#include <QBrush>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

// Helpers of this file, named so that no other file of the library sees them.
namespace ImportSourcesDlgDetail {

enum Column
{
    StatusColumn,
    TypeColumn,
    TitleColumn,
    AuthorsColumn,
    YearColumn,
};

QString StatusText(const SourceImportEntry& entry)
{
    const QString number = QStringLiteral(" %1. - ").arg(entry.index);
    switch (entry.status) {
    case SourceImportEntry::Status::New:
        return number + QStringLiteral("NEW");
    case SourceImportEntry::Status::Duplicate:
        return number + QStringLiteral("DUPLICATE (%1)").arg(entry.reason);
    case SourceImportEntry::Status::Skipped:
        return number + QStringLiteral("SKIPPED (%1)").arg(entry.reason);
    }
    return number;
}

} // namespace ImportSourcesDlgDetail

CImportSourcesDlg::CImportSourcesDlg(SourceImport& import, const QString& fileName, UserPrompt& prompt,
                                     QWidget* parent)
    : QDialog(parent)
    , m_import(import)
    , m_prompt(prompt)
{
    using namespace ImportSourcesDlgDetail;
    setObjectName(QStringLiteral("importSourcesDlg"));
    setWindowTitle(QStringLiteral("Import Sources - %1").arg(fileName));
    setAccessibleName(windowTitle());
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("importSourcesList"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels({QStringLiteral("Selection/Status"), QStringLiteral("Type"),
                             QStringLiteral("Title"), QStringLiteral("Author(s)"), QStringLiteral("Year")});
    m_list->header()->resizeSection(StatusColumn, 200);
    m_list->header()->resizeSection(TypeColumn, 110);
    m_list->header()->resizeSection(TitleColumn, 320);
    m_list->header()->resizeSection(AuthorsColumn, 200);
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("importSourcesCount"));
    auto* all = NamedButton(QStringLiteral("Select All"), "selectAllButton",
                            QStringLiteral("Tick every entry"), this);
    auto* none = NamedButton(QStringLiteral("Select None"), "selectNoneButton",
                             QStringLiteral("Tick no entry"), this);
    m_importButton = NamedButton(QStringLiteral("Import"), "importButton",
                                 QStringLiteral("Store the ticked entries as sources"), this);
    auto* cancel
        = NamedButton(QStringLiteral("Cancel"), "cancelButton", QStringLiteral("Import nothing"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_count, 1);
    buttons->addWidget(all);
    buttons->addWidget(none);
    buttons->addWidget(m_importButton);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Sources To Import:"), this));
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    resize(980, 560);

    connect(all, &QPushButton::clicked, this, &CImportSourcesDlg::SelectAll);
    connect(none, &QPushButton::clicked, this, &CImportSourcesDlg::SelectNone);
    connect(m_importButton, &QPushButton::clicked, this, &CImportSourcesDlg::Import);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemChanged, this, [this] {
        if (!m_filling)
            TakeChecks();
    });
    Fill();
}

void CImportSourcesDlg::Fill()
{
    using namespace ImportSourcesDlgDetail;
    m_filling = true;
    m_list->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(m_import.Entries().size());
    for (const SourceImportEntry& entry : m_import.Entries()) {
        auto* item = new QTreeWidgetItem;
        item->setText(StatusColumn, StatusText(entry));
        item->setText(TypeColumn, SourceTypeName(entry.type));
        item->setText(TitleColumn, entry.title);
        item->setText(AuthorsColumn, entry.authors);
        item->setText(YearColumn, entry.year);
        item->setToolTip(StatusColumn, entry.reason);
        const bool skipped = entry.status == SourceImportEntry::Status::Skipped;
        item->setFlags(skipped ? Qt::ItemIsEnabled
                               : Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(StatusColumn, entry.selected ? Qt::Checked : Qt::Unchecked);
        if (entry.status != SourceImportEntry::Status::New)
            item->setForeground(StatusColumn, skipped ? QColor(160, 0, 0) : QColor(0, 0, 160));
        items.append(item);
    }
    m_list->addTopLevelItems(items);
    m_filling = false;
    ShowCount();
}

void CImportSourcesDlg::TakeChecks()
{
    using namespace ImportSourcesDlgDetail;
    for (int row = 0; row < m_list->topLevelItemCount(); ++row)
        m_import.SetSelected(row, m_list->topLevelItem(row)->checkState(StatusColumn) == Qt::Checked);
    ShowCount();
}

QString CImportSourcesDlg::CountText() const
{
    using namespace ImportSourcesDlgDetail;
    return QStringLiteral("%1 entries, %2 chosen")
        .arg(m_import.Entries().size())
        .arg(m_import.SelectedCount());
}

void CImportSourcesDlg::ShowCount()
{
    using namespace ImportSourcesDlgDetail;
    m_count->setText(CountText());
    m_list->setAccessibleName(QStringLiteral("Sources To Import: ") + CountText());
    m_count->setAccessibleName(CountText());
}

void CImportSourcesDlg::SelectAll()
{
    using namespace ImportSourcesDlgDetail;
    m_import.SelectAll();
    Fill();
}

void CImportSourcesDlg::SelectNone()
{
    using namespace ImportSourcesDlgDetail;
    m_import.SelectNone();
    Fill();
}

void CImportSourcesDlg::Import()
{
    using namespace ImportSourcesDlgDetail;
    if (m_import.SelectedCount() == 0) {
        m_prompt.Tell(QStringLiteral("There are no sources selected to import."),
                      QStringLiteral("Invalid Sources"), UserPrompt::Icon::Warning);
        return;
    }
    accept();
}
