// The pieces the index stands on: what a token is, how terms are found among tokens, and
// that stored blobs which are not what was written are refused.

#include "index/DocSet.h"
#include "index/IndexCoding.h"
#include "index/IndexedDoc.h"
#include "index/TextMatcher.h"
#include "index/TextTokenizer.h"
#include "index/Vocabulary.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Strings(const std::vector<std::string_view>& views)
{
    return std::vector<std::string>(views.begin(), views.end());
}

std::vector<std::string> TermsOf(const Vocabulary& vocabulary, const std::vector<quint32>& ids)
{
    std::vector<std::string> terms;
    for (const quint32 id : ids)
        terms.emplace_back(vocabulary.Term(id));
    return terms;
}

// The index finds a term of one kind of character inside one token only because folding
// a character's case never turns a word character into a separator or back.
TEST(IndexPartsTest, FoldingKeepsWhatIsAWordCharacter)
{
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        ASSERT_EQ(IsWordChar(c), IsWordChar(QChar::toCaseFolded(c))) << std::hex << quint32(c);
    }
}

TEST(IndexPartsTest, TokensAreRunsOfOneKindFolded)
{
    TextTokenizer tokenizer;
    EXPECT_EQ(Strings(tokenizer.Split(QStringLiteral("Salt, and PEPPER. salt"))),
              (std::vector<std::string> {"salt", ", ", "and", " ", "pepper", ". "}));
    // Marks belong to their letter; the Kelvin sign folds to k; a lone surrogate is kept.
    EXPECT_EQ(Strings(tokenizer.Split(QStringLiteral("e\u0301t\u00c9 \u212a"))),
              (std::vector<std::string> {"e\xcc\x81t\xc3\xa9", " ", "k"}));
    EXPECT_EQ(Strings(tokenizer.Split(QString(QChar(0xD800)) + QStringLiteral("x"))),
              (std::vector<std::string> {"\xed\xa0\x80", "x"}));
    EXPECT_TRUE(tokenizer.Split(QString()).empty());

    // Each run between words, with up to three characters of the words beside it.
    tokenizer.Split(QStringLiteral("Salt, and PEPPER. salt"));
    EXPECT_EQ(Strings(tokenizer.Bridges()),
              (std::vector<std::string> {"alt\xFB, \xFB"
                                         "and",
                                         "and\xFB \xFBpep", "per\xFB. \xFBsal"}));
    tokenizer.Split(QStringLiteral("(\u00e9t\u00e9) a"));
    EXPECT_EQ(Strings(tokenizer.Bridges()),
              (std::vector<std::string> {"\xFB(\xFB\xc3\xa9t\xc3\xa9",
                                         "\xc3\xa9t\xc3\xa9\xFB) \xFB"
                                         "a"}));
    tokenizer.Split(QStringLiteral("word"));
    EXPECT_TRUE(tokenizer.Bridges().empty());
    tokenizer.Split(QStringLiteral("a-b a-b."));
    EXPECT_EQ(Strings(tokenizer.Bridges()),
              (std::vector<std::string> {"a\xFB-\xFB"
                                         "b",
                                         "b\xFB \xFB"
                                         "a",
                                         "b\xFB.\xFB"}));

    const std::vector<TextTokenizer::Run> runs = TextTokenizer::Runs(QStringLiteral("Co-Op"));
    ASSERT_EQ(runs.size(), 3U);
    EXPECT_EQ(runs[0].folded, QByteArray("co"));
    EXPECT_TRUE(runs[0].word);
    EXPECT_EQ(runs[1].folded, QByteArray("-"));
    EXPECT_FALSE(runs[1].word);
}

