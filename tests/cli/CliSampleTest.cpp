#include "CliFixture.h"

#include <QJsonArray>

// The sample archive that comes with the program, imported through the ordinary import as
// Help > "Open Sample Notes..." does: a new user must find every kind of thing the program
// handles in it.
class CliSampleTest : public CliFixture
{
protected:
    void SetUp() override
    {
        CliFixture::SetUp();
        const Result imported = Run({QStringLiteral("import"), QStringLiteral(QUORVEL_SAMPLE_ARCHIVE)});
        ASSERT_EQ(imported.exitCode, 0) << imported.output.constData();
        m_notes = Run({QStringLiteral("notes")}).json.value(QStringLiteral("notes")).toArray();
    }

    QJsonArray m_notes;
};

TEST_F(CliSampleTest, NotesWithSourcesAuthorsAndFourLevels)
{
    EXPECT_GE(m_notes.size(), 24);
    int withSource = 0;
    int fourLevels = 0;
    int withKeyWords = 0;
    for (const QJsonValue& value : std::as_const(m_notes)) {
        const QJsonObject note = value.toObject();
        withSource += note.value(QStringLiteral("source_id")).toInt() > 0;
        withKeyWords += !note.value(QStringLiteral("key_words")).toString().isEmpty();
        for (const QJsonValue& entry : note.value(QStringLiteral("categories")).toArray())
            fourLevels += entry.toArray().at(0).toInt() == 3
                && entry.toArray().at(1).toString() != QLatin1String("<UNASSIGNED>")
                && !entry.toArray().at(1).toString().isEmpty();
    }
    EXPECT_GE(withSource, 20);
    EXPECT_GE(fourLevels, 20);
    EXPECT_EQ(withKeyWords, m_notes.size());
    // Some notes have no source, so that the control bar's "no source" group is not empty.
    EXPECT_LT(withSource, m_notes.size());

    const QJsonArray sources
        = Run({QStringLiteral("sources")}).json.value(QStringLiteral("sources")).toArray();
    EXPECT_GE(sources.size(), 8);
    bool twoAuthors = false;
    QSet<int> types;
    for (const QJsonValue& value : sources) {
        const QJsonObject source = value.toObject();
        EXPECT_FALSE(source.value(QStringLiteral("author_ids")).toArray().isEmpty());
        twoAuthors = twoAuthors || source.value(QStringLiteral("author_ids")).toArray().size() >= 2;
        types.insert(source.value(QStringLiteral("type")).toInt());
    }
    EXPECT_TRUE(twoAuthors);
    EXPECT_GE(types.size(), 3);
}

TEST_F(CliSampleTest, FormattedTextAndAnImage)
{
    bool bold = false;
    bool italic = false;
    int images = 0;
    for (const QJsonValue& value : std::as_const(m_notes)) {
        const QJsonObject note = value.toObject();
        const QString rtf = note.value(QStringLiteral("rich_text")).toString();
        bold = bold || rtf.contains(QLatin1String("\\b "));
        italic = italic || rtf.contains(QLatin1String("\\i "));
        for (const QJsonValue& attachment : note.value(QStringLiteral("attachments")).toArray()) {
            const QString stored = attachment.toObject().value(QStringLiteral("stored_name")).toString();
            EXPECT_TRUE(QFileInfo::exists(m_dir.filePath(QStringLiteral("Data Files/Images/") + stored)));
            images += attachment.toObject().value(QStringLiteral("show_image")).toBool();
        }
    }
    EXPECT_TRUE(bold);
    EXPECT_TRUE(italic);
    EXPECT_GE(images, 1);
}
