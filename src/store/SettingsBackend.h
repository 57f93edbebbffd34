#pragma once

#include "format/FileStatus.h"

#include <QString>
#include <QVariant>

// Where the settings are kept: the per-user INI file in the program, a map in the tests.
// Values live in named groups ("Options" and one group per font).
class SettingsBackend
{
public:
    virtual ~SettingsBackend() = default;
    // An invalid QVariant when the value is missing.
    virtual QVariant Value(const QString& group, const QString& name) const = 0;
    virtual void SetValue(const QString& group, const QString& name, const QVariant& value) = 0;
    // Makes the written values durable; a failure names the settings file and the reason.
    virtual FileStatus Sync() { return FileStatus::Ok(); }
};
