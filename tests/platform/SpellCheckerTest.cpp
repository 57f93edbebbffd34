// The spell checker against the installed English dictionary and a user dictionary in a
// temporary lexicon folder.
#include "platform/SpellChecker.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList Texts(const QString& text, const QList<SpellWord>& words)
{
    QStringList out;
    for (const SpellWord& word : words)
        out << text.mid(word.start, word.length);
    return out;
}

class SpellCheckerTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString Folder() const { return dir.path() + QStringLiteral("/Lexicons"); }
    void SetUp() override
    {
        QDir().mkpath(Folder());
        SpellChecker probe(Folder());
        if (probe.LoadedDictionaries() == 0)
            GTEST_SKIP() << "no en_US dictionary installed";
    }
};

TEST_F(SpellCheckerTest, FindsMisspelledWordsOnly)
{
    SpellChecker checker(Folder());
    const QString text = QStringLiteral("The quikc brown fox doesn't jumpp.");
    EXPECT_EQ(Texts(text, checker.Misspelled(text)),
              (QStringList {QStringLiteral("quikc"), QStringLiteral("jumpp")}));
    EXPECT_TRUE(checker.Suggestions(QStringLiteral("quikc")).contains(QStringLiteral("quick")));
}

TEST_F(SpellCheckerTest, DigitsCapitalsAndAddressesFollowTheOptions)
{
    SpellChecker checker(Folder());
    const QString text = QStringLiteral("Ab3x QWXZ www.exmple.org me@nowhre.invalid");
    EXPECT_TRUE(checker.Misspelled(text).isEmpty());
    SpellOptions options = checker.Options();
    options.ignoreWordsWithDigits = false;
    options.ignoreCapitals = false;
    checker.SetOptions(options);
    EXPECT_EQ(Texts(text, checker.Misspelled(text)),
              (QStringList {QStringLiteral("Ab3x"), QStringLiteral("QWXZ")}));
    // The options are kept beside the user dictionary for the next run.
    SpellChecker again(Folder());
    EXPECT_EQ(again.Options(), options);
}

TEST_F(SpellCheckerTest, UserWordsAreKnownAfterARestartAndCanBeRemoved)
{
    {
        SpellChecker checker(Folder());
        EXPECT_FALSE(checker.IsCorrect(QStringLiteral("Zorblat")));
        ASSERT_TRUE(checker.AddToUserDictionary(QStringLiteral("Zorblat")));
        EXPECT_TRUE(checker.IsCorrect(QStringLiteral("Zorblat")));
        EXPECT_FALSE(checker.AddToUserDictionary(QStringLiteral("two words")));
    }
    QFile file(Folder() + QStringLiteral("/user.dic"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("Zorblat\n"));
    file.close();
    SpellChecker restarted(Folder());
    EXPECT_TRUE(restarted.IsCorrect(QStringLiteral("Zorblat")));
    ASSERT_TRUE(restarted.RemoveFromUserDictionary(QStringLiteral("Zorblat")));
    EXPECT_FALSE(restarted.IsCorrect(QStringLiteral("Zorblat")));
    EXPECT_FALSE(SpellChecker(Folder()).IsCorrect(QStringLiteral("Zorblat")));
}

TEST_F(SpellCheckerTest, IgnoredWordsLastOnlyForTheRun)
{
    {
        SpellChecker checker(Folder());
        checker.IgnoreAll(QStringLiteral("blorft"));
        EXPECT_TRUE(checker.IsCorrect(QStringLiteral("blorft")));
    }
    EXPECT_FALSE(SpellChecker(Folder()).IsCorrect(QStringLiteral("blorft")));
}

TEST_F(SpellCheckerTest, SeveralDictionariesAcceptAWordAnyOfThemKnows)
{
    // A second dictionary of our own in the lexicon folder: one word, no affixes.
    QFile aff(Folder() + QStringLiteral("/xx_TEST.aff"));
    ASSERT_TRUE(aff.open(QIODevice::WriteOnly));
    aff.write("SET UTF-8\n");
    aff.close();
    QFile dic(Folder() + QStringLiteral("/xx_TEST.dic"));
    ASSERT_TRUE(dic.open(QIODevice::WriteOnly));
    dic.write("1\nkwarbel\n");
    dic.close();

    SpellChecker checker(Folder());
    EXPECT_TRUE(checker.AvailableLanguages().contains(QStringLiteral("xx_TEST")));
    SpellOptions options = checker.Options();
    options.languages = {QStringLiteral("en_US"), QStringLiteral("xx_TEST")};
    checker.SetOptions(options);
    // Off: only the first dictionary counts.
    EXPECT_FALSE(checker.IsCorrect(QStringLiteral("kwarbel")));
    options.severalDictionaries = true;
    checker.SetOptions(options);
    EXPECT_EQ(checker.LoadedDictionaries(), 2);
    EXPECT_TRUE(checker.IsCorrect(QStringLiteral("kwarbel")));
    EXPECT_TRUE(checker.IsCorrect(QStringLiteral("house")));
    EXPECT_FALSE(checker.IsCorrect(QStringLiteral("hosue")));
}

TEST(SpellCheckerNoDictionary, LeavesEveryWordRight)
{
    QTemporaryDir dir;
    SpellChecker checker(dir.path(), QStringList());
    EXPECT_EQ(checker.LoadedDictionaries(), 0);
    EXPECT_TRUE(checker.Misspelled(QStringLiteral("qqqq zzzz")).isEmpty());
}

} // namespace
