#pragma once

#include "ui/OptionsContext.h"

#include <QWidget>

class QCheckBox;
class Settings;
class QPushButton;
class CZolColourList;

// "< Spell Checker >": checking on or off, the look of the marks, and the spelling
// options and user dictionary dialogs. A change of the look applies to marks drawn from
// then on.
class OptSpellChkPg : public QWidget
{
    Q_OBJECT
public:
    OptSpellChkPg(const OptionsContext& context, QWidget* parent = nullptr);

    QCheckBox* Enable() const { return m_enable; }
    CZolColourList* Colour() const { return m_colour; }

private:
    QCheckBox* MarkBox(const QString& text, const char* name, qint32 Settings::*member);
    QPushButton* Button(const QString& text, const QString& tip, const char* name);
    void MarksChanged();
    void EnableControls();

    const OptionsContext& m_context;
    QCheckBox* m_enable = nullptr;
    QList<QWidget*> m_dependents;
    CZolColourList* m_colour = nullptr;
};