TEST(IndexPartsTest, VocabularyFindsTokensByPieces)
{
    Vocabulary vocabulary;
    for (const char* token : {"category", "cat", "scat", "dog", "\xc3\xa9t\xc3\xa9"})
        vocabulary.Add(Vocabulary::Kind::Token, token);
    EXPECT_EQ(TermsOf(vocabulary, vocabulary.TokensContaining("cat")),
              (std::vector<std::string> {"category", "cat", "scat"}));
    EXPECT_EQ(TermsOf(vocabulary, vocabulary.TokensStartingWith("cat")),
              (std::vector<std::string> {"category", "cat"}));
    EXPECT_EQ(TermsOf(vocabulary, vocabulary.TokensEndingWith("at")),
              (std::vector<std::string> {"cat", "scat"}));
    EXPECT_EQ(TermsOf(vocabulary, vocabulary.TokensContaining("t\xc3\xa9")),
              (std::vector<std::string> {"\xc3\xa9t\xc3\xa9"}));
    EXPECT_TRUE(vocabulary.TokensContaining("gc").empty()); // never across two tokens
    // A scan for a longer piece looks among an earlier scan's finds and the tokens added
    // since: nothing is lost, nothing comes twice.
    EXPECT_EQ(vocabulary.TokensContaining("a").size(), 3U);
    vocabulary.Add(Vocabulary::Kind::Token, "bobcat");
    EXPECT_EQ(TermsOf(vocabulary, vocabulary.TokensContaining("cat")),
              (std::vector<std::string> {"category", "cat", "scat", "bobcat"}));
    EXPECT_EQ(TermsOf(vocabulary, vocabulary.TokensContaining("cate")),
              (std::vector<std::string> {"category"}));
    EXPECT_EQ(TermsOf(vocabulary, vocabulary.TokensStartingWith("cat")),
              (std::vector<std::string> {"category", "cat"}));
    EXPECT_EQ(TermsOf(vocabulary, vocabulary.TokensEndingWith("cat")),
              (std::vector<std::string> {"cat", "scat", "bobcat"}));

    // Bridges are found by their own pieces, and never as tokens.
    vocabulary.Add(Vocabulary::Kind::Bridge,
                   "cat\xFB \xFB"
                   "dog");
    vocabulary.Add(Vocabulary::Kind::Bridge,
                   "\xFB(\xFB"
                   "cat");
    EXPECT_EQ(TermsOf(vocabulary,
                      vocabulary.BridgesContaining("at\xFB \xFB"
                                                   "do")),
              (std::vector<std::string> {"cat\xFB \xFB"
                                         "dog"}));
    EXPECT_EQ(vocabulary.BridgesContaining("cat").size(), 2U);
    EXPECT_EQ(TermsOf(vocabulary, vocabulary.TokensContaining("cat")),
              (std::vector<std::string> {"category", "cat", "scat", "bobcat"}));
    EXPECT_TRUE(vocabulary
                    .Find(Vocabulary::Kind::Bridge,
                          "\xFB(\xFB"
                          "cat")
                    .has_value());
    EXPECT_FALSE(vocabulary
                     .Find(Vocabulary::Kind::Token,
                           "\xFB(\xFB"
                           "cat")
                     .has_value());

    // A token's grams: each run of one to three of its characters, once.
    const std::vector<quint32>& grams = vocabulary.GramsOf(*vocabulary.Find(Vocabulary::Kind::Token, "scat"));
    EXPECT_EQ(TermsOf(vocabulary, grams),
              (std::vector<std::string> {"a", "at", "c", "ca", "cat", "s", "sc", "sca", "t"}));
    EXPECT_TRUE(vocabulary.Find(Vocabulary::Kind::Gram, "\xc3\xa9t\xc3\xa9").has_value());
    EXPECT_FALSE(vocabulary.Find(Vocabulary::Kind::Gram, "scat").has_value());
}

