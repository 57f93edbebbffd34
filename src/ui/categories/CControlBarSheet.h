#pragma once

#include <QWidget>

class CCtrlCategoriesPg;
class CCtrlKeyWordsPg;
class CCtrlSourcesPg;
class CZol3StageButton;
class CurrentNotesList;
struct DataChange;
class NoteDatabase;
class SourceStore;
class NoteIdList;
class QTabWidget;
class Settings;

// The control bar: a button that hides it and three picture tabs, Categories, Sources and
// Key Words. Only the active page is built, from the database and the current list, each
// time it becomes active and whenever the main frame hands on a change the page shows.
// The pages' commands come out as signals; the main frame runs them through the core.
class CControlBarSheet : public QWidget
{
    Q_OBJECT
public:
    // The hide button's command id.
    static constexpr int HideButtonId = 12836;

    CControlBarSheet(const NoteDatabase& database, const SourceStore& sources,
                     const CurrentNotesList& current, Settings& settings, QWidget* parent = nullptr);

    // Builds the active page again over the current list's ids.
    void RefreshActivePage();
    // Selects the page stored in "ActIndCtrlBar" and builds it.
    void ShowStoredPage();
    // Builds the active page again when it shows what changed: the categories page the
    // trees, the sources page the sources and authors, the key words page the key words,
    // and each of them the current list's notes.
    void FollowChange(const DataChange& change);

    QTabWidget* Tabs() const { return m_tabs; }
    CCtrlCategoriesPg* CategoriesPage() const { return m_categories; }
    CCtrlSourcesPg* SourcesPage() const { return m_sources; }
    CCtrlKeyWordsPg* KeyWordsPage() const { return m_keyWords; }
    CZol3StageButton* HideButton() const { return m_hide; }

signals:
    void HideRequested();
    // A page's copy of the current list's ids, to become the current list.
    void PageNotesChanged(const NoteIdList& ids);
    void OutputRequested(int output, const NoteIdList& ids);
    void KeyWordCommand(const QString& word, bool attach);

private:
    void ConnectPages();

    const NoteDatabase& m_database;
    const SourceStore& m_sourceStore;
    const CurrentNotesList& m_current;
    Settings& m_settings;
    CZol3StageButton* m_hide;
    QTabWidget* m_tabs;
    CCtrlCategoriesPg* m_categories;
    CCtrlSourcesPg* m_sources;
    CCtrlKeyWordsPg* m_keyWords;
};
