#include "runtime/codec/form_blob.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace zk {

namespace {

// Writes w-bit codes least significant bit first after the 5-byte header.
class CodeWriter {
public:
    CodeWriter(quint32 decodedSize, int width, qsizetype expectedCodes)
        : width_(width)
    {
        bytes_.reserve(5 + expectedCodes * width / 8 + 8);
        char header[5];
        qToLittleEndian<quint32>(decodedSize, header);
        header[4] = char(width);
        bytes_.append(header, 5);
    }

    void Put(quint32 code)
    {
        buffer_ |= quint64(code) << filled_;
        filled_ += width_;
        while (filled_ >= 8) {
            bytes_.append(char(buffer_ & 0xff));
            buffer_ >>= 8;
            filled_ -= 8;
        }
    }

    QByteArray Finish()
    {
        if (filled_ > 0)
            bytes_.append(char(buffer_ & 0xff));
        filled_ = 0;
        return std::move(bytes_);
    }

private:
    int width_;
    quint64 buffer_ = 0;
    int filled_ = 0;
    QByteArray bytes_;
};

// The decoder's dictionary as a trie over the output bytes. Nodes 0..255 are
// the literals; every further node is one byte longer than its parent. A node
// carries the dictionary index of the entry it spells, or -1 when it only lies
// on the way to a longer entry (after a reset the first entry is a string whose
// prefixes are not entries). Children are found in an open-addressing table
// keyed by (parent, byte); clearing bumps a generation instead of wiping slots.
class Trie {
public:
    static constexpr qint32 kNone = -1;

    Trie() { slots_.resize(1024); }

    // The child of parent for byte, or kNone.
    qint32 Child(quint32 parent, uchar byte) const
    {
        const quint64 key = Key(parent, byte);
        for (size_t s = Hash(key);; s = (s + 1) & (slots_.size() - 1)) {
            const Slot& slot = slots_[s];
            if (slot.generation != generation_)
                return kNone;
            if (slot.key == key)
                return qint32(slot.child);
        }
    }

    // The child of parent for byte, made when missing.
    quint32 MakeChild(quint32 parent, uchar byte)
    {
        const qint32 existing = Child(parent, byte);
        if (existing != kNone)
            return quint32(existing);
        if ((used_ + 1) * 2 > slots_.size())
            Grow();
        const quint32 node = quint32(256 + entryOf_.size());
        entryOf_.push_back(kNone);
        Insert(Key(parent, byte), node);
        return node;
    }

    // Dictionary index that node spells, kNone for a node on the way.
    qint32 EntryOf(quint32 node) const { return node < 256 ? kNone : entryOf_[node - 256]; }
    void SetEntry(quint32 node, qint32 entry) { entryOf_[node - 256] = entry; }

    void Clear()
    {
        ++generation_;
        used_ = 0;
        entryOf_.clear();
    }

private:
    struct Slot {
        quint64 key = 0;
        quint32 child = 0;
        quint32 generation = 0;
    };

    static quint64 Key(quint32 parent, uchar byte) { return (quint64(parent) << 8) | byte; }

    size_t Hash(quint64 key) const
    {
        return size_t((key * 0x9E3779B97F4A7C15ull) >> 32) & (slots_.size() - 1);
    }

    void Insert(quint64 key, quint32 child)
    {
        size_t s = Hash(key);
        while (slots_[s].generation == generation_)
            s = (s + 1) & (slots_.size() - 1);
        slots_[s] = Slot{key, child, generation_};
        ++used_;
    }

    void Grow()
    {
        std::vector<Slot> old(slots_.size() * 2);
        old.swap(slots_);
        const quint32 current = generation_;
        ++generation_;
        used_ = 0;
        for (const Slot& slot : old) {
            if (slot.generation == current)
                Insert(slot.key, slot.child);
        }
    }

    std::vector<Slot> slots_;
    std::vector<qint32> entryOf_;
    quint32 generation_ = 1;
    size_t used_ = 0;
};

// Simulates the decoder: after every code the dictionary gains the pending
// entry (the previous string plus the first byte of the current one) and is
// emptied when full before the next code is interpreted. Each step emits the
// longest string the decoder will resolve correctly at that moment.
class Encoder {
public:
    Encoder(const QByteArray& bytes, int width)
        : in_(reinterpret_cast<const uchar*>(bytes.constData()))
        , size_(quint32(bytes.size()))
        , capacity_((quint32(1) << width) - 256)
        , writer_(quint32(bytes.size()), width, bytes.size() / 2)
    {
    }

