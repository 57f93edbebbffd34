// quorvel-cli on a data folder this user cannot write: the reading commands answer as
// ever (exports and hand-off files go elsewhere), every command that would store something
// exits 1 with {"error": "The data folder ... is read-only: ..."}, and nothing on disk
// changes.

#include "CliFixture.h"
#include "support/DataRootPicture.h"
#include "support/PrivateRuntime.h"
#include "support/ReadOnlyFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>

namespace {

class CliReadOnly : public CliFixture
{
protected:
    void SetUp() override
    {
        CliFixture::SetUp();
        Write({Note(1001, 0, 14, "apple pie"), Note(1002, 0, 14, "pear")});
        // A source, settings and a saved current list, all written while it was writable.
        ASSERT_EQ(Run({QStringLiteral("source"), QStringLiteral("add"), QStringLiteral("--type"),
                       QStringLiteral("1"), QStringLiteral("--field"), QStringLiteral("0=Pies")})
                      .exitCode,
                  0);
        ASSERT_EQ(Run({QStringLiteral("current"), QStringLiteral("--set"), QStringLiteral("1002")}).exitCode,
                  0);
        m_before = DataRootPicture::Files(m_dir.path());
        m_readOnly = std::make_unique<ReadOnlyFolder>(m_dir.path());
        if (!m_readOnly->Made())
            GTEST_SKIP() << m_readOnly->Why();
    }
    void TearDown() override
    {
        m_readOnly.reset();
        EXPECT_EQ(DataRootPicture::Differences(m_before, DataRootPicture::Files(m_dir.path()))
                      .join(QLatin1Char(' '))
                      .toStdString(),
                  "");
    }
    Result Ok(const QStringList& words)
    {
        const Result result = Run(words);
        EXPECT_EQ(result.exitCode, 0)
            << qPrintable(words.join(QLatin1Char(' '))) << ": " << result.output.constData();
        return result;
    }
    QString ReadOnlyError() const
    {
        return QStringLiteral("The data folder \"%1\" is read-only: nothing can be stored in it.")
            .arg(m_dir.filePath(QStringLiteral("Data Files")));
    }

    QMap<QString, QByteArray> m_before;
    std::unique_ptr<ReadOnlyFolder> m_readOnly;
    PrivateRuntime m_runtime;
};

QList<int> Ints(const QJsonValue& value)
{
    QList<int> ints;
    for (const QJsonValue& each : value.toArray())
        ints.append(each.toInt());
    return ints;
}

} // namespace

