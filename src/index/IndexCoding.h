#pragma once

#include "format/CategoryAssignment.h"
#include "index/DocSet.h"

#include <QByteArray>
#include <QByteArrayView>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How the index's content is kept in its store's blobs: a category path, and a term's
// documents (its postings). Shared by the whole build and the content that reads and
// updates the store.
namespace IndexCoding {

// A term's documents: at most this many as their differences, more as a roaring bitmap.
constexpr quint64 kMostDifferences = 64;

QByteArray EncodeCategoryPath(const CategoryAssignment& path);
// None for bytes that are not one (a damaged store).
std::optional<CategoryAssignment> DecodeCategoryPath(QByteArrayView bytes);

// A stored DocSet: a few documents (most tokens are in one note or two) as their
// differences, more as a roaring bitmap; then four bytes of the digest of that, so that a
// damaged one is noticed.
QByteArray SealPostings(const DocSet& docs);
// The same from documents already written as their differences (PutVarint of each
// document less the one before, the first less 0): at most kMostDifferences of them.
QByteArray SealDifferences(std::string_view differences);
// The documents written as their differences (as SealDifferences takes them), trusted
// to be well formed.
std::vector<quint32> DecodeDifferences(std::string_view differences);
// An empty blob is a term whose documents were never merged: no documents. None for
// bytes that are not one.
std::optional<DocSet> OpenPostings(QByteArrayView bytes);

// The grams of a vocabulary of termCount terms, each with its number: what a query of
// one to three characters needs, read without the whole vocabulary.
struct GramTable
{
    quint32 termCount = 0;
    std::vector<std::pair<quint32, std::string>> grams; // in number order
};
QByteArray EncodeGramTable(const GramTable& table);
// None for bytes that are not one (numbers out of order or beyond the terms).
std::optional<GramTable> DecodeGramTable(QByteArrayView bytes);

} // namespace IndexCoding
