#include "ui/exchange/CImportNotesDlg.h"

#include "exchange/ImportSession.h"
#include "platform/UserPrompt.h"
#include "ui/exchange/CCategoryTreeCtrlImp.h"
#include "ui/exchange/CEditImpNoteDlg.h"
#include "ui/exchange/CImportDifferencesDlg.h"
#include "ui/exchange/CImportListCtrl.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* MakeHint(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setAccessibleName(text);
    return label;
}

// The legend: the selected check image of each state with its name.
QWidget* MakeLegend(QWidget* parent)
{
    auto* legend = new QWidget(parent);
    legend->setObjectName(QStringLiteral("legend"));
    legend->setAccessibleName(QStringLiteral("Legend: green new, red newer, blue older, grey same"));
    auto* layout = new QHBoxLayout(legend);
    layout->setContentsMargins(0, 0, 0, 0);
    const QString names[]
        = {QStringLiteral("New"), QStringLiteral("Newer"), QStringLiteral("Older"), QStringLiteral("Same")};
    for (int image = 2; image <= 5; ++image) {
        auto* icon = new QLabel(legend);
        icon->setPixmap(CImportListCtrl::CheckIcon(image).pixmap(16, 16));
        icon->setAccessibleName(names[image - 2]);
        layout->addWidget(icon);
        layout->addWidget(MakeHint(names[image - 2], legend));
    }
    layout->addStretch();
    return legend;
}

} // namespace

CImportNotesDlg::CImportNotesDlg(ImportSession& session, ImportDialogContext context, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_context(std::move(context))
{
    setWindowTitle(QStringLiteral("Import Notes"));
    setObjectName(QStringLiteral("importNotesDialog"));
    setAccessibleName(windowTitle());
    resize(1000, 640);

    auto* lower = new QHBoxLayout;
    lower->addWidget(MakeOptionsGroup(), 1);
    lower->addWidget(MakeOverrideGroup(), 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(MakeButton(kSelectAll, QStringLiteral("Select &All"),
                                  QStringLiteral("selectAllButton"),
                                  QStringLiteral("Select every listed note")));
    buttons->addWidget(MakeButton(kSelectNone, QStringLiteral("Select &None"),
                                  QStringLiteral("selectNoneButton"), QStringLiteral("Select no note")));
    buttons->addStretch();
    buttons->addWidget(MakeButton(kImport, QStringLiteral("&Import"), QStringLiteral("importButton"),
                                  QStringLiteral("Import the selected notes")));
    buttons->addWidget(MakeButton(kCancel, QStringLiteral("Cancel"), QStringLiteral("cancelButton"),
                                  QStringLiteral("Import nothing")));
    m_buttons.value(kImport)->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeListGroup(), 1);
    layout->addLayout(lower);
    layout->addLayout(buttons);

    connect(m_buttons.value(kImport), &QPushButton::clicked, this, &CImportNotesDlg::Import);
    connect(m_buttons.value(kApply), &QPushButton::clicked, this, &CImportNotesDlg::ApplyCategoryChange);
    connect(m_buttons.value(kSelectAll), &QPushButton::clicked, this,
            [this] { m_list->SetAllChecked(true); });
    connect(m_buttons.value(kSelectNone), &QPushButton::clicked, this,
            [this] { m_list->SetAllChecked(false); });
    connect(m_buttons.value(kCancel), &QPushButton::clicked, this, &QDialog::reject);
    connect(m_showSame, &QCheckBox::toggled, this, &CImportNotesDlg::Refill);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { EditRow(m_list->indexOfTopLevelItem(item)); });
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QWidget::customContextMenuRequested, this, &CImportNotesDlg::ShowRowMenu);
    Refill();
}

QPushButton* CImportNotesDlg::MakeButton(int commandId, const QString& text, const QString& name,
                                         const QString& tip)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setAccessibleName(QString(text).remove(QLatin1Char('&')));
    button->setToolTip(tip);
    button->setAutoDefault(false);
    m_buttons.insert(commandId, button);
    return button;
}

QPushButton* CImportNotesDlg::Button(int commandId) const
{
    return m_buttons.value(commandId);
}

QWidget* CImportNotesDlg::MakeListGroup()
{
    auto* group = new QGroupBox(QStringLiteral("Notes To Import:"), this);
    group->setAccessibleName(QStringLiteral("Notes To Import"));
    m_list = new CImportListCtrl(group);
    auto* hints = new QHBoxLayout;
    hints->addWidget(MakeHint(QStringLiteral("Double-Click on a note to view/edit."), group));
    hints->addStretch();
    hints->addWidget(MakeHint(Hint(), group));
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(m_list, 1);
    layout->addLayout(hints);
    return group;
}

