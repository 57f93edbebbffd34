#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

// The arguments of one command: "--name value", "--name=value" and "--flag" options
// and positional words. Only words starting with "--" are options, so negative numbers
// and search words such as "-draft" stay positional; "--" ends the options.
//
//   declared --text (value), --attach (value), --unsorted (flag)
//   "--text hi --attach a.png --attach b.png 12"
//     #=> Value("text") = "hi", Values("attach") = [a.png, b.png], Positional() = ["12"]
class CliArguments
{
public:
    void DeclareValue(const QString& name) { m_valueOptions.insert(name); }
    void DeclareFlag(const QString& name) { m_flagOptions.insert(name); }

    // False, with a usage message, for an undeclared option or a value option at the end.
    bool Parse(const QStringList& words, QString* error);

    bool Has(const QString& name) const { return m_values.contains(name) || m_flags.contains(name); }
    // The last value given, or an empty text.
    QString Value(const QString& name) const;
    QStringList Values(const QString& name) const { return m_values.value(name); }
    const QStringList& Positional() const { return m_positional; }

    // Every positional word from position from on as an integer; false, with a usage
    // message, when one is not.
    bool PositionalIds(QList<qint32>* ids, QString* error, int from = 0) const;
    // An option's value as an integer; false with a usage message when it is not one.
    bool IntValue(const QString& name, qint32* value, QString* error) const;

private:
    QSet<QString> m_valueOptions;
    QSet<QString> m_flagOptions;
    QHash<QString, QStringList> m_values;
    QSet<QString> m_flags;
    QStringList m_positional;
};
