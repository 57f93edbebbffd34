#include "index/Vocabulary.h"

#include <algorithm>
#include <cstring>
#include <string.h> // memmem
#include <thread>

namespace {

constexpr char kTokenMark = '\xFE';
constexpr char kGramMark = '\xFD';
constexpr char kBridgeMark = '\xFC';
constexpr char kEnd = '\xFF';

char MarkOf(Vocabulary::Kind kind)
{
    switch (kind) {
    case Vocabulary::Kind::Token:
        return kTokenMark;
    case Vocabulary::Kind::Gram:
        return kGramMark;
    case Vocabulary::Kind::Bridge:
        break;
    }
    return kBridgeMark;
}

} // namespace

Vocabulary::Vocabulary() = default;

size_t Vocabulary::HashOf(quint32 id) const
{
    return std::hash<std::string_view>()(Term(id));
}

std::optional<quint32> Vocabulary::Table::Find(const Vocabulary& terms, Kind kind,
                                               std::string_view term) const
{
    if (m_slots.empty())
        return std::nullopt;
    const size_t mask = m_slots.size() - 1;
    const char mark = MarkOf(kind);
    for (size_t at = std::hash<std::string_view>()(term) & mask;; at = (at + 1) & mask) {
        const quint32 slot = m_slots[at];
        if (slot == 0)
            return std::nullopt;
        const quint32 id = slot - 1;
        if (terms.m_bytes[terms.m_starts[id]] == mark && terms.Term(id) == term)
            return id;
    }
}

void Vocabulary::Table::Insert(const Vocabulary& terms, quint32 id)
{
    if ((m_used + 1) * 2 > m_slots.size())
        Grow(terms, std::max<size_t>(64, m_slots.size() * 2));
    const size_t mask = m_slots.size() - 1;
    size_t at = terms.HashOf(id) & mask;
    while (m_slots[at] != 0)
        at = (at + 1) & mask;
    m_slots[at] = id + 1;
    ++m_used;
}

std::vector<quint32> Vocabulary::Table::Ids() const
{
    std::vector<quint32> ids;
    ids.reserve(m_used);
    for (const quint32 slot : m_slots) {
        if (slot != 0)
            ids.push_back(slot - 1);
    }
    return ids;
}

std::vector<std::pair<quint32, std::string>> Vocabulary::Grams() const
{
    std::vector<quint32> ids = m_grams.Ids();
    std::sort(ids.begin(), ids.end());
    std::vector<std::pair<quint32, std::string>> grams;
    grams.reserve(ids.size());
    for (const quint32 id : ids)
        grams.emplace_back(id, std::string(Term(id)));
    return grams;
}

void Vocabulary::Table::Reserve(const Vocabulary& terms, size_t count)
{
    size_t slotCount = 64;
    while (slotCount < count * 2)
        slotCount *= 2;
    if (slotCount > m_slots.size())
        Grow(terms, slotCount);
}

void Vocabulary::Table::Grow(const Vocabulary& terms, size_t slotCount)
{
    std::vector<quint32> old(slotCount, 0);
    old.swap(m_slots);
    const size_t mask = m_slots.size() - 1;
    for (const quint32 slot : old) {
        if (slot == 0)
            continue;
        size_t at = terms.HashOf(slot - 1) & mask;
        while (m_slots[at] != 0)
            at = (at + 1) & mask;
        m_slots[at] = slot;
    }
}

std::string_view Vocabulary::Term(quint32 id) const
{
    const size_t start = m_starts.at(id) + 1;
    const size_t end = (id + 1 < m_starts.size() ? m_starts[id + 1] : m_bytes.size()) - 1;
    return std::string_view(m_bytes).substr(start, end - start);
}

Vocabulary::Kind Vocabulary::KindOf(quint32 id) const
{
    const char mark = m_bytes.at(m_starts.at(id));
    return mark == kTokenMark ? Kind::Token : mark == kGramMark ? Kind::Gram : Kind::Bridge;
}

const Vocabulary::Table& Vocabulary::Tokens() const
{
    if (!m_tokensHashed) {
        m_tokens.Reserve(*this, m_starts.size());
        for (quint32 id = 0; id < Size(); ++id) {
            if (KindOf(id) != Kind::Gram)
                m_tokens.Insert(*this, id);
        }
        m_tokensHashed = true;
    }
    return m_tokens;
}

std::optional<quint32> Vocabulary::Find(Kind kind, std::string_view term) const
{
    if (kind == Kind::Gram)
        return m_grams.Find(*this, kind, term);
    if (m_tokensHashed)
        return m_tokens.Find(*this, kind, term);
    // One look-up needs no hash of a million tokens: the mark, the term, its end.
    std::string pattern(1, MarkOf(kind));
    pattern.append(term);
    pattern.push_back(kEnd);
    const std::vector<quint32> found = ScanFrom(pattern, 1, kind, 0);
    return found.empty() ? std::nullopt : std::optional<quint32>(found.front());
}

