#include "ui/ImageToBmpConverter.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ImageToBmpConverterTest, PicturesBecomeBitmapsTransparencyOnWhite)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage picture(4, 2, QImage::Format_ARGB32);
    picture.fill(qRgba(255, 0, 0, 255));
    picture.setPixel(0, 0, qRgba(0, 0, 0, 0)); // fully transparent
    picture.setPixel(1, 0, qRgba(0, 0, 255, 255)); // opaque blue
    const QString png = dir.filePath(QStringLiteral("in.png"));
    ASSERT_TRUE(picture.save(png, "PNG"));

    const QString bmp = dir.filePath(QStringLiteral("0000001.bmp"));
    ASSERT_TRUE(ImageToBmpConverter::Convert(png, bmp));
    QFile file(bmp);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(2), QByteArray("BM"));
    file.close();

    QImage back(bmp, "BMP");
    ASSERT_EQ(back.size(), QSize(4, 2));
    EXPECT_EQ(back.pixel(0, 0) & 0xffffff, 0xffffffu);
    EXPECT_EQ(back.pixel(1, 0) & 0xffffff, 0x0000ffu);
    EXPECT_EQ(back.pixel(3, 1) & 0xffffff, 0xff0000u);
}

TEST(ImageToBmpConverterTest, UnreadablePictureWritesNothing)
{
    QTemporaryDir dir;
    const QString text = dir.filePath(QStringLiteral("notes.txt"));
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();
    const QString bmp = dir.filePath(QStringLiteral("0000002.bmp"));
    EXPECT_FALSE(ImageToBmpConverter::Convert(text, bmp));
    EXPECT_FALSE(QFile::exists(bmp));
    EXPECT_FALSE(ImageToBmpConverter::Convert(dir.filePath(QStringLiteral("missing.png")), bmp));
}
