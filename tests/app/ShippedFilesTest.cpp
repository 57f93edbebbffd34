#include "app/ShippedFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The manual and the sample notes are found beside the programs in a build tree and in
// the shared data folder of an installation (/usr/bin -> /usr/share/quorvel).
namespace {

void Touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

} // namespace

TEST(ShippedFilesTest, BesideTheProgramsThenInstalledThenBeside)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString bin = dir.filePath(QStringLiteral("usr/bin"));
    QDir().mkpath(bin);
    const QString name = ShippedFiles::ManualName();
    EXPECT_EQ(name, QStringLiteral("UsersManual.pdf"));

    // Nowhere: the place beside the programs, so that a message can name it.
    EXPECT_EQ(ShippedFiles::Find(bin, name), dir.filePath(QStringLiteral("usr/bin/UsersManual.pdf")));

    Touch(dir.filePath(QStringLiteral("usr/share/quorvel/UsersManual.pdf")));
    EXPECT_EQ(ShippedFiles::Find(bin, name),
              dir.filePath(QStringLiteral("usr/share/quorvel/UsersManual.pdf")));
    // A trailing slash on the program folder changes nothing.
    EXPECT_EQ(ShippedFiles::Find(bin + QLatin1Char('/'), name),
              dir.filePath(QStringLiteral("usr/share/quorvel/UsersManual.pdf")));

    Touch(dir.filePath(QStringLiteral("usr/bin/UsersManual.pdf")));
    EXPECT_EQ(ShippedFiles::Find(bin, name), dir.filePath(QStringLiteral("usr/bin/UsersManual.pdf")));

    // The sample archive is looked up the same way, by its own name only.
    EXPECT_EQ(ShippedFiles::Find(bin, ShippedFiles::SampleArchiveName()),
              dir.filePath(QStringLiteral("usr/bin/QuorvelSample.qvx")));
}
