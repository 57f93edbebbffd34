#pragma once

#include "platform/NamePrompt.h"

#include <QDialog>

class QLineEdit;

// The short text-entry dialog for category names: a caption, the field "New Name:", a
// "Save" button and, where allowed, a "Cancel" button.
class CCategoryNameDlg : public QDialog
{
    Q_OBJECT
public:
    CCategoryNameDlg(const QString& caption, const QString& initial, bool canCancel,
                     QWidget* parent = nullptr);
    // The entered text, trimmed of blanks at both ends.
    QString Name() const;
    QLineEdit* NameField() const { return m_name; }

protected:
    void reject() override;

private:
    QLineEdit* m_name;
    bool m_canCancel;
};

// Asks for names with CCategoryNameDlg over a parent window.
class DialogNamePrompt : public NamePrompt
{
public:
    explicit DialogNamePrompt(QWidget* parent)
        : m_parent(parent)
    {
    }
    std::optional<QString> AskName(const QString& caption, const QString& initial, bool canCancel) override;

private:
    QWidget* m_parent;
};
