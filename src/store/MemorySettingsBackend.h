#pragma once

#include "store/SettingsBackend.h"

#include <QList>
#include <QMap>
#include <QStringList>

// Settings held in memory, for tests: records the order in which values were written.
class MemorySettingsBackend : public SettingsBackend
{
public:
    QVariant Value(const QString& group, const QString& name) const override
    {
        return m_values.value(Key(group, name));
    }
    void SetValue(const QString& group, const QString& name, const QVariant& value) override
    {
        m_values.insert(Key(group, name), value);
        m_writes.append(Key(group, name));
    }

    // "group/name" of every write, oldest first.
    const QStringList& Writes() const { return m_writes; }
    void ClearWrites() { m_writes.clear(); }
    bool Contains(const QString& group, const QString& name) const
    {
        return m_values.contains(Key(group, name));
    }

private:
    static QString Key(const QString& group, const QString& name) { return group + QLatin1Char('/') + name; }

    QMap<QString, QVariant> m_values;
    QStringList m_writes;
};
