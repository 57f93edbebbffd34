#include "editor/CAttachmentsDlg.h"

#include "editor/AttachmentExtraction.h"
#include "editor/CAttachmentsListCtrl.h"
#include "editor/CViewImageDlg.h"
#include "editor/widgets/FileDialogs.h"
#include "platform/ProgressReporter.h"
#include "platform/UserPrompt.h"
#include "store/NoteEditorFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QPushButton* MakeButton(const QString& text, const char* name, const QString& tip, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(text);
    button->setToolTip(tip);
    button->setAutoDefault(false);
    return button;
}

} // namespace

CAttachmentsDlg::CAttachmentsDlg(NoteRecord& note, DataFolder folder, UserPrompt& prompt, QWidget* parent)
    : QDialog(parent)
    , m_note(note)
    , m_folder(std::move(folder))
    , m_prompt(prompt)
{
    setObjectName(QStringLiteral("attachmentsDlg"));
    setWindowTitle(QStringLiteral("Attachments"));
    setAccessibleName(QStringLiteral("Attachments"));
    setAcceptDrops(true);
    BuildLayout();
    m_list->Fill(m_note.Attachments);
    ShowSelected();
    resize(640, 440);
}

void CAttachmentsDlg::BuildLayout()
{
    m_list = new CAttachmentsListCtrl(this);
    auto* hint = new QLabel(QStringLiteral("Double-Click on an attachment to open it."), this);
    hint->setObjectName(QStringLiteral("openHint"));

    auto* info = new QGroupBox(QStringLiteral("Selected Attachment Info"), this);
    info->setObjectName(QStringLiteral("selectedInfo"));
    info->setAccessibleName(info->title());
    m_title = new QLineEdit(info);
    m_title->setObjectName(QStringLiteral("attachmentTitle"));
    m_title->setAccessibleName(QStringLiteral("Title:"));
    m_title->setToolTip(QStringLiteral("The name shown for the attachment"));
    m_type = new QComboBox(info);
    m_type->setObjectName(QStringLiteral("attachmentType"));
    m_type->setAccessibleName(QStringLiteral("Type:"));
    m_type->setToolTip(QStringLiteral("How the note shows the attachment"));
    for (qint32 kind = 1; kind <= 11; ++kind)
        m_type->addItem(CAttachmentsListCtrl::KindIcon(kind), KindUpperName(kind));
    m_asIcon = new QCheckBox(QStringLiteral("Display Image as icon"), info);
    m_asIcon->setObjectName(QStringLiteral("displayAsIcon"));
    m_asIcon->setAccessibleName(m_asIcon->text());
    m_asIcon->setToolTip(QStringLiteral("Show the picture in the note as an icon"));
    auto* grid = new QGridLayout(info);
    grid->addWidget(new QLabel(QStringLiteral("Title:"), info), 0, 0);
    grid->addWidget(m_title, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Type:"), info), 1, 0);
    grid->addWidget(m_type, 1, 1);
    grid->addWidget(m_asIcon, 2, 1);

    QPushButton* add = MakeButton(QStringLiteral("Add New Attachment"), "addAttachment",
                                  QStringLiteral("Attach a file to the note"), this);
    QPushButton* remove = MakeButton(QStringLiteral("Remove Attachment"), "removeAttachment",
                                     QStringLiteral("Take the selected file off the note"), this);
    QPushButton* up = MakeButton(QStringLiteral("Move Up"), "moveUp", QStringLiteral("One place up"), this);
    QPushButton* down
        = MakeButton(QStringLiteral("Move Down"), "moveDown", QStringLiteral("One place down"), this);
    QPushButton* extract = MakeButton(QStringLiteral("Extract Attachment"), "extractAttachment",
                                      QStringLiteral("Save a copy of the selected file"), this);
    QPushButton* save = MakeButton(QStringLiteral("Save"), "saveAttachments", QStringLiteral("Close"), this);
    m_selectionButtons = {remove, up, down, extract};

    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {add, remove, up, down, extract})
        buttons->addWidget(button);
    buttons->addStretch(1);
    buttons->addWidget(save);
    auto* left = new QVBoxLayout;
    left->addWidget(m_list, 1);
    left->addWidget(hint);
    left->addWidget(info);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);

    connect(add, &QPushButton::clicked, this, &CAttachmentsDlg::AddNewAttachment);
    connect(remove, &QPushButton::clicked, this, &CAttachmentsDlg::RemoveAttachment);
    connect(up, &QPushButton::clicked, this, [this] { MoveAttachment(-1); });
    connect(down, &QPushButton::clicked, this, [this] { MoveAttachment(1); });
    connect(extract, &QPushButton::clicked, this, &CAttachmentsDlg::ExtractAttachment);
    connect(save, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_list, &QTableWidget::itemSelectionChanged, this, &CAttachmentsDlg::ShowSelected);
    connect(m_list, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { OpenAttachment(row); });
    connect(m_title, &QLineEdit::textEdited, this, &CAttachmentsDlg::OnTitleEdited);
    connect(m_type, &QComboBox::activated, this, &CAttachmentsDlg::OnTypeChosen);
    connect(m_asIcon, &QCheckBox::clicked, this, &CAttachmentsDlg::OnIconToggled);
}

