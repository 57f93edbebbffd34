// The command line's JSON comes out byte for byte as the general compact writer would write
// it: whole numbers stored as integers or as doubles, strings that need escaping, nested
// arrays and objects, and random documents of all of them.
#include "cli/CliJsonWriter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <limits>

namespace {

QByteArray General(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QJsonValue RandomValue(QRandomGenerator& random, int depth)
{
    switch (random.bounded(depth > 2 ? 6 : 8)) {
    case 0:
        return qint64(random.bounded(-1000000, 1000000)) * (random.bounded(2) ? 1 : 100003);
    case 1:
        return double(random.bounded(200000)) * (random.bounded(2) ? 1.0 : 0.25); // whole or not
    case 2: {
        QString text;
        for (int i = random.bounded(6); i > 0; --i)
            text.append(
                QChar(char16_t(random.bounded(2) ? random.bounded(0x20, 0x7F) : random.bounded(0, 0x3000))));
        return text;
    }
    case 3:
        return bool(random.bounded(2));
    case 4:
        return QJsonValue(QJsonValue::Null);
    case 5:
        return qint32(random.bounded(1, 200000));
    case 6: {
        QJsonArray array;
        for (int i = random.bounded(5); i > 0; --i)
            array.append(RandomValue(random, depth + 1));
        return array;
    }
    default: {
        QJsonObject object;
        for (int i = random.bounded(4); i > 0; --i)
            object.insert(QString::number(random.bounded(100)), RandomValue(random, depth + 1));
        return object;
    }
    }
}

} // namespace

TEST(CliJsonWriterTest, WritesWhatTheGeneralWriterWrites)
{
    QJsonArray ids;
    for (qint32 id : {1001, 100000, 2147483647, -5, 0})
        ids.append(id);
    const QJsonObject document {
        {QStringLiteral("count"), 5},
        {QStringLiteral("matches"), ids},
        {QStringLiteral("doubles"), QJsonArray {100000.0, 1e20, 0.1, -0.0, 3.0, 1e-7}},
        {QStringLiteral("big"), QJsonArray {qint64(1) << 53, std::numeric_limits<qint64>::min()}},
        {QStringLiteral("text"),
         QStringLiteral("a \"quoted\" \\ back\nslash\t\u0001 \u00e9 \u20ac \U0001F600 /")},
        {QStringLiteral("key \"odd\"\n"),
         QJsonArray {QJsonObject {{QStringLiteral("x"), QJsonArray {}}}, QJsonObject {}}},
        {QStringLiteral("flags"), QJsonArray {true, false, QJsonValue(QJsonValue::Null)}},
    };
    EXPECT_EQ(CliJsonWriter::Compact(document), General(document));
    EXPECT_EQ(CliJsonWriter::Compact(QJsonObject {}), General(QJsonObject {}));

    QRandomGenerator random(2112);
    for (int i = 0; i < 500; ++i) {
        QJsonObject object;
        for (int n = random.bounded(6); n > 0; --n)
            object.insert(QString::number(random.bounded(1000)), RandomValue(random, 0));
        ASSERT_EQ(CliJsonWriter::Compact(object), General(object)) << i;
    }
}
