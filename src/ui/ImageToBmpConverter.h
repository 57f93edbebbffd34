#pragma once

#include "format/FileSystem.h"

#include <QByteArray>
#include <QString>
#include <optional>

// Attachments that are pictures are kept as Windows bitmaps: loads the picture at from
// (any format the image library reads) and makes the bytes of a BMP file of it; none when
// the picture cannot be read. ToBmp plugs into AppEnvironment::imageConverter. The image
// library is QtGui: only the windowed programs link it, never the command line.
class ImageToBmpConverter
{
public:
    static std::optional<QByteArray> ToBmp(const QString& from);
    // ToBmp saved at toBmp through files, replacing it atomically. False, with nothing
    // written, when the picture cannot be read or the file written.
    static bool Convert(const QString& from, const QString& toBmp, FileSystem& files = FileSystem::Real());
};