AttachmentRecord* CAttachmentsDlg::Selected()
{
    const int row = m_list->SelectedRow();
    return row >= 0 && row < m_note.Attachments.size() ? &m_note.Attachments[row] : nullptr;
}

void CAttachmentsDlg::SelectAttachment(int row)
{
    m_list->SelectRow(row);
    ShowSelected();
}

void CAttachmentsDlg::ShowSelected()
{
    m_showing = true;
    const AttachmentRecord* attachment = Selected();
    const bool any = attachment != nullptr;
    m_title->setText(any ? attachment->Title : QString());
    m_type->setCurrentIndex(any ? attachment->Kind - 1 : -1);
    m_asIcon->setChecked(any && attachment->Kind == KindImage && !attachment->ShowImage);
    for (QWidget* widget :
         {static_cast<QWidget*>(m_title), static_cast<QWidget*>(m_type), static_cast<QWidget*>(m_asIcon)})
        widget->setEnabled(any);
    for (QPushButton* button : std::as_const(m_selectionButtons))
        button->setEnabled(any);
    m_showing = false;
}

void CAttachmentsDlg::OnTitleEdited(const QString& text)
{
    if (AttachmentRecord* attachment = Selected()) {
        attachment->Title = text;
        m_list->item(m_list->SelectedRow(), 0)->setText(text);
    }
}

void CAttachmentsDlg::OnTypeChosen(int index)
{
    if (AttachmentRecord* attachment = Selected()) {
        attachment->SetKind(index + 1);
        m_list->UpdateRow(m_list->SelectedRow(), *attachment);
        ShowSelected();
    }
}

void CAttachmentsDlg::OnIconToggled(bool asIcon)
{
    if (AttachmentRecord* attachment = Selected())
        attachment->ShowImage = !asIcon;
}

bool CAttachmentsDlg::AddFile(const QString& path)
{
    QString error;
    if (!NoteEditorFields::AttachFile(m_note, path, &error)) {
        m_prompt.Tell(error, QStringLiteral("Invalid Attachment"), UserPrompt::Icon::Warning);
        return false;
    }
    m_list->Fill(m_note.Attachments);
    SelectAttachment(int(m_note.Attachments.size()) - 1);
    m_title->setFocus();
    m_title->selectAll();
    return true;
}

void CAttachmentsDlg::AddNewAttachment()
{
    const QString path = FileDialogs::OpenFileName(this, QStringLiteral("Add New Attachment"),
                                                   QStringLiteral("All Files (*)"));
    if (!path.isEmpty())
        AddFile(path);
}

void CAttachmentsDlg::RemoveAttachment()
{
    const int row = m_list->SelectedRow();
    const AttachmentRecord* attachment = Selected();
    if (!attachment)
        return;
    if (!m_prompt.AskYesNo(
            QStringLiteral("Do you wish to remove the selected attachment: \"%1\"?").arg(attachment->Title),
            QStringLiteral("Remove Attachment?")))
        return;
    // A file already in the attachment folder is deleted when the note is saved.
    if (!attachment->StoredName.isEmpty())
        m_note.RemovedAttachmentFiles.append(attachment->StoredName);
    m_note.Attachments.removeAt(row);
    m_list->Fill(m_note.Attachments);
    ShowSelected();
}

void CAttachmentsDlg::MoveAttachment(int step)
{
    const int row = m_list->SelectedRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= m_note.Attachments.size())
        return;
    m_note.Attachments.swapItemsAt(row, target);
    m_list->Fill(m_note.Attachments);
    SelectAttachment(target);
}

QString CAttachmentsDlg::FilePath(const AttachmentRecord& attachment) const
{
    return attachment.SourcePath.isEmpty() ? AttachmentPath(attachment, m_folder) : attachment.SourcePath;
}

void CAttachmentsDlg::ExtractAttachment()
{
    if (const AttachmentRecord* attachment = Selected())
        AttachmentExtraction::Extract(this, *attachment, FilePath(*attachment), m_folder.Files(), m_prompt,
                                      m_progress ? *m_progress : SilentProgress());
}

void CAttachmentsDlg::OpenAttachment(int row)
{
    if (row < 0 || row >= m_note.Attachments.size())
        return;
    const AttachmentRecord& attachment = m_note.Attachments[row];
    const QString path = FilePath(attachment);
    if (attachment.Kind == KindImage) {
        CViewImageDlg viewer(path, this);
        viewer.exec();
    } else if (m_openFile) {
        m_openFile(path);
    } else {
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
}

void CAttachmentsDlg::keyPressEvent(QKeyEvent* event)
{
    // Every change is made at once, so Enter has nothing to confirm and Escape nothing to undo.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CAttachmentsDlg::reject()
{
    // Closing the window keeps the changes like "Save".
    accept();
}

void CAttachmentsDlg::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CAttachmentsDlg::dropEvent(QDropEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            AddFile(url.toLocalFile());
    }
    event->acceptProposedAction();
}