TEST(IndexPartsTest, StoredChunksReadBackAsTheyWere)
{
    Vocabulary stored;
    for (int i = 0; i < 7000; ++i) {
        stored.Add(Vocabulary::Kind::Token, "w" + std::to_string(i * 7919));
        if (i % 10 == 0)
            stored.Add(Vocabulary::Kind::Bridge, "w\xFB \xFB" + std::to_string(i));
    }
    ASSERT_GT(stored.Size(), 2 * Vocabulary::kChunk); // tokens and their grams
    Vocabulary restored;
    for (quint32 chunk = 0; chunk * Vocabulary::kChunk < stored.Size(); ++chunk)
        ASSERT_TRUE(restored.RestoreChunk(stored.Chunk(chunk)));
    ASSERT_EQ(restored.Size(), stored.Size());
    for (quint32 id = 0; id < stored.Size(); id += 97) {
        EXPECT_EQ(restored.Term(id), stored.Term(id));
        EXPECT_EQ(restored.KindOf(id), stored.KindOf(id));
    }
    EXPECT_EQ(restored.Find(Vocabulary::Kind::Token, "w7919"), stored.Find(Vocabulary::Kind::Token, "w7919"));
    EXPECT_EQ(restored.Find(Vocabulary::Kind::Gram, "w79"), stored.Find(Vocabulary::Kind::Gram, "w79"));
    EXPECT_FALSE(restored.Find(Vocabulary::Kind::Token, "w79").has_value());
    EXPECT_EQ(restored.Find(Vocabulary::Kind::Bridge,
                            "w\xFB \xFB"
                            "70"),
              stored.Find(Vocabulary::Kind::Bridge,
                          "w\xFB \xFB"
                          "70"));
    EXPECT_TRUE(restored
                    .Find(Vocabulary::Kind::Bridge,
                          "w\xFB \xFB"
                          "70")
                    .has_value());
    // A token added to a restored vocabulary takes the next number.
    const quint32 next = restored.Size();
    EXPECT_EQ(restored.Add(Vocabulary::Kind::Token, "zz"), next);

    Vocabulary damaged;
    QByteArray chunk = stored.Chunk(0);
    EXPECT_FALSE(damaged.RestoreChunk(chunk.left(chunk.size() - 1))); // cut off
    Vocabulary marked;
    chunk[3] = char(0xFE); // a mark inside a term
    EXPECT_FALSE(marked.RestoreChunk(chunk));
}

TEST(IndexPartsTest, DamagedBlobsAreRefused)
{
    DocSet docs;
    for (quint32 doc : {1U, 5U, 70000U, 70001U})
        docs.Add(doc);
    const QByteArray bytes = docs.Serialize();
    ASSERT_TRUE(DocSet::Deserialize(bytes).has_value());
    EXPECT_EQ(*DocSet::Deserialize(bytes), docs);
    EXPECT_FALSE(DocSet::Deserialize(bytes.left(bytes.size() - 1)).has_value());
    EXPECT_FALSE(DocSet::Deserialize(QByteArray(bytes + "x")).has_value());
    EXPECT_FALSE(DocSet::Deserialize(QByteArray(40, '\xff')).has_value());

    IndexedFile file;
    file.stamp.size = 12;
    IndexedDoc doc;
    doc.doc = 3;
    doc.noteId = 1002;
    doc.dateAdded = DateTime::FromParts(2008, 8, 14, 21, 23, 56);
    doc.lastEdited = DateTime::Invalid();
    doc.diskStart = 4;
    doc.diskEnd = 12;
    file.docs = {doc, doc};
    QByteArray state = file.Serialize();
    ASSERT_TRUE(IndexedFile::Deserialize(state).has_value());
    EXPECT_EQ(IndexedFile::Deserialize(state)->docs, file.docs);
    state[20] = char(state[20] ^ 1);
    EXPECT_FALSE(IndexedFile::Deserialize(state).has_value());
    file.docs[1].diskEnd = 13; // a record past the end of the file it was read from
    EXPECT_FALSE(IndexedFile::Deserialize(file.Serialize()).has_value());

    const IndexCoding::GramTable grams {40, {{2, "a"}, {7, "ab"}, {39, "\xC3\xA9"}}};
    const QByteArray table = IndexCoding::EncodeGramTable(grams);
    const std::optional<IndexCoding::GramTable> read = IndexCoding::DecodeGramTable(table);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->termCount, 40U);
    EXPECT_EQ(read->grams, grams.grams);
    EXPECT_FALSE(IndexCoding::DecodeGramTable(table.left(table.size() - 1)).has_value());
    QByteArray flipped = table;
    flipped[3] = char(flipped[3] ^ 1);
    EXPECT_FALSE(IndexCoding::DecodeGramTable(flipped).has_value());
    // Numbers out of order, or beyond the terms, are no table.
    EXPECT_FALSE(IndexCoding::DecodeGramTable(IndexCoding::EncodeGramTable({40, {{7, "ab"}, {2, "a"}}})));
    EXPECT_FALSE(IndexCoding::DecodeGramTable(IndexCoding::EncodeGramTable({5, {{7, "ab"}}})));
}

} // namespace
