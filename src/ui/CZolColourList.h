#pragma once

#include <QComboBox>

// The named-colour drop-down list: sixteen entries, each drawn as a swatch of its colour
// and its name, chosen by index.
class CZolColourList : public QComboBox
{
    Q_OBJECT
public:
    explicit CZolColourList(QWidget* parent = nullptr);

    // Empties the list, adds the sixteen names and selects the index.
    void FillColours(int selectedIndex);
};
