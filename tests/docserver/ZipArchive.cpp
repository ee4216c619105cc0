#include "ZipArchive.h"

#include <array>
#include <cstdint>
#include <stdexcept>

namespace velars::test {
namespace {

struct Damaged : std::runtime_error {
    Damaged() : std::runtime_error("damaged deflate data") {}
};

// Canonical Huffman code: the number of codes of each length and the
// symbols ordered by code.
struct Huffman {
    std::array<int, 16> count{};
    std::vector<int> symbol;
};

class Inflater {
public:
    explicit Inflater(const QByteArray& in) : in_(in) {}

    QByteArray Run() {
        bool last = false;
        while (!last) {
            last = Bits(1) != 0;
            switch (Bits(2)) {
            case 0:
                Stored();
                break;
            case 1:
                Fixed();
                break;
            case 2:
                Dynamic();
                break;
            default:
                throw Damaged();
            }
        }
        return out_;
    }

private:
    int Bits(int need) {
        std::uint64_t value = bitBuffer_;
        while (bitCount_ < need) {
            if (pos_ >= in_.size())
                throw Damaged();
            value |= std::uint64_t(std::uint8_t(in_[pos_++])) << bitCount_;
            bitCount_ += 8;
        }
        bitBuffer_ = value >> need;
        bitCount_ -= need;
        return int(value & ((std::uint64_t(1) << need) - 1));
    }

    void Stored() {
        bitBuffer_ = 0;
        bitCount_ = 0;
        if (pos_ + 4 > in_.size())
            throw Damaged();
        const auto byte = [this](qsizetype at) { return unsigned(std::uint8_t(in_[at])); };
        const unsigned length = byte(pos_) | byte(pos_ + 1) << 8;
        const unsigned check = byte(pos_ + 2) | byte(pos_ + 3) << 8;
        pos_ += 4;
        if (length != (~check & 0xFFFFu) || pos_ + length > in_.size())
            throw Damaged();
        out_.append(in_.mid(pos_, length));
        pos_ += length;
    }

    static Huffman Construct(const int* lengths, int n) {
        Huffman h;
        h.symbol.assign(std::size_t(n), 0);
        for (int s = 0; s < n; ++s)
            ++h.count[std::size_t(lengths[s])];
        std::array<int, 16> offsets{};
        for (int len = 1; len < 15; ++len)
            offsets[std::size_t(len + 1)] = offsets[std::size_t(len)] + h.count[std::size_t(len)];
        for (int s = 0; s < n; ++s) {
            if (lengths[s] != 0)
                h.symbol[std::size_t(offsets[std::size_t(lengths[s])]++)] = s;
        }
        return h;
    }

    int Decode(const Huffman& h) {
        int code = 0;
        int first = 0;
        int index = 0;
        for (int len = 1; len <= 15; ++len) {
            code |= Bits(1);
            const int count = h.count[std::size_t(len)];
            if (code - count < first)
                return h.symbol[std::size_t(index + (code - first))];
            index += count;
            first = (first + count) << 1;
            code <<= 1;
        }
        throw Damaged();
    }

    void Codes(const Huffman& lengthCode, const Huffman& distanceCode) {
        static constexpr int kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10,  11,  13,
                                                15, 17, 19, 23, 27, 31, 35, 43,  51,  59,
                                                67, 83, 99, 115, 131, 163, 195, 227, 258};
        static constexpr int kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
        static constexpr int kDistanceBase[30] = {
            1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
            193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
        static constexpr int kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                                   6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
        for (;;) {
            int symbol = Decode(lengthCode);
            if (symbol < 256) {
                out_.append(char(symbol));
                continue;
            }
            if (symbol == 256)
                return;
            symbol -= 257;
            if (symbol >= 29)
                throw Damaged();
            const int length = kLengthBase[symbol] + Bits(kLengthExtra[symbol]);
            const int distanceSymbol = Decode(distanceCode);
            if (distanceSymbol >= 30)
                throw Damaged();
            const int distance = kDistanceBase[distanceSymbol] + Bits(kDistanceExtra[distanceSymbol]);
            if (distance > out_.size())
                throw Damaged();
            for (int i = 0; i < length; ++i)
                out_.append(out_.at(out_.size() - distance));
        }
    }

