#include "ui/categories/CCategoryNameDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CCategoryNameDlg::CCategoryNameDlg(const QString& caption, const QString& initial, bool canCancel,
                                   QWidget* parent)
    : QDialog(parent)
    , m_name(new QLineEdit(initial, this))
    , m_canCancel(canCancel)
{
    setObjectName(QStringLiteral("CategoryNameDlg"));
    setWindowTitle(caption);
    setAccessibleName(caption);
    m_name->setObjectName(QStringLiteral("newNameField"));
    m_name->setAccessibleName(QStringLiteral("New Name:"));
    m_name->setToolTip(QStringLiteral("The name of the category"));
    m_name->selectAll();

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("New Name:"), m_name);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* save = buttons->addButton(QStringLiteral("Save"), QDialogButtonBox::AcceptRole);
    save->setObjectName(QStringLiteral("saveButton"));
    save->setAccessibleName(QStringLiteral("Save"));
    save->setToolTip(QStringLiteral("Take this name"));
    save->setDefault(true);
    if (canCancel) {
        QPushButton* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
        cancel->setObjectName(QStringLiteral("cancelButton"));
        cancel->setAccessibleName(QStringLiteral("Cancel"));
        cancel->setToolTip(QStringLiteral("Keep things as they are"));
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

QString CCategoryNameDlg::Name() const
{
    return m_name->text().trimmed();
}

void CCategoryNameDlg::reject()
{
    // Without a Cancel button, Escape or closing the window saves the name as it stands.
    if (m_canCancel)
        QDialog::reject();
    else
        accept();
}

std::optional<QString> DialogNamePrompt::AskName(const QString& caption, const QString& initial,
                                                 bool canCancel)
{
    CCategoryNameDlg dialog(caption, initial, canCancel, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Name();
}
