#include "cli/CliJsonWriter.h"

#include <QCborArray>
#include <QCborValue>
#include <QJsonArray>
#include <QJsonDocument>
#include <charconv>

namespace CliJsonWriting {

void AppendValue(QByteArray& out, const QJsonValue& value);

// A lone value as the general writer writes it inside an array.
void AppendAsWritten(QByteArray& out, const QJsonValue& value)
{
    const QByteArray wrapped = QJsonDocument(QJsonArray {value}).toJson(QJsonDocument::Compact);
    out.append(wrapped.constData() + 1, wrapped.size() - 2); // without "[" and "]"
}

void AppendObject(QByteArray& out, const QJsonObject& object)
{
    out.append('{');
    bool first = true;
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!first)
            out.append(',');
        first = false;
        AppendAsWritten(out, QJsonValue(it.key()));
        out.append(':');
        AppendValue(out, it.value());
    }
    out.append('}');
}

void AppendArray(QByteArray& out, const QJsonArray& array)
{
    out.append('[');
    // The integers stored as such (not doubles that hold a whole number, which the
    // general writer may write with an exponent).
    const QCborArray values = QCborArray::fromJsonArray(array);
    char digits[24];
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i > 0)
            out.append(',');
        const QCborValue value = values.at(i);
        if (value.isInteger()) {
            const std::to_chars_result written
                = std::to_chars(digits, digits + sizeof digits, value.toInteger());
            out.append(digits, written.ptr - digits);
        } else {
            AppendValue(out, array.at(i));
        }
    }
    out.append(']');
}

void AppendValue(QByteArray& out, const QJsonValue& value)
{
    if (value.isObject())
        AppendObject(out, value.toObject());
    else if (value.isArray())
        AppendArray(out, value.toArray());
    else
        AppendAsWritten(out, value);
}

} // namespace CliJsonWriting

QByteArray CliJsonWriter::Compact(const QJsonObject& object)
{
    QByteArray out;
    CliJsonWriting::AppendObject(out, object);
    return out;
}
