#include "runtime/codec/form_blob.h"

#include "tests/common/test_env.h"

#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace zk {
namespace {

// Packs a header and hand-chosen codes, so the decoder is checked against the
// format itself and not only against our own encoder.
QByteArray MakeBlob(quint32 decodedSize, int width, const std::vector<quint32>& codes)
{
    QByteArray blob(5, '\0');
    qToLittleEndian<quint32>(decodedSize, blob.data());
    blob[4] = char(width);
    quint64 buffer = 0;
    int filled = 0;
    for (quint32 code : codes) {
        buffer |= quint64(code) << filled;
        filled += width;
        while (filled >= 8) {
            blob.append(char(buffer & 0xff));
            buffer >>= 8;
            filled -= 8;
        }
    }
    if (filled > 0)
        blob.append(char(buffer & 0xff));
    return blob;
}

QString Fixture(const QString& name)
{
    QFile file(test::SourceDir() + QStringLiteral("/runtime/fixtures/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return QString::fromUtf8(file.readAll());
}

QByteArray Decode(const QByteArray& blob, bool* ok, QString* error = nullptr)
{
    return DecodeFormBlob(blob, ok, error);
}

struct CodeCase {
    const char* name;
    quint32 size;
    int width;
    std::vector<quint32> codes;
    QByteArray expected;
};

TEST(FormBlobDecode, HandBuiltStreams)
{
    const std::vector<CodeCase> cases = {
        // The first literal alone; the codes after it are never read.
        {"length one", 1, 12, {'x', 0xfff, 0xfff}, "x"},
        {"literals", 3, 9, {'a', 'b', 'c'}, "abc"},
        // 256 = "ab" (first literal + first byte of the next string), 257 = "ba".
        {"dictionary entries", 7, 12, {'a', 'b', 256, 257, 'c'}, "ababbac"},
        // The code being defined: the previous string plus its own first byte.
        {"code being defined after a literal", 3, 12, {'a', 256}, "aaa"},
        {"code being defined after an entry", 7, 12, {'a', 'b', 256, 258}, "abababa"},
        // Wider codes than the encoder writes are read all the same.
        {"width 20", 7, 20, {'a', 'b', 256, 258}, "abababa"},
        {"width 24", 7, 24, {'a', 'b', 256, 257, 'c'}, "ababbac"},
        // A damaged stream whose last string runs past N is cut at N.
        {"cut at the decoded length", 5, 12, {'a', 'b', 256, 257}, "ababb"},
        // A code far past the dictionary is read as the one being defined.
        {"code past the dictionary", 4, 12, {'a', 'b', 0xfff}, "abbb"},
    };
    for (const CodeCase& c : cases) {
        bool ok = false;
        const QByteArray out = Decode(MakeBlob(c.size, c.width, c.codes), &ok);
        EXPECT_TRUE(ok) << c.name;
        EXPECT_EQ(out, c.expected) << c.name;
    }
}

// With w = 9 the dictionary holds 256 entries. After the first literal and 256
// further codes it is full and must be emptied before the next code is
// interpreted: code 256 then names the entry being defined (previous string +
// its own first byte), no longer the first entry "xa".
TEST(FormBlobDecode, DictionaryResetsBeforeTheNextCodeWhenFull)
{
    std::vector<quint32> codes = {'x'};
    QByteArray expected = "x";
    for (int k = 0; k < 255; ++k) {
        const char byte = char('a' + k % 26);
        codes.push_back(uchar(byte));
        expected.append(byte);
    }
    // The 256th code may still use the last entry (index 254); it fills the
    // dictionary.
    const QByteArray lastEntry = expected.mid(254, 2);
    codes.push_back(256 + 254);
    expected.append(lastEntry);
    codes.push_back(256);
    const QByteArray defined = lastEntry + lastEntry.left(1);
    expected.append(defined);
    bool ok = false;
    EXPECT_EQ(Decode(MakeBlob(quint32(expected.size()), 9, codes), &ok), expected);
    EXPECT_TRUE(ok);

    // After the reset entries count from 256 again: 256 is the string just
    // written by code 256 (the previous one plus its first byte), 257 that
    // string plus the following literal.
    codes.push_back('q');
    codes.push_back(257);
    codes.push_back(256);
    expected.append('q');
    expected.append(defined + "q");
    expected.append(defined);
    EXPECT_EQ(Decode(MakeBlob(quint32(expected.size()), 9, codes), &ok), expected);
    EXPECT_TRUE(ok);
}

struct RefusedCase {
    const char* name;
    QByteArray blob;
};

QByteArray Header(quint32 size, int width)
{
    QByteArray h(5, '\0');
    qToLittleEndian<quint32>(size, h.data());
    h[4] = char(width);
    return h;
}

TEST(FormBlobDecode, RefusesBadHeadersWithAMessage)
{
    const QByteArray valid = EncodeFormText(QStringLiteral("<html version='1.0' id='0'></html>"));
    const std::vector<RefusedCase> cases = {
        {"empty", QByteArray()},
        {"four bytes", QByteArray(4, '\x01')},
        {"no first byte", Header(1, 12)},
        {"width 8", Header(2, 8) + QByteArray(8, 'a')},
        {"width 25", Header(2, 25) + QByteArray(8, 'a')},
        {"width 0", Header(2, 0) + QByteArray(8, 'a')},
        {"absurd length", Header(0xffffffffu, 12) + QByteArray(1024, 'a')},
        {"length the stream cannot hold", Header(100000, 12) + QByteArray(64, 'a')},
        {"truncated stream", valid.left(valid.size() - 3)},
    };
    for (const RefusedCase& c : cases) {
        bool ok = true;
        QString error;
        EXPECT_TRUE(Decode(c.blob, &ok, &error).isEmpty()) << c.name;
        EXPECT_FALSE(ok) << c.name;
        EXPECT_FALSE(error.isEmpty()) << c.name;
    }
    // Trailing bytes after the last code are harmless; N = 0 needs no first byte.
    bool ok = false;
    EXPECT_FALSE(Decode(valid + "junk", &ok).isEmpty());
    EXPECT_TRUE(ok);
    EXPECT_TRUE(Decode(Header(0, 12), &ok).isEmpty());
    EXPECT_TRUE(ok);
}

TEST(FormBlobText, StopsAtTheFirstNulAndAtHalfTheLength)
{
    // "AB\0C" in UTF-16LE, then an odd length that leaves half a character.
    const QByteArray bytes("A\0B\0\0\0C\0", 8);
    EXPECT_EQ(DecodeFormText(EncodeFormBlob(bytes)), QStringLiteral("AB"));
    EXPECT_EQ(DecodeFormText(EncodeFormBlob(QByteArray("A\0B\0C", 5))), QStringLiteral("AB"));
    const QString chinese = QStringLiteral("库存查询￥𠀋");
    EXPECT_EQ(DecodeFormText(EncodeFormText(chinese)), chinese);
    bool ok = true;
    EXPECT_TRUE(DecodeFormText(QByteArray(3, 'x'), &ok).isEmpty());
    EXPECT_FALSE(ok);
}

TEST(FormBlobEncode, WidthsItAcceptsAndSuggests)
{
    EXPECT_EQ(SuitableFormBlobWidth(0), 9);
    EXPECT_EQ(SuitableFormBlobWidth(1000), 10);
    EXPECT_EQ(SuitableFormBlobWidth(16000), 12);
    EXPECT_EQ(SuitableFormBlobWidth(1 << 20), 16);
    EXPECT_EQ(SuitableFormBlobWidth(qsizetype(1) << 30), 16);
    EXPECT_TRUE(EncodeFormBlob("abc", 8).isEmpty());
    EXPECT_TRUE(EncodeFormBlob("abc", 17).isEmpty());
    // Empty input: the header with N = 0 and one zero first code.
    const QByteArray empty = EncodeFormBlob(QByteArray(), 12);
    EXPECT_EQ(empty, Header(0, 12) + QByteArray(2, '\0'));
}

// Texts with few distinct characters repeat a lot (long entries, codes being
// defined); texts over the whole plane hardly repeat (many resets at w = 9).
QString RandomText(std::mt19937& rng, int length, int alphabet)
{
    static const QString pool =
        QStringLiteral("<>='/ \nabcdeid0123库存商品名称查询订单客户金额合计保存");
    QString text;
    text.reserve(length);
    std::uniform_int_distribution<int> pick(0, alphabet > 0 ? alphabet - 1 : 0xd7ff);
    for (int k = 0; k < length; ++k) {
        if (alphabet > 0)
            text.append(pool.at(pick(rng) % pool.size()));
        else
            text.append(QChar(char16_t(1 + pick(rng))));
    }
    return text;
}

TEST(FormBlobRoundTrip, RandomTextsAtEveryWidth)
{
    std::mt19937 rng(20240318);
    const std::vector<int> lengths = {0, 1, 2, 3, 4, 7, 64, 255, 256, 257, 1000, 5000, 40000};
    for (int width = 9; width <= 16; ++width) {
        for (int length : lengths) {
            for (int alphabet : {1, 3, 40, 0}) {
                const QString text = RandomText(rng, length, alphabet);
                bool ok = false;
                const QString back = DecodeFormText(EncodeFormText(text, width), &ok);
                ASSERT_TRUE(ok) << width << " " << length << " " << alphabet;
                ASSERT_EQ(back, text) << width << " " << length << " " << alphabet;
            }
        }
    }
}

TEST(FormBlobRoundTrip, OddByteCountsAndDegenerateInput)
{
    std::mt19937 rng(7);
    for (int width : {9, 12, 16}) {
        for (int length = 0; length < 40; ++length) {
            QByteArray bytes(length, '\0');
            for (char& b : bytes)
                b = char(rng() % 3);
            ASSERT_EQ(DecodeFormBlob(EncodeFormBlob(bytes, width)), bytes) << length;
        }
        // One byte repeated: every code is the one being defined, strings grow
        // until the dictionary resets.
        const QByteArray same(300000, 'z');
        ASSERT_EQ(DecodeFormBlob(EncodeFormBlob(same, width)), same) << width;
    }
}

TEST(FormBlobRoundTrip, RealDefinitions)
{
    for (const char* name : {"stock_list.xml", "order_entry.xml"}) {
        const QString text = Fixture(QString::fromLatin1(name));
        ASSERT_TRUE(text.contains(QStringLiteral("商品名称")));
        QString big;
        for (int k = 0; k < 200; ++k)
            big += text;
        for (int width : {9, 10, 12, 14, 16}) {
            for (const QString& t : {text, big}) {
                const QByteArray blob = EncodeFormText(t, width);
                bool ok = false;
                ASSERT_EQ(DecodeFormText(blob, &ok), t) << name << " " << width;
                EXPECT_TRUE(ok);
                EXPECT_LT(blob.size(), t.size() * 2) << "no compression at width " << width;
            }
        }
    }
}

// A damaged blob decodes to something or is refused with a message; it never
// crashes or reads outside the blob (the suite also runs under ASan).
TEST(FormBlobDamage, FlippedBytesAndTruncations)
{
    const QByteArray valid = EncodeFormText(Fixture(QStringLiteral("stock_list.xml")), 10);
    std::mt19937 rng(99);
    for (int round = 0; round < 3000; ++round) {
        QByteArray damaged = valid;
        const int flips = 1 + int(rng() % 4);
        for (int f = 0; f < flips; ++f)
            damaged[int(rng() % damaged.size())] ^= char(1 + rng() % 255);
        bool ok = false;
        QString error;
        const QByteArray out = Decode(damaged, &ok, &error);
        if (ok)
            EXPECT_EQ(out.size(), qsizetype(qFromLittleEndian<quint32>(damaged.constData())));
        else
            EXPECT_FALSE(error.isEmpty());
    }
    for (qsizetype cut = 0; cut < valid.size(); ++cut) {
        bool ok = true;
        Decode(valid.left(cut), &ok);
        EXPECT_FALSE(ok) << cut;
    }
}

} // namespace
} // namespace zk
