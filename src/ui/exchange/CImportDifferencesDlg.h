#pragma once

#include "format/AuthorRecord.h"
#include "format/NoteRecord.h"
#include "format/SourceRecord.h"

#include <QDialog>
#include <QList>

class QLabel;
class QTextEdit;
class QTreeWidget;

// "Import Note and Database Note Difference Overview": what differs between an incoming
// note and the database note it would replace, how much newer or older it is, and both
// texts side by side with the incoming text's changed lines highlighted. Only shows.
class CImportDifferencesDlg : public QDialog
{
    Q_OBJECT
public:
    CImportDifferencesDlg(const NoteRecord& incoming, const NoteRecord& database, const SourceList& sources,
                          const AuthorList& authors, QWidget* parent = nullptr);

    QTreeWidget* List() const { return m_list; }
    QLabel* AgeSentence() const { return m_age; }
    QTextEdit* ImportText() const { return m_importText; }
    QTextEdit* DatabaseText() const { return m_databaseText; }

    // Compares the boxes line by line as each breaks its lines and highlights every line of
    // the incoming text that differs from the database text's line of the same number.
    // Returns the numbers (from 0) of the highlighted lines.
    QList<int> HighlightChangedLines();

    // The visible lines of a text box, in order.
    static QStringList VisibleLines(QTextEdit* box);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FillList(const QList<struct DifferenceRow>& rows);
    void SizeColumns();

    QTreeWidget* m_list = nullptr;
    QLabel* m_age = nullptr;
    QTextEdit* m_importText = nullptr;
    QTextEdit* m_databaseText = nullptr;
};