quint32 Vocabulary::Append(Kind kind, std::string_view term)
{
    const auto id = quint32(m_starts.size());
    m_starts.push_back(quint32(m_bytes.size()));
    m_bytes.push_back(MarkOf(kind));
    m_bytes.append(term);
    m_bytes.push_back(kEnd);
    if (kind == Kind::Gram)
        m_grams.Insert(*this, id);
    else if (m_tokensHashed)
        m_tokens.Insert(*this, id);
    return id;
}

quint32 Vocabulary::AddTerm(Kind kind, std::string_view term)
{
    if (kind != Kind::Gram)
        Tokens(); // a store being written hashes its tokens and bridges once
    if (const std::optional<quint32> known = Find(kind, term))
        return *known;
    return Append(kind, term);
}

quint32 Vocabulary::Add(Kind kind, std::string_view term)
{
    const quint32 id = AddTerm(kind, term);
    if (kind == Kind::Token)
        GramsOf(id);
    return id;
}

const std::vector<quint32>& Vocabulary::GramsOf(quint32 token)
{
    const auto known = m_gramsOf.find(token);
    if (known != m_gramsOf.end())
        return known->second;
    std::vector<quint32> grams;
    for (const std::string& gram : GramsOfToken(Term(token)))
        grams.push_back(AddTerm(Kind::Gram, gram));
    return m_gramsOf.emplace(token, std::move(grams)).first->second;
}

QByteArray Vocabulary::Chunk(quint32 chunk) const
{
    const quint32 first = chunk * kChunk;
    if (first >= Size())
        return QByteArray();
    const size_t from = m_starts[first];
    const size_t to = first + kChunk < Size() ? m_starts[first + kChunk] : m_bytes.size();
    return QByteArray(m_bytes.data() + from, qsizetype(to - from));
}

void Vocabulary::Reserve(size_t bytes, size_t terms)
{
    m_bytes.reserve(m_bytes.size() + bytes);
    m_starts.reserve(m_starts.size() + terms);
}

bool Vocabulary::RestoreChunk(QByteArrayView bytes)
{
    if (Size() % kChunk != 0 || bytes.isEmpty() || bytes.back() != kEnd
        || m_bytes.size() + size_t(bytes.size()) >= 0xFFFFFFFFU) // places are 32 bits
        return false;
    const size_t base = m_bytes.size();
    m_bytes.append(bytes.data(), size_t(bytes.size()));
    const auto first = quint32(m_starts.size());
    // Marks and the end are the only bytes from 0xFC up: a chunk holds exactly two for
    // each term, its mark first and the end last, or it is damaged.
    const size_t marksAndEnds = FindEnds(base);
    const quint32 added = Size() - first;
    if (marksAndEnds != size_t(added) * 2 || added > kChunk)
        return false;
    const auto* data = reinterpret_cast<const unsigned char*>(m_bytes.data());
    for (quint32 id = first; id < Size(); ++id) {
        const char mark = char(data[m_starts[id]]);
        if (mark == kGramMark)
            m_grams.Insert(*this, id);
        else if (mark != kTokenMark && mark != kBridgeMark)
            return false;
        else if (m_tokensHashed)
            m_tokens.Insert(*this, id);
    }
    return true;
}

size_t Vocabulary::FindEnds(size_t from)
{
    // Eight bytes at a time: a high bit in each byte that is 0xFF (an end), and in each
    // byte from 0xFC up (a mark or an end).
    constexpr quint64 kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    const auto zeroBytes = [](quint64 w) { return ~(((w & kLow7) + kLow7) | w | kLow7); };
    const char* data = m_bytes.data();
    const size_t size = m_bytes.size();
    size_t high = 0;
    m_starts.push_back(quint32(from)); // the chunk's first term
    size_t at = from;
    const auto end = [&](size_t place) {
        if (place + 1 < size)
            m_starts.push_back(quint32(place + 1));
    };
    for (; at + 8 <= size; at += 8) {
        quint64 word = 0;
        std::memcpy(&word, data + at, 8);
        high += size_t(
            __builtin_popcountll(zeroBytes((word & 0xFCFCFCFCFCFCFCFCULL) ^ 0xFCFCFCFCFCFCFCFCULL)));
        for (quint64 ends = zeroBytes(~word); ends != 0; ends &= ends - 1)
            end(at + size_t(__builtin_ctzll(ends)) / 8);
    }
    for (; at < size; ++at) {
        const auto byte = static_cast<unsigned char>(data[at]);
        high += byte >= 0xFC ? 1 : 0;
        if (byte == 0xFF)
            end(at);
    }
    return high;
}

std::vector<std::string> Vocabulary::GramsOfToken(std::string_view token)
{
    std::vector<std::string> grams;
    ForEachGramPiece(token, [&](std::string_view piece) { grams.emplace_back(piece); });
    std::sort(grams.begin(), grams.end());
    grams.erase(std::unique(grams.begin(), grams.end()), grams.end());
    return grams;
}

