#pragma once

#include "exchange/ImportChooser.h"
#include "ui/exchange/ImportDialogContext.h"

#include <QDialog>

class CCategoryTreeCtrlImp;
class CImportListCtrl;
class CategoryTree;
class ImportSession;
class QCheckBox;
class QPushButton;
class UserPrompt;

// "Import Notes": every incoming note with its status, to choose which to import, to
// re-file under other categories, to view and edit, and to compare with the database's
// note. The rules are the import session's; the dialog only shows and forwards.
class CImportNotesDlg : public QDialog
{
    Q_OBJECT
public:
    CImportNotesDlg(ImportSession& session, ImportDialogContext context, QWidget* parent = nullptr);

    CImportListCtrl* List() const { return m_list; }
    CCategoryTreeCtrlImp* Override() const { return m_override; }
    QCheckBox* ShowSameBox() const { return m_showSame; }
    QCheckBox* DisplayImportedBox() const { return m_displayImported; }
    QPushButton* Button(int commandId) const;

    // Import (1111): refuses an empty selection with a message, else closes with OK.
    bool Import();
    // Apply category change (1110) on every selected row.
    void ApplyCategoryChange();
    void EditRow(int row);
    // The pop-up menu's "Show Differences...": only for newer and older rows.
    bool ShowDifferences(int row);
    // The notes chosen, in row order, once the dialog ended with OK.
    const QList<int>& Chosen() const { return m_chosen; }

    static QString Hint() { return QStringLiteral("Right-Click on a red or blue note to view differences."); }

private:
    // The buttons' command ids.
    static constexpr int kImport = 1111;
    static constexpr int kApply = 1110;
    static constexpr int kSelectAll = 4;
    static constexpr int kSelectNone = 5;
    static constexpr int kCancel = 2;

    QWidget* MakeListGroup();
    QWidget* MakeOptionsGroup();
    QWidget* MakeOverrideGroup();
    QPushButton* MakeButton(int commandId, const QString& text, const QString& name, const QString& tip);
    void Refill();
    void ShowRowMenu(const QPoint& position);
    int RunDialog(QDialog& dialog);

    ImportSession& m_session;
    ImportDialogContext m_context;
    CImportListCtrl* m_list = nullptr;
    CCategoryTreeCtrlImp* m_override = nullptr;
    QCheckBox* m_showSame = nullptr;
    QCheckBox* m_displayImported = nullptr;
    QHash<int, QPushButton*> m_buttons;
    QList<int> m_chosen;
};

// The import dialog as the import's chooser.
class ImportDialogChooser : public ImportChooser
{
public:
    ImportDialogChooser(ImportDialogContext context, QWidget* parent)
        : m_context(std::move(context))
        , m_parent(parent)
    {
    }
    bool Choose(ImportSession& session, ImportChoice* choice) override;

private:
    ImportDialogContext m_context;
    QWidget* m_parent;
};
