#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The one place where texts cross between the bytes of data files and QString.
// Files hold UTF-8; a text that is not valid UTF-8 was written in the Windows-1252
// code page (files carried over from Windows machines) and is converted from it.
namespace TextCodec {

QString FromFileBytes(QByteArrayView bytes);
QByteArray ToFileBytes(const QString& text);
QString FromWindows1252(QByteArrayView bytes);
bool IsValidUtf8(QByteArrayView bytes);

} // namespace TextCodec