    QByteArray Run()
    {
        if (size_ == 0) {
            writer_.Put(0);
            return writer_.Finish();
        }
        writer_.Put(in_[0]);
        previousNode_ = in_[0];
        quint32 pos = 1;
        while (pos < size_)
            pos = Step(pos);
        return writer_.Finish();
    }

private:
    struct Match {
        quint32 code;
        quint32 length;
        quint32 node; // kNoNode for the entry being defined
    };

    static constexpr quint32 kNoNode = 0xffffffffu;

    quint32 Step(quint32 pos)
    {
        if (dictionarySize_ == capacity_) {
            trie_.Clear();
            dictionarySize_ = 0;
            if (previousNode_ >= 256)
                previousNode_ = kNoNode;
        }
        const Match match = Longest(pos);
        writer_.Put(match.code);
        const quint32 defined = Define(in_[pos]);
        previousStart_ = pos;
        previousLength_ = match.length;
        // The string being defined is the previous one plus its first byte,
        // which is exactly the entry appended for this code.
        previousNode_ = match.node == kNoNode ? defined : match.node;
        return pos + match.length;
    }

    Match Longest(quint32 pos) const
    {
        Match best{in_[pos], 1, in_[pos]};
        quint32 node = in_[pos];
        for (quint32 length = 1; pos + length < size_; ++length) {
            const qint32 child = trie_.Child(node, in_[pos + length]);
            if (child == Trie::kNone)
                break;
            node = quint32(child);
            const qint32 entry = trie_.EntryOf(node);
            if (entry != Trie::kNone)
                best = Match{256 + quint32(entry), length + 1, node};
        }
        const quint32 repeat = previousLength_ + 1;
        if (repeat > best.length && pos + repeat <= size_ &&
            std::memcmp(in_ + pos, in_ + previousStart_, previousLength_) == 0 &&
            in_[pos + previousLength_] == in_[previousStart_])
            best = Match{256 + dictionarySize_, repeat, kNoNode};
        return best;
    }

    // Appends the pending entry: the previous string followed by byte.
    quint32 Define(uchar byte)
    {
        quint32 node = 0;
        if (previousNode_ != kNoNode) {
            node = trie_.MakeChild(previousNode_, byte);
        } else {
            // The previous string's node went with a reset: spell it anew.
            node = in_[previousStart_];
            for (quint32 k = 1; k < previousLength_; ++k)
                node = trie_.MakeChild(node, in_[previousStart_ + k]);
            node = trie_.MakeChild(node, byte);
        }
        if (trie_.EntryOf(node) == Trie::kNone)
            trie_.SetEntry(node, qint32(dictionarySize_));
        ++dictionarySize_;
        return node;
    }

    const uchar* in_;
    quint32 size_;
    quint32 capacity_;
    CodeWriter writer_;
    Trie trie_;
    quint32 dictionarySize_ = 0;
    quint32 previousStart_ = 0;
    quint32 previousLength_ = 1;
    quint32 previousNode_ = 0; // trie node of the previous string, kNoNode after a reset
};

} // namespace

int SuitableFormBlobWidth(qsizetype byteCount)
{
    // The best width grows by about 0.6 bit per doubling of the text.
    const double bits = std::log2(double(std::max<qsizetype>(byteCount, 1)));
    const long width = std::lround(10 + 0.6 * (bits - 10));
    return int(std::clamp<long>(width, kFormBlobMinWidth, kFormBlobMaxEncodeWidth));
}

QByteArray EncodeFormBlob(const QByteArray& bytes, int width)
{
    if (width < kFormBlobMinWidth || width > kFormBlobMaxEncodeWidth)
        return {};
    if (bytes.size() > kFormBlobMaxDecodedSize)
        return {};
    Encoder encoder(bytes, width);
    return encoder.Run();
}

QByteArray EncodeFormText(const QString& text, int width)
{
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    const char16_t* units = reinterpret_cast<const char16_t*>(text.constData());
    for (qsizetype c = 0; c < text.size(); ++c)
        qToLittleEndian<quint16>(quint16(units[c]), bytes.data() + 2 * c);
    return EncodeFormBlob(bytes, width);
}

} // namespace zk
