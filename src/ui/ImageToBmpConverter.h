#pragma once

#include <QString>

// Attachments that are pictures are kept as Windows bitmaps: loads the picture at from
// (any format the image library reads) and saves it as a BMP file at toBmp, replacing it
// atomically. False, with nothing written, when the picture cannot be read or written.
// Plugs into AppEnvironment::imageConverter. The image library is QtGui: only the
// windowed programs link it, never the command line.
class ImageToBmpConverter
{
public:
    static bool Convert(const QString& from, const QString& toBmp);
};
