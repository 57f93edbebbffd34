#pragma once

#include "format/SourceRecord.h"
#include "store/ChangeNotice.h"

#include <QDialog>

class CSourcesListWnd;
class LibraryCommands;
class NoteDatabase;
class SourceStore;
class QComboBox;
class QPushButton;
class QWidget;
class Settings;
class UserPrompt;

// "View Sources": every source, filtered by title, author and publication, from which
// sources are created, edited and deleted; or, in picking mode ("Select Source"), from
// which the note editor takes one. Changes go through the source store at once; the list
// shown and its filters follow every stored change of the sources or authors (told through
// the ChangeNotice), whoever made it.
//
// Picking a source for a note:
//     const qint32 id = CViewSourcesDlg::PickSource(database, sources, settings, prompt, note.SourceID,
//     this); if (id > 0) note.SourceID = id;   // -1: the user cancelled
class CViewSourcesDlg : public QDialog
{
    Q_OBJECT
public:
    CViewSourcesDlg(NoteDatabase& database, SourceStore& sources, Settings& settings, UserPrompt& prompt,
                    QWidget* parent = nullptr);
    ~CViewSourcesDlg() override;

    // Opens the dialog in picking mode with currentSourceId selected and shown; returns
    // the id chosen by "SELECT" or a double-click, or -1 when the dialog was closed.
    static qint32 PickSource(NoteDatabase& database, SourceStore& sources, Settings& settings,
                             UserPrompt& prompt, qint32 currentSourceId, QWidget* parent = nullptr);
    // Picking mode: the title reads "Select Source", the confirming button "SELECT" and
    // a double-click chooses instead of editing. The current source is marked.
    void SetPickingMode(qint32 currentSourceId);
    bool IsPicking() const { return m_picking; }
    qint32 ChosenSourceId() const { return m_chosenId; }

    // "Import Sources..." and bibliography files dropped on the dialog go through library
    // (the button is hidden without one). Not owned.
    void SetLibrary(LibraryCommands* library);

    CSourcesListWnd* List() const { return m_list; }
    QComboBox* TitleFilter() const { return m_titles; }
    QComboBox* AuthorFilter() const { return m_authors; }
    QComboBox* PublicationFilter() const { return m_publications; }
    QPushButton* FiltersButton() const { return m_filtersButton; }
    QPushButton* ConfirmButton() const { return m_confirm; }

public slots:
    void NewSource();
    void EditSelected();
    void DeleteSelected();
    void EditSource(qint32 sourceId);
    // The selected source's citation on the clipboard (HTML, RTF and text).
    void CopyCitation();
    // The selected source, else every source shown, to a bibliography file.
    void ExportShown();
    void ImportSources(const QString& path = QString());

protected:
    // The size and place are remembered when the dialog closes.
    void hideEvent(QHideEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildFilters(QWidget* area);
    void FillFilters();
    void Refill();
    void ShowFilters(bool shown);
    void Choose(qint32 sourceId);
    void StoreRect();

    NoteDatabase& m_database;
    SourceStore& m_sources;
    Settings& m_settings;
    UserPrompt& m_prompt;
    CSourcesListWnd* m_list = nullptr;
    QWidget* m_filterArea = nullptr;
    QComboBox* m_titles = nullptr;
    QComboBox* m_authors = nullptr;
    QComboBox* m_publications = nullptr;
    QPushButton* m_filtersButton = nullptr;
    QPushButton* m_confirm = nullptr;
    QPushButton* m_importButton = nullptr;
    LibraryCommands* m_library = nullptr;
    ChangeNotice::Subscription m_following;
    bool m_picking = false;
    qint32 m_chosenId = -1;
};
