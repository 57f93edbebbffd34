#include "cli/CliArguments.h"

namespace {

bool ToInt(const QString& text, qint32* value)
{
    bool ok = false;
    *value = text.toInt(&ok);
    return ok;
}

} // namespace

bool CliArguments::Parse(const QStringList& words, QString* error)
{
    bool optionsEnded = false;
    for (int i = 0; i < words.size(); ++i) {
        const QString& word = words.at(i);
        if (optionsEnded || !word.startsWith(QLatin1String("--"))) {
            m_positional.append(word);
            continue;
        }
        if (word == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        QString name = word.mid(2);
        QString inlineValue;
        const bool hasInlineValue = name.contains(QLatin1Char('='));
        if (hasInlineValue) {
            inlineValue = name.section(QLatin1Char('='), 1);
            name = name.section(QLatin1Char('='), 0, 0);
        }
        if (m_flagOptions.contains(name) && !hasInlineValue) {
            m_flags.insert(name);
        } else if (m_valueOptions.contains(name)) {
            if (hasInlineValue) {
                m_values[name].append(inlineValue);
            } else if (i + 1 < words.size()) {
                m_values[name].append(words.at(++i));
            } else {
                *error = QStringLiteral("Option --%1 needs a value.").arg(name);
                return false;
            }
        } else {
            *error = QStringLiteral("Unknown option: %1").arg(word);
            return false;
        }
    }
    return true;
}

QString CliArguments::Value(const QString& name) const
{
    const QStringList values = m_values.value(name);
    return values.isEmpty() ? QString() : values.last();
}

bool CliArguments::PositionalIds(QList<qint32>* ids, QString* error, int from) const
{
    ids->clear();
    for (const QString& word : m_positional.mid(from)) {
        qint32 id = 0;
        if (!ToInt(word, &id)) {
            *error = QStringLiteral("Not a number: %1").arg(word);
            return false;
        }
        ids->append(id);
    }
    return true;
}

bool CliArguments::IntValue(const QString& name, qint32* value, QString* error) const
{
    if (!ToInt(Value(name), value)) {
        *error = QStringLiteral("Option --%1 needs a number: %2").arg(name, Value(name));
        return false;
    }
    return true;
}
