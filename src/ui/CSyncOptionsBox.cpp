#include "ui/CSyncOptionsBox.h"

#include "store/SettingsBackend.h"
#include "sync/SyncSettings.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CSyncOptionsBox::CSyncOptionsBox(const OptionsContext& context, QWidget* parent)
    : QGroupBox(QStringLiteral("Sync"), parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("syncOptions"));
    setAccessibleName(title());
    const SyncSettings settings
        = m_context.backend != nullptr ? SyncSettings::Load(*m_context.backend) : SyncSettings();
    auto* layout = new QGridLayout(this);
    auto* folderLabel = new QLabel(QStringLiteral("Sync folder:"), this);
    m_folder = new QLineEdit(settings.folder, this);
    m_folder->setObjectName(QStringLiteral("syncFolder"));
    m_folder->setPlaceholderText(QStringLiteral("empty: no sync"));
    m_folder->setToolTip(
        QStringLiteral("A folder that a folder-sync service (Syncthing, Nextcloud...) shares "
                       "between your machines; empty turns sync off"));
    folderLabel->setBuddy(m_folder);
    auto* browse = new QPushButton(QStringLiteral("Browse..."), this);
    browse->setObjectName(QStringLiteral("syncBrowse"));
    browse->setAccessibleName(QStringLiteral("Browse for the sync folder"));
    auto* machineLabel = new QLabel(QStringLiteral("This machine's name:"), this);
    m_machine = new QLineEdit(settings.machine, this);
    m_machine->setObjectName(QStringLiteral("syncMachine"));
    m_machine->setAccessibleName(QStringLiteral("This machine's name:"));
    m_machine->setToolTip(QStringLiteral("The name of this machine's own folder in the sync folder"));
    machineLabel->setBuddy(m_machine);
    m_state = new QLabel(this);
    m_state->setObjectName(QStringLiteral("syncState"));
    m_state->setWordWrap(true);
    layout->addWidget(folderLabel, 0, 0);
    layout->addWidget(m_folder, 0, 1);
    layout->addWidget(browse, 0, 2);
    layout->addWidget(machineLabel, 1, 0);
    layout->addWidget(m_machine, 1, 1, 1, 2);
    layout->addWidget(m_state, 2, 0, 1, 3);
    ShowState();
    m_choose = [](QWidget* parent, const QString& start) {
        return QFileDialog::getExistingDirectory(parent, QStringLiteral("Sync folder"), start);
    };
    connect(m_folder, &QLineEdit::textChanged, this, &CSyncOptionsBox::ShowState);
    connect(m_folder, &QLineEdit::editingFinished, this, &CSyncOptionsBox::Store);
    connect(m_machine, &QLineEdit::editingFinished, this, &CSyncOptionsBox::Store);
    connect(browse, &QPushButton::clicked, this, &CSyncOptionsBox::Browse);
}

void CSyncOptionsBox::Store()
{
    if (m_context.backend == nullptr)
        return;
    SyncSettings settings;
    settings.folder = m_folder->text().trimmed();
    settings.machine = m_machine->text().trimmed();
    if (settings.machine.isEmpty()) {
        settings.machine = SyncSettings::DefaultMachineName();
        m_machine->setText(settings.machine);
    }
    m_context.Report(settings.Save(*m_context.backend));
}

void CSyncOptionsBox::Browse()
{
    const QString chosen = m_choose ? m_choose(this, m_folder->text()) : QString();
    if (chosen.isEmpty())
        return;
    m_folder->setText(chosen);
    Store();
}

// The folder's name for a screen reader carries whether sync is on, as the line below the
// fields shows it.
void CSyncOptionsBox::ShowState()
{
    const bool on = !m_folder->text().trimmed().isEmpty();
    m_state->setText(on ? QStringLiteral("Sync is on: at start-up, at exit and on File > Sync Now.")
                        : QStringLiteral("Sync is off: no sync folder is set."));
    m_state->setAccessibleName(m_state->text());
    m_folder->setAccessibleName(on ? QStringLiteral("Sync folder: sync is on")
                                   : QStringLiteral("Sync folder: empty, sync is off"));
}
