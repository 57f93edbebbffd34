#pragma once

#include "format/NoteRecord.h"

#include <QDialog>
#include <QFont>

class CCategoryTreeCtrl;
class CNoteEditCtrl;
class CategoryTree;
class QLabel;
class QLineEdit;
class QTreeWidget;
class UserPrompt;

// "View/Edit Import Note": one incoming note before it is imported, its text editable,
// its source shown, its categories and key words editable, its date and attachments
// shown. Save hands back the edited copy (Edited()); the import list is changed by the
// import dialog, never the database.
class CEditImpNoteDlg : public QDialog
{
    Q_OBJECT
public:
    // tempFolder: where the archive was extracted; the attachments open from there.
    CEditImpNoteDlg(const NoteRecord& note, const CategoryTree* trees, UserPrompt& prompt,
                    const QString& tempFolder, const QFont& textFont, QWidget* parent = nullptr);

    const NoteRecord& Edited() const { return m_note; }
    CNoteEditCtrl* TextBox() const { return m_text; }
    QLineEdit* KeyWordsBox() const { return m_keyWords; }
    CCategoryTreeCtrl* CategoryTreeBox() const { return m_categories; }
    QTreeWidget* AttachmentList() const { return m_attachments; }

    // Refuses an empty text ("Note must contain some text."); otherwise takes the text,
    // key words (trimmed) and categories, stamps LastEdited and closes with OK.
    bool Save();

private:
    QWidget* MakeDetails();
    void OpenAttachment(int row);

    NoteRecord m_note;
    UserPrompt& m_prompt;
    QString m_tempFolder;
    CNoteEditCtrl* m_text = nullptr;
    CCategoryTreeCtrl* m_categories = nullptr;
    QLineEdit* m_keyWords = nullptr;
    QTreeWidget* m_attachments = nullptr;
};
