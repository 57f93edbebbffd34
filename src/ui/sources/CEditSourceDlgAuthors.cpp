// The "Set Authors" area of "Edit Source": the two author lists and the author buttons.
#include "lists/SourceCommands.h"
#include "platform/UserPrompt.h"
#include "sources/NameList.h"
#include "sources/SourceEditing.h"
#include "sources/SourceLookup.h"
#include "store/NoteDatabase.h"
#include "store/SourceStore.h"
#include "ui/sources/CEditSourceDlg.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

QListWidgetItem* AuthorItem(const AuthorRecord& author)
{
    auto* item = new QListWidgetItem(AuthorDisplayName(author));
    item->setData(Qt::UserRole, author.AuthorId);
    return item;
}

QLabel* Hint(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setStyleSheet(QStringLiteral("color: #555; font-size: 10px;"));
    return label;
}

} // namespace

QWidget* CEditSourceDlg::BuildAuthorArea()
{
    auto* box = new QGroupBox(QStringLiteral("Set Authors"), this);
    box->setAccessibleName(QStringLiteral("Set Authors"));
    auto* grid = new QGridLayout(box);
    m_available = new QListWidget(box);
    m_available->setObjectName(QStringLiteral("availableAuthors"));
    m_available->setAccessibleName(QStringLiteral("Available Authors:"));
    m_available->setToolTip(QStringLiteral("Dbl-Clk name to add author."));
    m_chosen = new QListWidget(box);
    m_chosen->setObjectName(QStringLiteral("sourceAuthors"));
    m_chosen->setAccessibleName(QStringLiteral("Source Authors:"));
    m_chosen->setToolTip(QStringLiteral("Dbl-Clk name to remove author. Drag names to change order."));
    m_chosen->setDragDropMode(QAbstractItemView::InternalMove);
    m_chosen->setDefaultDropAction(Qt::MoveAction);
    grid->addWidget(new QLabel(QStringLiteral("Available Authors:"), box), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Source Authors:"), box), 0, 1);
    grid->addWidget(m_available, 1, 0);
    grid->addWidget(m_chosen, 1, 1);
    grid->addWidget(Hint(QStringLiteral("Dbl-Clk name to add author."), box), 2, 0);
    grid->addWidget(Hint(QStringLiteral("Dbl-Clk name to remove author.\nDrag names to change order."), box),
                    2, 1);

    auto makeEdit = [box](const char* objectName, const QString& label, const QString& tip) {
        auto* edit = new QLineEdit(box);
        edit->setObjectName(QLatin1String(objectName));
        edit->setAccessibleName(label);
        edit->setToolTip(tip);
        return edit;
    };
    m_first = makeEdit("authorFirst", QStringLiteral("First:"), QStringLiteral("First name"));
    m_middle = makeEdit("authorMiddle", QStringLiteral("M.I.:"), QStringLiteral("Middle name or initial"));
    m_last = makeEdit("authorLast", QStringLiteral("Last:"), QStringLiteral("Last name"));
    auto* names = new QGridLayout;
    names->addWidget(new QLabel(QStringLiteral("First:"), box), 0, 0);
    names->addWidget(m_first, 0, 1);
    names->addWidget(new QLabel(QStringLiteral("M.I.:"), box), 1, 0);
    names->addWidget(m_middle, 1, 1);
    names->addWidget(new QLabel(QStringLiteral("Last:"), box), 2, 0);
    names->addWidget(m_last, 2, 1);
    grid->addLayout(names, 3, 0, 1, 2);

    auto makeButton = [box](const char* objectName, const QString& text, const QString& tip) {
        auto* button = new QPushButton(text, box);
        button->setObjectName(QLatin1String(objectName));
        button->setAccessibleName(text);
        button->setToolTip(tip);
        button->setAutoDefault(false);
        return button;
    };
    m_addAuthor = makeButton("addAuthor", QStringLiteral("Add New"),
                             QStringLiteral("Create an author from the names"));
    m_updateAuthor = makeButton("updateAuthor", QStringLiteral("Update"),
                                QStringLiteral("Replace the selected author's names"));
    m_deleteAuthor
        = makeButton("deleteAuthor", QStringLiteral("Delete"), QStringLiteral("Delete the selected author"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_addAuthor);
    buttons->addWidget(m_updateAuthor);
    buttons->addWidget(m_deleteAuthor);
    grid->addLayout(buttons, 4, 0, 1, 2);

    connect(m_available, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { AddAuthorToSource(item->data(Qt::UserRole).toInt()); });
    connect(m_chosen, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { RemoveAuthorFromSource(item->data(Qt::UserRole).toInt()); });
    connect(m_available, &QListWidget::itemSelectionChanged, this, &CEditSourceDlg::OnAvailableSelected);
    connect(m_chosen->model(), &QAbstractItemModel::rowsMoved, this, &CEditSourceDlg::OnAuthorsReordered);
    connect(m_addAuthor, &QPushButton::clicked, this, &CEditSourceDlg::OnAddAuthor);
    connect(m_updateAuthor, &QPushButton::clicked, this, &CEditSourceDlg::OnUpdateAuthor);
    connect(m_deleteAuthor, &QPushButton::clicked, this, &CEditSourceDlg::OnDeleteAuthor);
    return box;
}

void CEditSourceDlg::FillAuthorLists(qint32 selectAvailable)
{
    const AuthorList& authors = m_sources.Authors();
    const QList<qint32>& ids = m_editor.Working().AuthorIds;
    m_available->clear();
    m_chosen->clear();
    for (const AuthorRecord& author : authors) {
        if (!ids.contains(author.AuthorId))
            m_available->addItem(AuthorItem(author));
    }
    m_available->sortItems();
    for (qint32 id : ids) {
        if (const AuthorRecord* author = FindAuthor(authors, id))
            m_chosen->addItem(AuthorItem(*author));
    }
    for (int row = 0; row < m_available->count(); ++row) {
        if (m_available->item(row)->data(Qt::UserRole).toInt() == selectAvailable) {
            m_available->setCurrentRow(row);
            m_available->scrollToItem(m_available->item(row));
        }
    }
    OnAvailableSelected();
}

void CEditSourceDlg::AddAuthorToSource(qint32 authorId)
{
    m_editor.AppendAuthor(authorId);
    FillAuthorLists();
    Redraw();
}

void CEditSourceDlg::RemoveAuthorFromSource(qint32 authorId)
{
    m_editor.RemoveAuthor(authorId);
    FillAuthorLists();
    Redraw();
}

void CEditSourceDlg::OnAuthorsReordered()
{
    QList<qint32> order;
    for (int row = 0; row < m_chosen->count(); ++row)
        order.append(m_chosen->item(row)->data(Qt::UserRole).toInt());
    m_editor.SetAuthorOrder(order);
    Redraw();
}

qint32 CEditSourceDlg::SelectedAvailableId() const
{
    const QList<QListWidgetItem*> selected = m_available->selectedItems();
    return selected.isEmpty() ? -1 : selected.first()->data(Qt::UserRole).toInt();
}

void CEditSourceDlg::OnAvailableSelected()
{
    const AuthorRecord* author = FindAuthor(m_sources.Authors(), SelectedAvailableId());
    m_first->setText(author ? author->FirstName : QString());
    m_middle->setText(author ? author->MiddleInitial : QString());
    m_last->setText(author ? author->LastName : QString());
    m_updateAuthor->setEnabled(author != nullptr);
    m_deleteAuthor->setEnabled(author != nullptr);
}

void CEditSourceDlg::OnAddAuthor()
{
    FileStatus failure;
    const qint32 id = m_sources.AddAuthor(
        AuthorRecord {-1, m_first->text(), m_middle->text(), m_last->text(), {}, {}}, &failure);
    if (!failure) {
        m_prompt.Tell(failure.Message(), FileStatus::Caption(), UserPrompt::Icon::Warning);
        return;
    }
    if (id <= 0) {
        QApplication::beep();
        return;
    }
    FillAuthorLists(id);
}

void CEditSourceDlg::OnUpdateAuthor()
{
    const qint32 id = SelectedAvailableId();
    FileStatus failure;
    if (!m_sources.RenameAuthor(id, m_first->text(), m_middle->text(), m_last->text(), &failure)) {
        if (!failure)
            m_prompt.Tell(failure.Message(), FileStatus::Caption(), UserPrompt::Icon::Warning);
        return;
    }
    FillAuthorLists(id);
    Redraw();
}

void CEditSourceDlg::OnDeleteAuthor()
{
    if (!SourceCommands::DeleteAuthor(m_sources, SelectedAvailableId(), m_prompt))
        return;
    FillAuthorLists();
}
