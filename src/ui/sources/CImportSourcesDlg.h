#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class SourceImport;
class UserPrompt;

// "Import Sources": every entry of a bibliography file with its status (new; duplicate of
// a stored source or of an earlier entry; skipped, with the reason), type, title, authors
// and year, and a check box (new entries ticked, skipped ones cannot be). "Select All",
// "Select None", "Import" and "Cancel". Import with nothing ticked is refused; otherwise
// the dialog closes with Accepted and the import holds the choice.
class CImportSourcesDlg : public QDialog
{
    Q_OBJECT
public:
    CImportSourcesDlg(SourceImport& import, const QString& fileName, UserPrompt& prompt,
                      QWidget* parent = nullptr);

    QTreeWidget* List() const { return m_list; }
    QPushButton* ImportButton() const { return m_importButton; }
    // "90 entries, 85 chosen": what the count line shows and the list is heard as.
    QString CountText() const;

    void SelectAll();
    void SelectNone();

private:
    void Fill();
    void TakeChecks();
    void ShowCount();
    void Import();

    SourceImport& m_import;
    UserPrompt& m_prompt;
    QTreeWidget* m_list = nullptr;
    QLabel* m_count = nullptr;
    QPushButton* m_importButton = nullptr;
    bool m_filling = false;
};
