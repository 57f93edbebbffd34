#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QListWidget;
class SpellChecker;

// The spelling options: the language, whether words with digits or in capitals are
// checked, and (when wanted) several dictionaries at once. OK applies and stores them.
class CSpellOptionsDlg : public QDialog
{
    Q_OBJECT
public:
    CSpellOptionsDlg(SpellChecker& checker, QWidget* parent = nullptr);

    void accept() override;

private:
    void EnableExtra();

    SpellChecker& m_checker;
    QComboBox* m_language = nullptr;
    QCheckBox* m_digits = nullptr;
    QCheckBox* m_capitals = nullptr;
    QCheckBox* m_several = nullptr;
    QListWidget* m_extra = nullptr;
};
