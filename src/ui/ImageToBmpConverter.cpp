#include "ui/ImageToBmpConverter.h"

#include <QBuffer>
#include <QImage>

namespace {

int OverWhite(int channel, int alpha)
{
    return (channel * alpha + 255 * (255 - alpha)) / 255;
}

// Bitmaps carry no alpha channel the note view could use; transparent parts of a PNG
// would otherwise turn black.
QImage FlattenOntoWhite(const QImage& picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    QImage flat(image.size(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        QRgb* out = reinterpret_cast<QRgb*>(flat.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int a = qAlpha(in[x]);
            out[x] = qRgb(OverWhite(qRed(in[x]), a), OverWhite(qGreen(in[x]), a), OverWhite(qBlue(in[x]), a));
        }
    }
    return flat;
}

} // namespace

std::optional<QByteArray> ImageToBmpConverter::ToBmp(const QString& from)
{
    QImage image;
    if (!image.load(from))
        return std::nullopt;
    if (image.hasAlphaChannel())
        image = FlattenOntoWhite(image);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "BMP"))
        return std::nullopt;
    return bytes;
}

bool ImageToBmpConverter::Convert(const QString& from, const QString& toBmp, FileSystem& files)
{
    const std::optional<QByteArray> bitmap = ToBmp(from);
    return bitmap && files.WriteWholeFile(toBmp, *bitmap).IsOk();
}
