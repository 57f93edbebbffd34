#pragma once

#include "format/FileStatus.h"
#include "format/NoteRecord.h"

#include <QDialog>
#include <QHash>
#include <functional>
#include <optional>

class CCategoryTreeCtrl;
class CNoteEditCtrl;
class NoteDatabase;
class SourceStore;
struct NoteTextFont;
class Settings;
class UserPrompt;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QSpinBox;
class QTextBrowser;
class QToolButton;
class QButtonGroup;

// "Edit Note": the one place where a note is written or changed. The dialog edits a copy
// of the caller's record; nothing reaches the database before Save, which hands the
// finished record to the note database's editor save. Cancel drops the copy, after the
// "Continue?" warning when that setting is on. Enter never saves; Escape is Cancel.
class CEditNoteDlg : public QDialog
{
    Q_OBJECT
public:
    // The source selection: given the current source id, the id chosen on OK (0 or less
    // for none), or nothing when the user cancelled.
    using SourceChooser = std::function<std::optional<qint32>(QWidget* parent, qint32 currentSourceId)>;

    CEditNoteDlg(NoteDatabase& database, const SourceStore& sources, Settings& settings, UserPrompt& prompt,
                 const NoteRecord& note, QWidget* parent = nullptr);
    ~CEditNoteDlg() override;

    static QSize MinimumSize() { return QSize(960, 670); }

    // The font of new text ("EditTextFont").
    void SetTextFont(const NoteTextFont& font);
    // Stores every setting at once (the warning's "Do not display this warning again."); a
    // failure it returns is shown.
    void SetSettingsSaver(std::function<FileStatus()> saver) { m_saveSettings = std::move(saver); }
    // Without a chooser the choose-source button is disabled.
    void SetSourceChooser(SourceChooser chooser);
    // Text captured elsewhere goes into the note: the clipboard pasted at the caret.
    void PasteClipboard();

    // The record as edited so far (after Save: as saved, with its id).
    const NoteRecord& Record() const { return m_edited; }
    // The previous record handed to the save.
    const NoteRecord& PreviousRecord() const { return m_previous; }

    CNoteEditCtrl* TextControl() const { return m_text; }
    CCategoryTreeCtrl* CategoryControl() const { return m_categories; }
    QLineEdit* KeyWordsEdit() const { return m_keyWords; }
    QTextBrowser* SourceDisplay() const { return m_sourceDisplay; }
    QToolButton* Button(int id) const;
    // The start number of the numbered list at the caret; enabled only there.
    QSpinBox* NumberStartBox() const { return m_numberStart; }
    bool HighlightMode() const { return m_highlightMode; }

    // Save (1057): false when the note was refused or could not be written; the dialog
    // then stays open with everything typed.
    bool Save();
    // Cancel (2), with the warning when it is on.
    void Cancel();
    // The colour commands 32791 to 32806: a text colour, or the highlight in highlight mode.
    void ApplyColourCommand(int command);
    // The numbering menu's commands: 2112 continues, 2 to 6 apply a style.
    void ApplyNumberingCommand(int command);
    // Remove source (1021).
    void RemoveSource();
    // Choose source (1020).
    void ChooseSource();
    // The attachments button (1077).
    void EditAttachments();
    // The spell-check box (1160).
    void SetSpellCheckDisabled(bool disabled);

    static QString LastEditedText(const DateTime& when);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;
    void done(int result) override;
    void showEvent(QShowEvent* event) override;

private:
    // Command ids of the source menu and the attachments button.
    static constexpr int kChooseSource = 1020;
    static constexpr int kRemoveSource = 1021;
    static constexpr int kAttachments = 1077;

    // Building (CEditNoteDlg.cpp and CEditNoteDlgToolBar.cpp).
    QWidget* BuildToolBar();
    QWidget* BuildSidePanel();
    QToolButton* AddToolButton(QWidget* bar, int id, const QString& name, const QString& tip,
                               const QIcon& icon, bool checkable);
    QMenu* BuildColourMenu();
    QMenu* BuildNumberingMenu();
    QWidget* BuildNumberStart(QWidget* bar);
    void ConnectToolBar();
    void FillFromRecord();
    void RefreshSource();
    void RefreshAttachmentsText();
    // The tool bar follows the format at the caret.
    void RefreshToolBar();
    void OnHighlightToggled(bool on);
    void OnAlignment(int id);
    void StepSize(int step);
    // The text's selection is kept while a pop-up or a list is open, then given back.
    void ShowPopup(QToolButton* button, QMenu* menu);
    void ReadSourceAfresh(qint32 sourceId);

    NoteDatabase& m_database;
    const SourceStore& m_sources;
    Settings& m_settings;
    UserPrompt& m_prompt;
    NoteRecord m_previous;
    NoteRecord m_edited;
    bool m_highlightMode = false;
    bool m_refreshing = false;
    std::function<FileStatus()> m_saveSettings;
    SourceChooser m_chooseSource;

    CNoteEditCtrl* m_text = nullptr;
    QTextBrowser* m_sourceDisplay = nullptr;
    CCategoryTreeCtrl* m_categories = nullptr;
    QLabel* m_levelLabel = nullptr;
    QLineEdit* m_keyWords = nullptr;
    QLabel* m_lastEdited = nullptr;
    QLabel* m_attachmentsText = nullptr;
    QCheckBox* m_spellCheck = nullptr;
    QComboBox* m_fontName = nullptr;
    QComboBox* m_fontSize = nullptr;
    QButtonGroup* m_alignGroup = nullptr;
    QMenu* m_colourMenu = nullptr;
    QMenu* m_numberingMenu = nullptr;
    QSpinBox* m_numberStart = nullptr;
    QHash<int, QToolButton*> m_buttons;
};
