#pragma once

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;
class SpellChecker;

// The user dictionary: its words, and adding and removing them. Each change is written
// to the dictionary file at once.
class CUserDictionaryDlg : public QDialog
{
    Q_OBJECT
public:
    CUserDictionaryDlg(SpellChecker& checker, QWidget* parent = nullptr);

    void AddWord();
    void RemoveWord();

private:
    QPushButton* Button(const QString& text, const QString& tip, const char* name);
    void Fill();

    SpellChecker& m_checker;
    QLineEdit* m_word = nullptr;
    QListWidget* m_words = nullptr;
};
