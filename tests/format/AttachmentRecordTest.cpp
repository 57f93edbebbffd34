#include "format/AttachmentRecord.h"

#include "format/DataFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

qint32 KindOf(const char* name)
{
    AttachmentRecord record;
    record.OriginalName = QString::fromLatin1(name);
    record.KindFromExtension();
    return record.Kind;
}

} // namespace

TEST(AttachmentRecord, KindComesFromTheFirstListHoldingTheExtension)
{
    EXPECT_EQ(KindOf("Report.PDF"), KindPdf);
    EXPECT_EQ(KindOf("song.mp3"), KindMusic);
    EXPECT_EQ(KindOf("clip.mpg"), KindVideo);
    EXPECT_EQ(KindOf("page.htm"), KindHtml);
    EXPECT_EQ(KindOf("main.cpp"), KindCode);
    EXPECT_EQ(KindOf("main.c"), KindDocument); // "c" is found in "doc" first
    EXPECT_EQ(KindOf("archive.zip"), KindCompressed);
    EXPECT_EQ(KindOf("data.xyz"), KindUnknown);
    EXPECT_EQ(KindOf("photo.JPG"), KindImage);
    EXPECT_EQ(KindOf("x.mp"), KindImage); // "mp" is found in "bmp"
    EXPECT_EQ(KindOf("header.h"), KindHtml); // "h" is found in "htm" before the code list
    EXPECT_EQ(KindOf(".profile"), KindUnknown);
    EXPECT_EQ(KindOf("README"), KindUnknown);
}

TEST(AttachmentRecord, OnlyImagesShowAsPictures)
{
    AttachmentRecord record;
    record.OriginalName = QStringLiteral("notes.txt");
    record.KindFromExtension();
    EXPECT_FALSE(record.ShowImage);

    AttachmentRecord image;
    image.OriginalName = QStringLiteral("a.gif");
    image.SetKind(99);
    EXPECT_EQ(image.Kind, KindImage);
    EXPECT_TRUE(image.ShowImage);
    image.SetKind(KindPdf);
    EXPECT_EQ(image.Kind, KindPdf);
    EXPECT_FALSE(image.ShowImage);

    EXPECT_EQ(KindName(1), QStringLiteral("Image File"));
    EXPECT_EQ(KindName(4), QStringLiteral("Adobe PDF File"));
    EXPECT_EQ(KindUpperName(11), QStringLiteral("COMPRESSED FILE"));
    EXPECT_EQ(KindName(0), QString());
    EXPECT_EQ(KindName(12), QString());
}

TEST(AttachmentRecord, NextNumberIsTheLargestLeadingNumber)
{
    QTemporaryDir root;
    const DataFolder folder(root.path(), root.path());
    EXPECT_EQ(NextAttachmentNumber(folder), 0);
    ASSERT_TRUE(folder.CreateFolders());
    for (const char* name : {"0000007.txt", "0000012.bmp", "notes.txt", "0000003"}) {
        QFile file(folder.ImagesFolder() + QLatin1Char('/') + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QDir(folder.ImagesFolder()).mkdir(QStringLiteral("0000099.dir"));
    EXPECT_EQ(NextAttachmentNumber(folder), 12);

    AttachmentRecord record;
    record.StoredName = QStringLiteral("0000012.bmp");
    EXPECT_EQ(AttachmentPath(record, folder), root.path() + QStringLiteral("/Data Files/Images/0000012.bmp"));
}

TEST(DataFolder, NamesWithDataFilesResolveUnderTheDataRoot)
{
    const DataFolder folder(QStringLiteral("/data/root"), QStringLiteral("/opt/quorvel/"));
    EXPECT_EQ(folder.FullPath(QStringLiteral("Data Files\\Notes\\DAY08142008.dat")),
              QStringLiteral("/data/root/Data Files/Notes/DAY08142008.dat"));
    EXPECT_EQ(folder.FullPath(QStringLiteral("sscesets.ini")), QStringLiteral("/opt/quorvel/sscesets.ini"));
}
