#pragma once

#include <QByteArray>
#include <QJsonObject>

// Writes a document as QJsonDocument's compact form does, byte for byte, with whole
// numbers in arrays written straight: a search prints two lists of up to a hundred
// thousand note ids, which the general writer takes tens of milliseconds over. Every
// other value is written by the general writer.
class CliJsonWriter
{
public:
    static QByteArray Compact(const QJsonObject& object);
};
