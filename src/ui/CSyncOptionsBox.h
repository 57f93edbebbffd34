#pragma once

#include "ui/OptionsContext.h"

#include <QGroupBox>
#include <functional>

class QLabel;
class QLineEdit;

// The "Sync" group of the "< General >" page: the shared folder this program syncs
// through ("Sync folder", empty: sync is off) and the name of this machine there. Each is
// stored when it is entered, and taken by the next sync. A line below the fields says
// whether sync is on.
class CSyncOptionsBox : public QGroupBox
{
    Q_OBJECT
public:
    CSyncOptionsBox(const OptionsContext& context, QWidget* parent = nullptr);

    QLineEdit* Folder() const { return m_folder; }
    QLineEdit* Machine() const { return m_machine; }
    // How "Browse..." asks for a folder (a folder dialog; tests replace it).
    void SetFolderChooser(std::function<QString(QWidget*, const QString&)> choose)
    {
        m_choose = std::move(choose);
    }

private:
    void Store();
    void Browse();
    void ShowState();

    const OptionsContext& m_context;
    QLineEdit* m_folder = nullptr;
    QLineEdit* m_machine = nullptr;
    QLabel* m_state = nullptr;
    std::function<QString(QWidget*, const QString&)> m_choose;
};
