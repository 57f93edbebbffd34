#include "editor/widgets/FileDialogs.h"

#include <QFileDialog>
#include <optional>

namespace {

std::optional<QString>& NextName()
{
    static std::optional<QString> next;
    return next;
}

} // namespace

void FileDialogs::SetNextFileName(const QString& name)
{
    NextName() = name;
}

void FileDialogs::ClearNextFileName()
{
    NextName().reset();
}

bool FileDialogs::TakeNext(QString* name)
{
    if (!NextName())
        return false;
    *name = *NextName();
    NextName().reset();
    return true;
}

QString FileDialogs::SaveFileName(QWidget* parent, const QString& caption, const QString& filter,
                                  const QString& defaultSuffix, const QString& suggestedName)
{
    QString name;
    if (TakeNext(&name))
        return name;
    QFileDialog dialog(parent, caption, suggestedName, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

QString FileDialogs::OpenFileName(QWidget* parent, const QString& caption, const QString& filter)
{
    QString name;
    if (TakeNext(&name))
        return name;
    return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
}

QString FileDialogs::FolderName(QWidget* parent, const QString& caption)
{
    QString name;
    if (TakeNext(&name))
        return name;
    return QFileDialog::getExistingDirectory(parent, caption);
}
