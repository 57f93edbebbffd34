#pragma once

#include "format/FileSystem.h"
#include "store/SettingsBackend.h"

#include <QSettings>

// The settings in an INI file: the per-user "~/.config/Brenlow/Quorvel.ini", or
// "Quorvel.ini" in an explicitly named data root (portable use).
class IniSettingsBackend : public SettingsBackend
{
public:
    // files: what the file is written through (not owned).
    explicit IniSettingsBackend(const QString& iniPath, FileSystem& files = FileSystem::Real());

    // The per-user file: the "Brenlow" organisation folder of the user's config folder.
    static QString DefaultIniPath();

    QVariant Value(const QString& group, const QString& name) const override;
    void SetValue(const QString& group, const QString& name, const QVariant& value) override;
    // Through the file system given, so that a test can make the write fail.
    FileStatus Sync() override;

    QString FileName() const { return m_settings.fileName(); }

private:
    mutable QSettings m_settings;
    FileSystem& m_files;
};
