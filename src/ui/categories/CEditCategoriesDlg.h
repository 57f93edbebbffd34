#pragma once

#include "categories/CategoryTree.h"
#include "categories/CategoryTreeEditor.h"

#include <QDialog>
#include <memory>

class CEditCategoriesCtrl;
class NamePrompt;
class QPushButton;
class UserPrompt;

// "Edit Category Trees": the category trees and "<UNASSIGNED>" on a working copy, changed
// by the tree's context menu and by drag and drop. Nothing reaches the notes here: after
// "Save" the caller hands WorkingTrees() to the database, which re-files every note.
class CEditCategoriesDlg : public QDialog
{
    Q_OBJECT
public:
    CEditCategoriesDlg(const CategoryTree& trees, const NoteIdList& unassignedNoteIds, UserPrompt& prompt,
                       NamePrompt& names, QWidget* parent = nullptr);
    ~CEditCategoriesDlg() override;

    // The edited trees with their "<UNASSIGNED>" node, taken once after "Save".
    CategoryTree TakeWorkingTrees() { return std::move(m_working); }
    CEditCategoriesCtrl* Tree() const { return m_tree; }
    CategoryTreeEditor& Editor() { return *m_editor; }

    static QString HelpText();

private:
    CategoryTree m_working;
    std::unique_ptr<CategoryTreeEditor> m_editor;
    CEditCategoriesCtrl* m_tree = nullptr;
};
