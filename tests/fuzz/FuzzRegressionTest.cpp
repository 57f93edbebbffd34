// Replays, through the fuzz targets' own entry functions, every input kept for them:
// the seeds each fuzzer starts from (tests/data/fuzz-seeds/<target>/) and every input a
// fuzzer found to crash, hang or break a check (tests/data/fuzz/<target>/). A reader
// that breaks again aborts this program, naming the file just before.

#include "FuzzTargets.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

struct Target
{
    const char* name; // the folder of its inputs, as scripts/fuzz.sh names them
    FuzzEntry entry;
};

const Target kTargets[] = {
    {"notefile", FuzzNoteFile},
    {"rtf", FuzzRtf},
    {"sources", FuzzSourcesFile},
    {"authors", FuzzAuthorsFile},
    {"bib", FuzzBibFile},
    {"exportdata", FuzzExportData},
    {"lastviewlist", FuzzLastViewList},
    {"settings", FuzzSettingsFile},
    {"archive", FuzzArchive},
    {"bibliography", FuzzBibliography},
};

void PrintTo(const Target& target, std::ostream* out)
{
    *out << target.name;
}

int Replay(const Target& target, const QString& folder)
{
    const QDir dir(QStringLiteral(QUORVEL_TEST_DATA) + QLatin1Char('/') + folder + QLatin1Char('/')
                   + QLatin1String(target.name));
    int replayed = 0;
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray bytes = file.readAll();
        std::fprintf(stderr, "replaying %s/%s/%s\n", qPrintable(folder), target.name, qPrintable(name));
        EXPECT_EQ(target.entry(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())), 0);
        ++replayed;
    }
    return replayed;
}

class FuzzRegression : public ::testing::TestWithParam<Target>
{
};

} // namespace

TEST_P(FuzzRegression, KeptInputsReadCleanly)
{
    const int seeds = Replay(GetParam(), QStringLiteral("fuzz-seeds"));
    const int found = Replay(GetParam(), QStringLiteral("fuzz"));
    // Every target starts from at least one real file of its kind.
    EXPECT_GT(seeds, 0) << GetParam().name;
    RecordProperty("found", found);
}

// The empty input and a few bytes of each kind reach every reader too.
TEST_P(FuzzRegression, TinyInputsReadCleanly)
{
    const QList<QByteArray> inputs = {QByteArray(),
                                      QByteArray(1, '\0'),
                                      QByteArray("\x1a"),
                                      QByteArray("-1\n"),
                                      QByteArray("2147483647\n"),
                                      QByteArray("{\\rtf1"),
                                      QByteArray("PK\x03\x04")};
    for (const QByteArray& input : inputs)
        EXPECT_EQ(GetParam().entry(reinterpret_cast<const uint8_t*>(input.constData()), size_t(input.size())),
                  0);
}

INSTANTIATE_TEST_SUITE_P(Readers, FuzzRegression, ::testing::ValuesIn(kTargets),
                         [](const ::testing::TestParamInfo<Target>& info) {
                             return std::string(info.param.name);
                         });
