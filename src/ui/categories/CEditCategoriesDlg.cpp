#include "ui/categories/CEditCategoriesDlg.h"

#include "ui/categories/CEditCategoriesCtrl.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* MakeButton(const QString& text, const QString& tip, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(text);
    button->setToolTip(tip);
    return button;
}

} // namespace

CEditCategoriesDlg::CEditCategoriesDlg(const CategoryTree& trees, const NoteIdList& unassignedNoteIds,
                                       UserPrompt& prompt, NamePrompt& names, QWidget* parent)
    : QDialog(parent)
    , m_working(CategoryTreeEditor::WorkingCopy(trees, unassignedNoteIds))
    , m_editor(std::make_unique<CategoryTreeEditor>(m_working, prompt, names))
{
    setObjectName(QStringLiteral("EditCategoriesDlg"));
    setWindowTitle(QStringLiteral("Edit Category Trees"));
    setAccessibleName(QStringLiteral("Edit Category Trees"));
    resize(560, 520);

    auto* treeLabel = new QLabel(QStringLiteral("Category Trees:"), this);
    m_tree = new CEditCategoriesCtrl(*m_editor, this);
    treeLabel->setBuddy(m_tree);

    auto* help = new QGroupBox(QStringLiteral("Help:"), this);
    help->setAccessibleName(QStringLiteral("Help:"));
    auto* helpText = new QLabel(HelpText(), help);
    helpText->setObjectName(QStringLiteral("helpText"));
    helpText->setAccessibleName(QStringLiteral("Help text"));
    helpText->setWordWrap(true);
    auto* helpLayout = new QVBoxLayout(help);
    helpLayout->addWidget(helpText);

    QPushButton* save = MakeButton(
        QStringLiteral("Save"), QStringLiteral("Keep the changes and re-file the notes"), "saveButton", this);
    QPushButton* cancel = MakeButton(QStringLiteral("Cancel"), QStringLiteral("Throw every change away"),
                                     "cancelButton", this);
    connect(save, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(treeLabel);
    layout->addWidget(m_tree, 1);
    layout->addWidget(help);
    layout->addLayout(buttons);
}

CEditCategoriesDlg::~CEditCategoriesDlg() = default;

QString CEditCategoriesDlg::HelpText()
{
    return QStringLiteral("Right-click a category to rename it, delete it or create a subcategory under it; "
                          "right-click the blank area to create a new Level 1 category. Drag a category onto "
                          "another to move it there with its subcategories and notes, onto the blank area to "
                          "make it a Level 1 category, or onto <UNASSIGNED> to unassign its notes. Nothing "
                          "changes in your notes until you press Save.");
}
