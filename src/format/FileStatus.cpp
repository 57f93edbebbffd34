#include "format/FileStatus.h"

#include <QDir>
#include <cstring>

FileStatus FileStatus::Failed(Action action, QString path, QString reason, QString target)
{
    FileStatus status;
    // A failure always names what failed, even when the caller could not say why.
    status.m_action = action == Action::None ? Action::Write : action;
    status.m_path = std::move(path);
    status.m_target = std::move(target);
    status.m_reason = reason.isEmpty() ? QStringLiteral("Unknown error") : std::move(reason);
    return status;
}

FileStatus FileStatus::FromErrno(Action action, QString path, int errorNumber, QString target)
{
    return Failed(action, std::move(path), QString::fromLocal8Bit(std::strerror(errorNumber)),
                  std::move(target));
}

QString FileStatus::Message() const
{
    const QString path = QDir::toNativeSeparators(m_path);
    const QString target = QDir::toNativeSeparators(m_target);
    QString what;
    switch (m_action) {
    case Action::None:
        return {};
    case Action::Write:
        what = QStringLiteral("Could not write \"%1\"").arg(path);
        break;
    case Action::Rename:
        what = QStringLiteral("Could not rename \"%1\" to \"%2\"").arg(path, target);
        break;
    case Action::Remove:
        what = QStringLiteral("Could not remove \"%1\"").arg(path);
        break;
    case Action::Copy:
        what = QStringLiteral("Could not copy \"%1\" to \"%2\"").arg(path, target);
        break;
    case Action::CreateFolder:
        what = QStringLiteral("Could not create the folder \"%1\"").arg(path);
        break;
    }
    return what + QStringLiteral(": ") + m_reason;
}
