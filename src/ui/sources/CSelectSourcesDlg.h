#pragma once

#include "editor/widgets/ClampingSpinBox.h"
#include "format/NoteRecord.h"
#include "format/SourceRecord.h"
#include "sources/Bibliography.h"
#include "store/ListedNote.h"

#include <QDialog>

class CSourcesSelWnd;
class FileSystem;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class UserPrompt;

// "Select Sources For Bibliography": the sources of a bibliography are moved from the
// Available list to the Selected list (whose order is the bibliography's), optionally
// all given one style, indent and "et al" count. The overrides change only the dialog's
// copies. "Save" ends the dialog with the result 2112.
class CSelectSourcesDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int SaveResult = 2112;

    // currentNotes: the notes of the current list, for "Sources of Current Notes ->".
    CSelectSourcesDlg(const SourceList& sources, const AuthorList& authors, const ListedNotes& currentNotes,
                      QWidget* parent = nullptr);

    // The Selected list as shown: copies with the formatting in force, in bibliography order.
    SourceList SelectedSources() const;
    QList<qint32> SelectedIds() const { return m_selectedIds; }

    // Where the results of "Export Sources..." are shown (a message box over the dialog
    // when not set). Not owned.
    void SetPrompt(UserPrompt* prompt) { m_prompt = prompt; }
    // What "Export Sources..." writes through (the data folder's; the real file system
    // when not set). Not owned.
    void SetFiles(FileSystem* files) { m_files = files; }
    // "Copy Bibliography": the Selected list, as formatted here, on the clipboard.
    void CopyBibliography();
    // "Export Sources...": the Selected list in bibliography order to a file.
    void ExportSelected();

    // A double-click in either list: the source moves to the end of the other.
    void MoveSource(qint32 sourceId, int fromControlId);
    void SelectAll();
    void ClearAll();
    // Replaces the selection with the sources the current notes cite, each once.
    void SelectCurrentNotesSources();

    CSourcesSelWnd* AvailableList() const { return m_availableList; }
    CSourcesSelWnd* SelectedList() const { return m_selectedList; }
    QCheckBox* SortBox() const { return m_sort; }
    QCheckBox* IndividualBox() const { return m_individual; }
    QCheckBox* CommonBox() const { return m_common; }
    QComboBox* StyleList() const { return m_style; }
    ClampingSpinBox* IndentSpin() const { return m_indent; }
    ClampingSpinBox* EtAlSpin() const { return m_etAl; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* BuildFormatting();
    void SetCommon(bool common);
    BibliographyOptions Options() const;
    void Refresh();

    SourceList m_all;
    AuthorList m_authors;
    QList<qint32> m_cited;
    QList<qint32> m_selectedIds; // in the order added
    CSourcesSelWnd* m_availableList = nullptr;
    CSourcesSelWnd* m_selectedList = nullptr;
    QCheckBox* m_sort = nullptr;
    QCheckBox* m_individual = nullptr;
    QCheckBox* m_common = nullptr;
    QComboBox* m_style = nullptr;
    ClampingSpinBox* m_indent = nullptr;
    ClampingSpinBox* m_etAl = nullptr;
    QList<QWidget*> m_commonControls;
    UserPrompt* m_prompt = nullptr;
    QPushButton* m_copy = nullptr;
    QPushButton* m_export = nullptr;
    FileSystem* m_files = nullptr;
};
