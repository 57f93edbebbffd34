#include "CliFixture.h"
#include "cli/CliCommands.h"

#include <QDir>

// --help, --version and COMMAND --help answer in readable text, exit 0, and never start
// the program: no data folder is touched.
class CliHelpTest : public CliFixture
{
};

TEST_F(CliHelpTest, ProgramUsageHasALinePerCommand)
{
    const Result result = Run({QStringLiteral("--help")});
    EXPECT_EQ(result.exitCode, 0);
    const QString text = QString::fromUtf8(result.output);
    EXPECT_TRUE(text.startsWith(QLatin1String("Usage: quorvel-cli ")));
    EXPECT_TRUE(result.json.isEmpty()); // not JSON
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& name : CliCommands::Names()) {
        const bool listed = std::any_of(lines.begin(), lines.end(), [&](const QString& line) {
            return line.startsWith(QLatin1String("  ") + name + QLatin1Char(' '));
        });
        EXPECT_TRUE(listed) << name.toStdString();
    }
}

TEST_F(CliHelpTest, VersionAndCommandHelp)
{
    EXPECT_EQ(Run({QStringLiteral("--version")}).output, QByteArray("quorvel-cli 1.34\n"));
    EXPECT_EQ(Run({QStringLiteral("--version")}, false).exitCode, 0);

    const Result add = Run({QStringLiteral("add"), QStringLiteral("--help")});
    EXPECT_EQ(add.exitCode, 0);
    EXPECT_TRUE(add.output.startsWith("Usage: quorvel-cli [--data-root DIR] [--wait SECONDS] add --text T"));

    // A command's help is given even when its own arguments are missing, and nothing is
    // stored: a help request never starts the program.
    const Result search = Run({QStringLiteral("search"), QStringLiteral("-h")});
    EXPECT_EQ(search.exitCode, 0);
    EXPECT_TRUE(search.output.contains("search [--current]"));
    EXPECT_FALSE(QFileInfo::exists(m_dir.filePath(QStringLiteral("Quorvel.ini"))));
}

TEST_F(CliHelpTest, UnknownCommandStaysAUsageError)
{
    const Result result = Run({QStringLiteral("nonsense"), QStringLiteral("--help")});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.json.contains(QStringLiteral("error")));
}