TEST_F(CliReadOnly, ReadingCommandsAnswerAsEver)
{
    const Result info = Ok({QStringLiteral("info")});
    EXPECT_EQ(info.json.value(QStringLiteral("total")).toInt(), 2);
    EXPECT_EQ(Ints(info.json.value(QStringLiteral("current"))), QList<int> {1002});
    EXPECT_EQ(Ok({QStringLiteral("notes"), QStringLiteral("1001")})
                  .json.value(QStringLiteral("notes"))
                  .toArray()
                  .at(0)
                  .toObject()
                  .value(QStringLiteral("plain_text"))
                  .toString(),
              QStringLiteral("apple pie"));
    const Result search
        = Ok({QStringLiteral("search"), QStringLiteral("--ids-only"), QStringLiteral("apple")});
    EXPECT_EQ(Ints(search.json.value(QStringLiteral("matches"))), QList<int> {1001});
    // The kept search index lives in the cache folder: it is built and read here too.
    const Result index = Ok({QStringLiteral("index")});
    EXPECT_EQ(index.json.value(QStringLiteral("notes")).toInt(), 2);
    EXPECT_FALSE(index.json.value(QStringLiteral("path")).toString().startsWith(m_dir.path()));
    EXPECT_EQ(Ints(Ok({QStringLiteral("search"), QStringLiteral("--scan"), QStringLiteral("--ids-only"),
                       QStringLiteral("pear")})
                       .json.value(QStringLiteral("matches"))),
              QList<int> {1002});
    // The search's current list lived for that run only.
    EXPECT_EQ(Ints(Ok({QStringLiteral("current")}).json.value(QStringLiteral("current"))), QList<int> {1002});
    EXPECT_EQ(Ok({QStringLiteral("sources")}).json.value(QStringLiteral("sources")).toArray().size(), 1);
    const int sourceId = Ok({QStringLiteral("sources")})
                             .json.value(QStringLiteral("sources"))
                             .toArray()
                             .at(0)
                             .toObject()
                             .value(QStringLiteral("id"))
                             .toInt();
    Ok({QStringLiteral("cite")});
    Ok({QStringLiteral("categories")});
    Ok({QStringLiteral("keywords")});
    Ok({QStringLiteral("authors")});
    Ok({QStringLiteral("settings")});

    QTemporaryDir outside;
    const QString archive = outside.filePath(QStringLiteral("out.qvx"));
    EXPECT_EQ(Ok({QStringLiteral("export"), archive, QStringLiteral("1001")})
                  .json.value(QStringLiteral("result"))
                  .toInt(),
              1);
    EXPECT_TRUE(QFileInfo(archive).size() > 0);
    const QString backup = outside.filePath(QStringLiteral("all.qvx"));
    EXPECT_EQ(Ok({QStringLiteral("backup"), backup}).json.value(QStringLiteral("result")).toInt(), 2);

    // The library's exports read the sources and notes and write where they are told.
    const QString bibFile = outside.filePath(QStringLiteral("out.bib"));
    EXPECT_EQ(Ok({QStringLiteral("source"), QStringLiteral("export"), QStringLiteral("--format"),
                  QStringLiteral("bibtex"), bibFile})
                  .json.value(QStringLiteral("count"))
                  .toInt(),
              1);
    EXPECT_TRUE(QFileInfo(bibFile).size() > 0);
    const QString markdown = outside.filePath(QStringLiteral("md"));
    EXPECT_EQ(Ok({QStringLiteral("notes-export"), QStringLiteral("--format"), QStringLiteral("markdown"),
                  markdown, QStringLiteral("1001")})
                  .json.value(QStringLiteral("count"))
                  .toInt(),
              1);
    EXPECT_TRUE(QFile::exists(QDir(markdown).filePath(QStringLiteral("1001-apple-pie.md"))));

    // The print program's files go to the runtime folder.
    const QString handOff = QDir(m_runtime.Path()).filePath(QStringLiteral("quorvel"));
    const Result print = Ok({QStringLiteral("print"), QStringLiteral("1001"), QStringLiteral("1002")});
    EXPECT_EQ(print.json.value(QStringLiteral("file")).toString(),
              QDir(handOff).filePath(QStringLiteral("PrintPreview.nbf")));
    EXPECT_EQ(print.json.value(QStringLiteral("count")).toInt(), 2);
    EXPECT_TRUE(QFile::exists(QDir(handOff).filePath(QStringLiteral("PrintPreview.nbf"))));
    const Result bib = Ok({QStringLiteral("bib"), QString::number(sourceId)});
    EXPECT_EQ(bib.json.value(QStringLiteral("file")).toString(),
              QDir(handOff).filePath(QStringLiteral("Bib.dat")));
    EXPECT_EQ(bib.json.value(QStringLiteral("count")).toInt(), 1);
}

TEST_F(CliReadOnly, CommandsThatWouldStoreAreRefused)
{
    QTemporaryDir outside;
    const QString archive = outside.filePath(QStringLiteral("in.qvx"));
    ASSERT_EQ(Ok({QStringLiteral("backup"), archive}).exitCode, 0);
    const QList<QStringList> refused {
        {QStringLiteral("add"), QStringLiteral("--text"), QStringLiteral("new")},
        {QStringLiteral("edit"), QStringLiteral("1001"), QStringLiteral("--text"), QStringLiteral("x")},
        {QStringLiteral("delete"), QStringLiteral("1002")},
        {QStringLiteral("import"), archive},
        {QStringLiteral("source"), QStringLiteral("add"), QStringLiteral("--type"), QStringLiteral("1"),
         QStringLiteral("--field"), QStringLiteral("0=New")},
        {QStringLiteral("source"), QStringLiteral("import"),
         QStringLiteral(QUORVEL_TEST_DATA "/bibliography/library.bib")},
        {QStringLiteral("retree"), QStringLiteral("new:Fruit")},
        {QStringLiteral("sort"), QStringLiteral("--by"), QStringLiteral("705")},
        {QStringLiteral("current"), QStringLiteral("--set"), QStringLiteral("1001")},
        {QStringLiteral("keywords"), QStringLiteral("--attach"), QStringLiteral("sweet"),
         QStringLiteral("1001")},
    };
    for (const QStringList& words : refused) {
        const Result result = Run(words);
        EXPECT_EQ(result.exitCode, 1) << qPrintable(words.join(QLatin1Char(' ')));
        EXPECT_EQ(result.json, QJsonObject({{QStringLiteral("error"), ReadOnlyError()}}))
            << qPrintable(words.join(QLatin1Char(' '))) << ": " << result.output.constData();
    }
    // A usage error is still a usage error.
    EXPECT_EQ(Run({QStringLiteral("add")}).exitCode, 2);
    EXPECT_EQ(Ints(Ok({QStringLiteral("info")}).json.value(QStringLiteral("current"))), QList<int> {1002});
}
