#pragma once

#include "sources/SourceEditor.h"

#include <QDialog>
#include <array>

class CSourcePreviewWnd;
class NoteDatabase;
class SourceStore;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class ClampingSpinBox;
class UserPrompt;

// "Edit Source": one source, its authors and its formatting, with the citation previewed
// as it changes. Every change goes to a SourceEditor (the form's rules); "Save" stores
// the source through the note database, "Cancel" changes nothing. The author buttons
// change the author list at once, as they always have.
class CEditSourceDlg : public QDialog
{
    Q_OBJECT
public:
    // source: the stored record, or a fresh one from SourceStore::NewSource when isNew.
    CEditSourceDlg(NoteDatabase& database, SourceStore& sources, UserPrompt& prompt,
                   const SourceRecord& source, bool isNew, QWidget* parent = nullptr);

    // The record as stored by "Save".
    const SourceRecord& SavedSource() const { return m_saved; }
    const SourceEditor& Editor() const { return m_editor; }

    // The controls, for tests and the keyboard.
    QComboBox* TypeList() const { return m_type; }
    QComboBox* StyleList() const { return m_style; }
    QLineEdit* TitleEdit() const { return m_title; }
    QComboBox* PublicationList() const { return m_publication; }
    QLineEdit* FieldEdit(int index) const { return m_fields[index - 3]; }
    QLabel* FieldLabel(int index) const { return m_labels[index - 3]; }
    QCheckBox* DateBox() const { return m_hasDate; }
    QDateEdit* DatePicker() const { return m_date; }
    QCheckBox* YearOnlyBox() const { return m_yearOnly; }
    QListWidget* AvailableAuthors() const { return m_available; }
    QListWidget* SourceAuthors() const { return m_chosen; }
    QLineEdit* FirstEdit() const { return m_first; }
    QLineEdit* MiddleEdit() const { return m_middle; }
    QLineEdit* LastEdit() const { return m_last; }
    QPushButton* AddAuthorButton() const { return m_addAuthor; }
    QPushButton* UpdateAuthorButton() const { return m_updateAuthor; }
    QPushButton* DeleteAuthorButton() const { return m_deleteAuthor; }
    QPushButton* SaveButton() const { return m_save; }
    CSourcePreviewWnd* Preview() const { return m_preview; }

    // Moves an author between the lists as a double-click does.
    void AddAuthorToSource(qint32 authorId);
    void RemoveAuthorFromSource(qint32 authorId);

public slots:
    void Save();

private:
    QWidget* BuildSourceArea();
    QWidget* BuildAuthorArea();
    void FillLists();
    void ShowSource();
    void ApplyType();
    void ShowYearOnly();
    void Redraw();
    void FillAuthorLists(qint32 selectAvailable = -1);
    void OnAvailableSelected();
    void OnAuthorsReordered();
    void OnAddAuthor();
    void OnUpdateAuthor();
    void OnDeleteAuthor();
    qint32 SelectedAvailableId() const;

    NoteDatabase& m_database;
    SourceStore& m_sources;
    UserPrompt& m_prompt;
    SourceEditor m_editor;
    SourceRecord m_saved;

    QComboBox* m_type = nullptr;
    QComboBox* m_style = nullptr;
    QLineEdit* m_title = nullptr;
    QComboBox* m_publication = nullptr;
    QLabel* m_publicationLabel = nullptr;
    std::array<QLineEdit*, 6> m_fields {};
    std::array<QLabel*, 6> m_labels {};
    QCheckBox* m_hasDate = nullptr;
    QDateEdit* m_date = nullptr;
    QCheckBox* m_yearOnly = nullptr;
    ClampingSpinBox* m_indent = nullptr;
    ClampingSpinBox* m_etAl = nullptr;
    QListWidget* m_available = nullptr;
    QListWidget* m_chosen = nullptr;
    QLineEdit* m_first = nullptr;
    QLineEdit* m_middle = nullptr;
    QLineEdit* m_last = nullptr;
    QPushButton* m_addAuthor = nullptr;
    QPushButton* m_updateAuthor = nullptr;
    QPushButton* m_deleteAuthor = nullptr;
    CSourcePreviewWnd* m_preview = nullptr;
    QPushButton* m_save = nullptr;
    bool m_filling = false;
};
