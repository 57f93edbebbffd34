#pragma once

#include "format/NoteRecord.h"
#include "ui/exchange/ImportDialogContext.h"

#include <QDialog>

class CCategoryTreeCtrl;
class CNoteEditCtrl;
class QLineEdit;
class QTextBrowser;
class QTreeWidget;

// "View/Edit Import Note": one incoming note before it is imported, its text editable,
// its source shown, its categories and key words editable, its date and attachments
// shown. Save hands back the edited copy (Edited()); the import list is changed by the
// import dialog, never the database.
class CEditImpNoteDlg : public QDialog
{
    Q_OBJECT
public:
    // The attachments open from the context's tempFolder, where the archive was extracted.
    // The context's prompt must be set.
    CEditImpNoteDlg(const NoteRecord& note, const ImportDialogContext& context, QWidget* parent = nullptr);

    const NoteRecord& Edited() const { return m_note; }
    CNoteEditCtrl* TextBox() const { return m_text; }
    QLineEdit* KeyWordsBox() const { return m_keyWords; }
    CCategoryTreeCtrl* CategoryTreeBox() const { return m_categories; }
    QTreeWidget* AttachmentList() const { return m_attachments; }
    // The citation of the note's source, empty when it has none.
    QTextBrowser* SourceBox() const { return m_source; }

    // Refuses an empty text ("Note must contain some text."); otherwise, under "Saving
    // Information....", takes the text, key words (trimmed) and categories, stamps
    // LastEdited and closes with OK.
    bool Save();

private:
    QWidget* MakeDetails();
    void OpenAttachment(int row);

    NoteRecord m_note;
    const ImportDialogContext& m_context;
    CNoteEditCtrl* m_text = nullptr;
    QTextBrowser* m_source = nullptr;
    CCategoryTreeCtrl* m_categories = nullptr;
    QLineEdit* m_keyWords = nullptr;
    QTreeWidget* m_attachments = nullptr;
};
