#pragma once

#include "lists/SearchPreview.h"

#include <QFrame>
#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;
class QTimer;

// The drop-down under the search field that shows, while the user types, how many notes
// the query would find and the first of them: each with its first line (hits
// highlighted), its source's title and its date. The field keeps the keyboard: Up and
// Down choose a hit, Enter opens the chosen one (with none chosen, Enter runs the search
// as always), Escape closes the drop-down; a click opens a hit.
//
// It asks preview(text) for what to show at most once per turn of the event loop, so
// fast typing never queues searches, and shows nothing while enabled() is false.
class CSearchHitsList : public QFrame
{
    Q_OBJECT
public:
    using Preview = std::function<SearchPreview(const QString&)>;

    // parent: the window it floats in, over the other widgets.
    CSearchHitsList(QLineEdit* field, QWidget* parent);

    void SetPreview(Preview preview) { m_preview = std::move(preview); }
    void SetEnabledCheck(std::function<bool()> enabled) { m_enabled = std::move(enabled); }

    // The note of the chosen hit, 0 when none is chosen.
    int ChosenNote() const;
    const SearchPreview& Shown() const { return m_shown; }
    QListWidget* Hits() const { return m_hits; }
    QLabel* Summary() const { return m_summary; }

    // "1 note found", "%1 notes found".
    static QString CountText(int count);

public slots:
    // Asks for the preview of the field's text soon.
    void Schedule();
    void Close();

signals:
    // The user chose a hit to open.
    void NoteChosen(int noteId);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Update();
    void Show(const SearchPreview& preview);
    void Place();
    void Choose(int row);
    void Open(int row);

    QLineEdit* m_field;
    QLabel* m_summary;
    QListWidget* m_hits;
    QTimer* m_timer;
    Preview m_preview;
    std::function<bool()> m_enabled;
    SearchPreview m_shown;
};
