#pragma once

#include <QList>
#include <QWidget>

class CSearchEditBox;
class CZol3StageButton;
class CZolCheckBmpBtn;
class QComboBox;
class QLabel;

// The search bar across the top of the main window: buttons for the most used menu
// commands, the zoom and sort lists of the note view, and the search field with its run
// button and the menu that switches between searching the database and the current notes.
class CChromaToolBar : public QWidget
{
    Q_OBJECT
public:
    explicit CChromaToolBar(QWidget* parent = nullptr);

    // Selects the zoom entry of factor x 100; when none matches, "115%" (the fifth).
    void SetZoom(double factor);
    // Selects the sort entry with that note sort id.
    void SetSort(int sortId);
    int SearchMode() const { return m_mode; }
    // Sets the mode (11 database, 24 current notes) and shows its run button.
    void SetSearchMode(int mode);
    // Runs the search with the field's trimmed text; nothing happens when it is empty.
    void RunSearch();
    // Opens the mode menu under the mode button.
    void ShowModeMenu();

    // Where the first button starts for a bar of this width: 0 above 950 pixels, -29
    // above 900, -70 otherwise, so the first buttons slide out on narrow windows.
    static int OffsetForWidth(int width);

    CSearchEditBox* SearchField() const { return m_search; }
    QComboBox* ZoomList() const { return m_zoom; }
    QComboBox* SortList() const { return m_sort; }
    CZol3StageButton* CommandButton(int commandId) const;
    CZol3StageButton* RunButton(int mode) const;

    QSize sizeHint() const override;

signals:
    // A button for a main-menu command was clicked.
    void Command(int commandId);
    void ZoomChosen(double factor);
    void SortChosen(int sortId);
    // The user asked for a search of the given scope.
    void SearchRequested(const QString& text, int mode);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void CreateButtons();
    void CreateLists();
    void LayOut();

    QList<CZol3StageButton*> m_buttons; // left to right
    QComboBox* m_zoom = nullptr;
    QLabel* m_sortLabel = nullptr;
    QComboBox* m_sort = nullptr;
    CSearchEditBox* m_search = nullptr;
    CZol3StageButton* m_runDatabase = nullptr;
    CZol3StageButton* m_runCurrent = nullptr;
    CZolCheckBmpBtn* m_modeButton = nullptr;
    CZol3StageButton* m_online = nullptr;
    int m_mode = 11;
};
