#include "index/ByteCoding.h"

namespace ByteCoding {

namespace {

    quint64 Mix(quint64 value)
    {
        value ^= value >> 33;
        value *= 0xff51afd7ed558ccdULL;
        value ^= value >> 33;
        value *= 0xc4ceb9fe1a85ec53ULL;
        value ^= value >> 33;
        return value;
    }

} // namespace

quint64 Digest(QByteArrayView bytes, quint64 seed)
{
    quint64 state = Mix(seed ^ 0x9e3779b97f4a7c15ULL ^ quint64(bytes.size()));
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left >= 8) {
        quint64 word;
        std::memcpy(&word, data, 8);
        state = Mix(state ^ word) + 0x9e3779b97f4a7c15ULL;
        data += 8;
        left -= 8;
    }
    quint64 tail = 0;
    std::memcpy(&tail, data, size_t(left));
    return Mix(state ^ tail ^ (quint64(left) << 56));
}

} // namespace ByteCoding