    void Fixed() {
        int lengths[288];
        for (int s = 0; s < 288; ++s)
            lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
        const Huffman lengthCode = Construct(lengths, 288);
        int distances[30];
        for (int& d : distances)
            d = 5;
        Codes(lengthCode, Construct(distances, 30));
    }

    void Dynamic() {
        static constexpr int kOrder[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                           11, 4,  12, 3, 13, 2, 14, 1, 15};
        const int lengthCount = Bits(5) + 257;
        const int distanceCount = Bits(5) + 1;
        const int codeCount = Bits(4) + 4;
        if (lengthCount > 286 || distanceCount > 30)
            throw Damaged();
        int lengths[320] = {};
        for (int i = 0; i < codeCount; ++i)
            lengths[kOrder[i]] = Bits(3);
        const Huffman codeLengthCode = Construct(lengths, 19);
        int index = 0;
        while (index < lengthCount + distanceCount) {
            int symbol = Decode(codeLengthCode);
            if (symbol < 16) {
                lengths[index++] = symbol;
                continue;
            }
            int repeated = 0;
            int times;
            if (symbol == 16) {
                if (index == 0)
                    throw Damaged();
                repeated = lengths[index - 1];
                times = 3 + Bits(2);
            } else if (symbol == 17) {
                times = 3 + Bits(3);
            } else {
                times = 11 + Bits(7);
            }
            if (index + times > lengthCount + distanceCount)
                throw Damaged();
            while (times-- > 0)
                lengths[index++] = repeated;
        }
        Codes(Construct(lengths, lengthCount), Construct(lengths + lengthCount, distanceCount));
    }

    const QByteArray& in_;
    qsizetype pos_ = 0;
    std::uint64_t bitBuffer_ = 0;
    int bitCount_ = 0;
    QByteArray out_;
};

unsigned Read16(const QByteArray& data, qsizetype at) {
    return unsigned(std::uint8_t(data[at])) | unsigned(std::uint8_t(data[at + 1])) << 8;
}

std::uint32_t Read32(const QByteArray& data, qsizetype at) {
    return Read16(data, at) | std::uint32_t(Read16(data, at + 2)) << 16;
}

}  // namespace

std::optional<QByteArray> Inflate(const QByteArray& deflated) {
    try {
        return Inflater(deflated).Run();
    } catch (const Damaged&) {
        return std::nullopt;
    }
}

std::optional<std::vector<ZipEntry>> ReadZip(const QByteArray& archive) {
    // The end-of-central-directory record: 22 bytes plus a comment.
    qsizetype end = archive.size() - 22;
    while (end >= 0 && Read32(archive, end) != 0x06054b50u)
        --end;
    if (end < 0)
        return std::nullopt;
    const unsigned entryCount = Read16(archive, end + 10);
    qsizetype at = qsizetype(Read32(archive, end + 16));

    std::vector<ZipEntry> entries;
    for (unsigned i = 0; i < entryCount; ++i) {
        if (at + 46 > archive.size() || Read32(archive, at) != 0x02014b50u)
            return std::nullopt;
        ZipEntry entry;
        entry.method = int(Read16(archive, at + 10));
        const qsizetype compressedSize = Read32(archive, at + 20);
        const qsizetype size = Read32(archive, at + 24);
        const qsizetype nameLength = Read16(archive, at + 28);
        const qsizetype extraLength = Read16(archive, at + 30);
        const qsizetype commentLength = Read16(archive, at + 32);
        const qsizetype local = Read32(archive, at + 42);
        entry.name = QString::fromUtf8(archive.mid(at + 46, nameLength));
        at += 46 + nameLength + extraLength + commentLength;

        if (local + 30 > archive.size() || Read32(archive, local) != 0x04034b50u)
            return std::nullopt;
        const qsizetype dataAt =
            local + 30 + Read16(archive, local + 26) + Read16(archive, local + 28);
        const QByteArray raw = archive.mid(dataAt, compressedSize);
        if (entry.method == 0) {
            entry.data = raw;
        } else if (entry.method == 8) {
            const std::optional<QByteArray> inflated = Inflate(raw);
            if (!inflated)
                return std::nullopt;
            entry.data = *inflated;
        } else {
            return std::nullopt;
        }
        if (entry.data.size() != size)
            return std::nullopt;
        entries.push_back(std::move(entry));
    }
    return entries;
}

}  // namespace velars::test
