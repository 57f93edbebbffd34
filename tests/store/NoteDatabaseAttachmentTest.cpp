#include "NoteDatabaseFixture.h"
#include "store/AttachmentCopier.h"

#include <gtest/gtest.h>

using namespace DatabaseFixture;

namespace {

AttachmentRecord NewFile(const QString& path, qint32 kind)
{
    AttachmentRecord attachment;
    attachment.SourcePath = path;
    attachment.OriginalName = QFileInfo(path).fileName();
    attachment.Kind = kind;
    return attachment;
}

} // namespace

TEST(AttachmentCopier, NumbersAfterTheLargestFileAndConvertsImagesToBitmaps)
{
    Root root;
    root.WriteRaw(root.ImagesPath(QStringLiteral("0000007.txt")), "seven");
    root.WriteRaw(root.ImagesPath(QStringLiteral("0000012.bmp")), "twelve");
    root.WriteRaw(root.ImagesPath(QStringLiteral("0000014.txt")), "already there");
    QTemporaryDir outside;
    const QString photo = QDir(outside.path()).filePath(QStringLiteral("photo.JPG"));
    const QString notes = QDir(outside.path()).filePath(QStringLiteral("Notes.TXT"));
    root.WriteRaw(photo, "jpeg");
    root.WriteRaw(notes, "new text");

    QStringList conversions;
    AttachmentCopier copier(root.folder, [&conversions](const QString& from) -> std::optional<QByteArray> {
        conversions.append(QFileInfo(from).fileName());
        return QByteArray("BM");
    });

    NoteRecord note;
    AttachmentRecord kept;
    kept.StoredName = QStringLiteral("0000007.txt");
    kept.SourcePath = notes; // stored already: never copied again
    note.Attachments = {kept, NewFile(photo, KindImage), NewFile(notes, KindText)};
    note.RemovedAttachmentFiles = {QStringLiteral("0000012.bmp")};
    // 0000014.txt is the largest number in the folder.
    QStringList created;
    ASSERT_TRUE(copier.CopyInNewAttachments(note, &created));
    EXPECT_EQ(created, QStringList({QStringLiteral("0000015.bmp"), QStringLiteral("0000016.txt")}));
    // Removed files go only once the note is stored.
    EXPECT_TRUE(QFile::exists(root.ImagesPath(QStringLiteral("0000012.bmp"))));
    copier.DeleteRemovedAttachmentFiles(note);
    EXPECT_FALSE(QFile::exists(root.ImagesPath(QStringLiteral("0000012.bmp"))));
    EXPECT_TRUE(note.RemovedAttachmentFiles.isEmpty());
    EXPECT_EQ(note.Attachments.at(0).StoredName, QStringLiteral("0000007.txt"));
    EXPECT_EQ(note.Attachments.at(1).StoredName, QStringLiteral("0000015.bmp"));
    EXPECT_EQ(note.Attachments.at(2).StoredName, QStringLiteral("0000016.txt"));
    EXPECT_TRUE(note.Attachments.at(1).SourcePath.isEmpty());
    // The one picture was converted, its bitmap stored under the new number.
    EXPECT_EQ(conversions, QStringList {QStringLiteral("photo.JPG")});
    QFile bitmap(root.ImagesPath(QStringLiteral("0000015.bmp")));
    ASSERT_TRUE(bitmap.open(QIODevice::ReadOnly));
    EXPECT_EQ(bitmap.readAll(), QByteArray("BM"));
    QFile copied(root.ImagesPath(QStringLiteral("0000016.txt")));
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    EXPECT_EQ(copied.readAll(), QByteArrayLiteral("new text"));
    EXPECT_EQ(conversions.size(), 1);

    copier.DeleteAttachmentFiles(note);
    EXPECT_FALSE(QFile::exists(root.ImagesPath(QStringLiteral("0000015.bmp"))));
    EXPECT_FALSE(QFile::exists(root.ImagesPath(QStringLiteral("0000007.txt"))));
    EXPECT_TRUE(QFile::exists(root.ImagesPath(QStringLiteral("0000014.txt"))));
}

// Without a converter (a front end with no image library) a picture is copied as it came,
// numbered like any file and keeping its lower-case extension, never left without a file.
TEST(AttachmentCopier, WithoutConverterPicturesAreKeptAsTheyCame)
{
    Root root;
    QTemporaryDir outside;
    const QString photo = QDir(outside.path()).filePath(QStringLiteral("photo.JPG"));
    const QString bitmap = QDir(outside.path()).filePath(QStringLiteral("scan.bmp"));
    root.WriteRaw(photo, "jpeg bytes");
    root.WriteRaw(bitmap, "BM bytes");

    NoteRecord note;
    note.Attachments = {NewFile(photo, KindImage), NewFile(bitmap, KindImage)};
    QStringList created;
    ASSERT_TRUE(AttachmentCopier(root.folder).CopyInNewAttachments(note, &created));
    EXPECT_EQ(created, QStringList({QStringLiteral("0000001.jpg"), QStringLiteral("0000002.bmp")}));

    EXPECT_EQ(note.Attachments.at(0).StoredName, QStringLiteral("0000001.jpg"));
    EXPECT_EQ(note.Attachments.at(1).StoredName, QStringLiteral("0000002.bmp"));
    QFile kept(root.ImagesPath(QStringLiteral("0000001.jpg")));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArrayLiteral("jpeg bytes"));
    EXPECT_TRUE(QFile::exists(root.ImagesPath(QStringLiteral("0000002.bmp"))));
}