QWidget* CImportNotesDlg::MakeOptionsGroup()
{
    auto* group = new QGroupBox(QStringLiteral("Import Options:"), this);
    group->setAccessibleName(QStringLiteral("Import Options"));
    m_showSame = new QCheckBox(QStringLiteral("Show existing (same) notes"), group);
    m_showSame->setObjectName(QStringLiteral("showSameBox"));
    m_showSame->setAccessibleName(m_showSame->text());
    m_showSame->setToolTip(QStringLiteral("List the notes that are the same as in the database"));
    m_showSame->setChecked(true);
    m_displayImported = new QCheckBox(QStringLiteral("Display imported notes after import"), group);
    m_displayImported->setObjectName(QStringLiteral("displayImportedBox"));
    m_displayImported->setAccessibleName(m_displayImported->text());
    m_displayImported->setToolTip(QStringLiteral("Show the imported notes as the current notes"));
    m_displayImported->setChecked(true);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(m_showSame);
    layout->addWidget(m_displayImported);
    layout->addStretch();
    layout->addWidget(MakeLegend(group));
    return group;
}

QWidget* CImportNotesDlg::MakeOverrideGroup()
{
    auto* group = new QGroupBox(QStringLiteral("Change Categories of Selected Notes"), this);
    group->setAccessibleName(group->title());
    m_override = new CCategoryTreeCtrlImp(m_context.trees, group);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(m_override);
    auto* apply = MakeButton(kApply, QStringLiteral("A&pply"), QStringLiteral("applyCategoryButton"),
                             QStringLiteral("Give every selected note these categories"));
    layout->addWidget(apply, 0, Qt::AlignRight);
    return group;
}

void CImportNotesDlg::Refill()
{
    m_list->Fill(m_session, m_showSame->isChecked());
}

bool CImportNotesDlg::Import()
{
    const QList<int> chosen = m_list->CheckedNotes();
    if (chosen.isEmpty()) {
        if (m_context.prompt)
            m_context.prompt->Tell(QStringLiteral("There are no notes selected to import."),
                                   QStringLiteral("Invalid Notes"), UserPrompt::Icon::Warning);
        return false;
    }
    m_chosen = chosen;
    accept();
    return true;
}

void CImportNotesDlg::ApplyCategoryChange()
{
    m_session.ApplyCategoryOverride(m_list->CheckedNotes(), m_override->Choices(), DateTime::CurrentLocal());
    for (int row = 0; row < m_list->RowCount(); ++row)
        m_list->RefreshRow(row, m_session);
}

int CImportNotesDlg::RunDialog(QDialog& dialog)
{
    return m_context.runDialog ? m_context.runDialog(dialog) : dialog.exec();
}

void CImportNotesDlg::EditRow(int row)
{
    const int index = m_list->NoteIndex(row);
    if (index < 0)
        return;
    if (!m_context.prompt)
        return;
    CEditImpNoteDlg editor(m_session.FullNote(index), m_context, this);
    if (RunDialog(editor) != QDialog::Accepted)
        return;
    m_session.ReplaceNote(index, editor.Edited());
    m_list->RefreshRow(row, m_session);
}

bool CImportNotesDlg::ShowDifferences(int row)
{
    const int image = m_list->CheckImage(row);
    const int index = m_list->NoteIndex(row);
    if ((image != 3 && image != 4) || index < 0 || m_session.ExistingNote(index) == nullptr)
        return false;
    // Both notes with their texts, read again from the archive and the note file.
    const NoteRecord incoming = m_session.FullNote(index);
    const std::optional<NoteRecord> existing = m_session.FullExistingNote(index);
    const SourceList noSources;
    const AuthorList noAuthors;
    CImportDifferencesDlg report(incoming, *existing, m_context.sources ? *m_context.sources : noSources,
                                 m_context.authors ? *m_context.authors : noAuthors, this);
    RunDialog(report);
    return true;
}

void CImportNotesDlg::ShowRowMenu(const QPoint& position)
{
    QTreeWidgetItem* item = m_list->itemAt(position);
    const int row = item ? m_list->indexOfTopLevelItem(item) : -1;
    const int image = m_list->CheckImage(row);
    if (row < 0 || (image != 3 && image != 4))
        return;
    QMenu menu(this);
    menu.setAccessibleName(QStringLiteral("Note menu"));
    QAction* differences = menu.addAction(QStringLiteral("Show Differences..."));
    if (menu.exec(m_list->viewport()->mapToGlobal(position)) == differences)
        ShowDifferences(row);
}

bool ImportDialogChooser::Choose(ImportSession& session, ImportChoice* choice)
{
    CImportNotesDlg dialog(session, m_context, m_parent);
    const int result = m_context.runDialog ? m_context.runDialog(dialog) : dialog.exec();
    if (result != QDialog::Accepted || dialog.Chosen().isEmpty())
        return false;
    choice->selected = dialog.Chosen();
    choice->displayImported = dialog.DisplayImportedBox()->isChecked();
    return true;
}
