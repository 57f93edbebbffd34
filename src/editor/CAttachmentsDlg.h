#pragma once

#include "format/DataFolder.h"
#include "format/NoteRecord.h"

#include <QDialog>
#include <functional>

class CAttachmentsListCtrl;
class ProgressReporter;
class UserPrompt;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

// "Attachments": works directly on the attachment list of the note being edited (the
// editor saves or drops the note as a whole, so there is nothing to cancel here). Files
// added are copied in, and files of removed attachments deleted, only when the note is
// saved. Enter and Escape do nothing; "Save" closes.
class CAttachmentsDlg : public QDialog
{
    Q_OBJECT
public:
    CAttachmentsDlg(NoteRecord& note, DataFolder folder, UserPrompt& prompt, QWidget* parent = nullptr);

    CAttachmentsListCtrl* List() const { return m_list; }
    QLineEdit* TitleEdit() const { return m_title; }
    QComboBox* TypeList() const { return m_type; }
    QCheckBox* IconBox() const { return m_asIcon; }

    // "Add New Attachment" with a chosen file: false (and the "Invalid Attachment"
    // message) for a missing file or one already added since the last save.
    bool AddFile(const QString& path);
    // "Add New Attachment": asks for the file first.
    void AddNewAttachment();
    // "Remove Attachment", after the question.
    void RemoveAttachment();
    // "Move Up" (-1) and "Move Down" (+1).
    void MoveAttachment(int step);
    // "Extract Attachment": asks where to, then copies the file there.
    void ExtractAttachment();
    // A double-click: a picture in "View Image", any other file by the desktop's handler.
    void OpenAttachment(int row);
    void SelectAttachment(int row);

    // The file an attachment stands for: the chosen file until the note is saved, then
    // its copy in the attachment folder.
    QString FilePath(const AttachmentRecord& attachment) const;

    // Where "Extracting file...." is shown; nowhere when unset.
    void SetProgress(ProgressReporter* progress) { m_progress = progress; }

    // How files other than pictures are opened; the desktop's handler when unset.
    void SetFileOpener(std::function<void(const QString&)> opener) { m_openFile = std::move(opener); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildLayout();
    void ShowSelected();
    void OnTitleEdited(const QString& text);
    void OnTypeChosen(int index);
    void OnIconToggled(bool asIcon);
    AttachmentRecord* Selected();

    NoteRecord& m_note;
    DataFolder m_folder;
    UserPrompt& m_prompt;
    std::function<void(const QString&)> m_openFile;
    ProgressReporter* m_progress = nullptr;
    bool m_showing = false;

    CAttachmentsListCtrl* m_list = nullptr;
    QLineEdit* m_title = nullptr;
    QComboBox* m_type = nullptr;
    QCheckBox* m_asIcon = nullptr;
    QList<QPushButton*> m_selectionButtons;
};