std::vector<quint32> Vocabulary::Scan(std::string_view pattern, size_t offsetInPattern, Kind kind) const
{
    std::vector<quint32> found;
    if (const RecentScan* recent = Narrowest(pattern, kind)) {
        for (const quint32 id : recent->found) {
            if (Holds(id, pattern))
                found.push_back(id);
        }
        if (recent->size < Size()) {
            const std::vector<quint32> added
                = ScanFrom(pattern, offsetInPattern, kind, m_starts[recent->size]);
            found.insert(found.end(), added.begin(), added.end());
        }
    } else {
        found = ScanFrom(pattern, offsetInPattern, kind, 0);
    }
    constexpr size_t kRecentScans = 8;
    if (m_recentScans.size() == kRecentScans)
        m_recentScans.erase(m_recentScans.begin());
    m_recentScans.push_back(RecentScan {std::string(pattern), kind, Size(), found});
    return found;
}

const Vocabulary::RecentScan* Vocabulary::Narrowest(std::string_view pattern, Kind kind) const
{
    const RecentScan* narrowest = nullptr;
    for (const RecentScan& recent : m_recentScans) {
        if (recent.kind == kind && recent.size <= Size()
            && pattern.find(recent.pattern) != std::string_view::npos
            && (!narrowest || recent.found.size() < narrowest->found.size()))
            narrowest = &recent;
    }
    return narrowest;
}

bool Vocabulary::Holds(quint32 id, std::string_view pattern) const
{
    // The term with its mark and end, as the scan sees it.
    const size_t start = m_starts[id];
    const size_t end = id + 1 < m_starts.size() ? m_starts[id + 1] : m_bytes.size();
    return std::string_view(m_bytes).substr(start, end - start).find(pattern) != std::string_view::npos;
}

std::vector<quint32> Vocabulary::ScanFrom(std::string_view pattern, size_t offsetInPattern, Kind kind,
                                          size_t fromByte) const
{
    // A long scan goes on two threads, split where a term starts (no pattern reaches
    // across terms), the finds of the first part first.
    constexpr size_t kWorthAThread = size_t(4) << 20;
    const size_t size = m_bytes.size();
    if (size - std::min(fromByte, size) < kWorthAThread || std::thread::hardware_concurrency() < 2)
        return ScanRange(pattern, offsetInPattern, kind, fromByte, size);
    const size_t middle = fromByte + (size - fromByte) / 2;
    const void* end = memchr(m_bytes.data() + middle, kEnd, size - middle);
    const size_t split = end ? size_t(static_cast<const char*>(end) - m_bytes.data()) + 1 : size;
    std::vector<quint32> later;
    std::thread other([&] { later = ScanRange(pattern, offsetInPattern, kind, split, size); });
    std::vector<quint32> found = ScanRange(pattern, offsetInPattern, kind, fromByte, split);
    other.join();
    found.insert(found.end(), later.begin(), later.end());
    return found;
}

std::vector<quint32> Vocabulary::ScanRange(std::string_view pattern, size_t offsetInPattern, Kind kind,
                                           size_t fromByte, size_t toByte) const
{
    const char mark = MarkOf(kind);
    std::vector<quint32> found;
    const char* data = m_bytes.data();
    size_t from = fromByte;
    while (from < toByte) {
        const void* hit = memmem(data + from, toByte - from, pattern.data(), pattern.size());
        if (!hit)
            break;
        // The term whose bytes hold the hit; the search goes on after that term.
        const size_t at = size_t(static_cast<const char*>(hit) - data) + offsetInPattern;
        const auto next = std::upper_bound(m_starts.begin(), m_starts.end(), at);
        const auto id = quint32(next - m_starts.begin()) - 1;
        if (data[m_starts[id]] == mark)
            found.push_back(id);
        from = next == m_starts.end() ? toByte : *next;
    }
    return found;
}

std::vector<quint32> Vocabulary::TokensContaining(std::string_view piece) const
{
    if (piece.empty())
        return {};
    return Scan(piece, 0, Kind::Token);
}

std::vector<quint32> Vocabulary::TokensStartingWith(std::string_view piece) const
{
    if (piece.empty())
        return {};
    std::string pattern(1, kTokenMark);
    pattern.append(piece);
    return Scan(pattern, 1, Kind::Token);
}

std::vector<quint32> Vocabulary::TokensEndingWith(std::string_view piece) const
{
    if (piece.empty())
        return {};
    std::string pattern(piece);
    pattern.push_back(kEnd);
    return Scan(pattern, 0, Kind::Token);
}

std::vector<quint32> Vocabulary::BridgesContaining(std::string_view pattern) const
{
    if (pattern.empty())
        return {};
    return Scan(pattern, 0, Kind::Bridge);
}
