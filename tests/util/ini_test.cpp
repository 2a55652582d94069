#include "util/ini.h"

#include "util/codec.h"

#include "tests/common/test_env.h"

#include <QFile>
#include <QStringEncoder>

#include <gtest/gtest.h>

namespace zk {
namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray Utf16(const QString& text, QStringConverter::Encoding encoding, const char* mark)
{
    return QByteArray(mark) + QStringEncoder(encoding).encode(text);
}

struct EncodingCase {
    const char* name;
    QByteArray (*encode)(const QString&);
};

// A file written back must hold exactly the bytes of the new text in the
// file's own encoding, byte-order mark included.
const EncodingCase kEncodings[] = {
    {"utf-16le", [](const QString& t) { return Utf16(t, QStringConverter::Utf16LE, "\xFF\xFE"); }},
    {"utf-16be", [](const QString& t) { return Utf16(t, QStringConverter::Utf16BE, "\xFE\xFF"); }},
    {"utf-8 bom", [](const QString& t) { return QByteArray("\xEF\xBB\xBF") + t.toUtf8(); }},
    {"utf-8", [](const QString& t) { return t.toUtf8(); }},
    {"gb18030", [](const QString& t) { return ToGb18030(t); }},
};

const QString kSample = QStringLiteral("; 配置\r\n"
                                       "[SERVER]\r\n"
                                       "IP = 192.168.1.5 \r\n"
                                       "NAME=\"张三 的 公司\"\r\n"
                                       "\r\n"
                                       "[TABLECOLS]\r\n"
                                       "grid_1=80;120\r\n");

TEST(util_ini, ReadAndWriteInEveryEncoding)
{
    for (const EncodingCase& enc : kEncodings) {
        SCOPED_TRACE(enc.name);
        test::ScopedHome home;
        const QString path = home.file(QStringLiteral("cfg.ini"));
        WriteAll(path, enc.encode(kSample));

        EXPECT_EQ(
            ReadIni(QStringLiteral("cfg.ini"), QStringLiteral("server"), QStringLiteral("ip")),
            QStringLiteral("192.168.1.5"));
        EXPECT_EQ(
            ReadIni(QStringLiteral("cfg.ini"), QStringLiteral("SERVER"), QStringLiteral("Name")),
            QStringLiteral("张三 的 公司"));

        ASSERT_TRUE(WriteIni(QStringLiteral("cfg.ini"), QStringLiteral("Server"),
                             QStringLiteral("PORT"), QStringLiteral("端口9000")));
        const QString expected = QStringLiteral("; 配置\r\n"
                                                "[SERVER]\r\n"
                                                "IP = 192.168.1.5 \r\n"
                                                "NAME=\"张三 的 公司\"\r\n"
                                                "PORT=端口9000\r\n"
                                                "\r\n"
                                                "[TABLECOLS]\r\n"
                                                "grid_1=80;120\r\n");
        EXPECT_EQ(ReadAll(path), enc.encode(expected));
        EXPECT_EQ(ReadIni(path, QStringLiteral("SERVER"), QStringLiteral("PORT")),
                  QStringLiteral("端口9000"));
    }
}

TEST(util_ini, WritesReplaceInPlaceAndAppendMissingParts)
{
    test::ScopedHome home;
    const QString path = home.file(QStringLiteral("a.ini"));
    WriteAll(path, "[A]\nx=1\n;x=comment\ny=2\n\n[B]\nz=3");

    ASSERT_TRUE(WriteIni(path, QStringLiteral("a"), QStringLiteral("X"), QStringLiteral("10")));
    ASSERT_TRUE(WriteIni(path, QStringLiteral("A"), QStringLiteral("w"), QStringLiteral("4")));
    ASSERT_TRUE(WriteIni(path, QStringLiteral("B"), QStringLiteral("v"), QStringLiteral("5")));
    ASSERT_TRUE(WriteIni(path, QStringLiteral("C"), QStringLiteral("u"), QString()));
    EXPECT_EQ(ReadAll(path),
              QByteArray("[A]\nX=10\n;x=comment\ny=2\nw=4\n\n[B]\nz=3\nv=5\n[C]\nu=\n"));
}

TEST(util_ini, NewFileIsUtf8)
{
    test::ScopedHome home;
    ASSERT_TRUE(WriteIni(QStringLiteral("cfg.ini"), QStringLiteral("SERVER"), QStringLiteral("IP"),
                         QStringLiteral("服务器")));
    EXPECT_EQ(ReadAll(home.file(QStringLiteral("cfg.ini"))),
              QStringLiteral("[SERVER]\nIP=服务器\n").toUtf8());
}

TEST(util_ini, ValuesAsTheProfileFunctionsGiveThem)
{
    test::ScopedHome home;
    const QString path = home.file(QStringLiteral("v.ini"));
    const QString longValue(600, QLatin1Char('x'));
    WriteAll(path, ("[S]\n"
                    "quoted = \"  padded  \"\n"
                    "single='a'\n"
                    "half=\"open\n"
                    "dup=first\n"
                    "DUP=second\n"
                    "long=" +
                    longValue +
                    "\n"
                    "[T]\n"
                    "only=t\n")
                       .toUtf8());
    const struct {
        const char* section;
        const char* key;
        QString value;
    } cases[] = {
        {"S", "quoted", QStringLiteral("  padded  ")},
        {"S", "single", QStringLiteral("a")},
        {"S", "half", QStringLiteral("\"open")},
        {"s", "dup", QStringLiteral("first")},
        {"S", "long", longValue.left(511)},
        {"S", "only", QString()}, // keys of the next section do not count
        {"T", "only", QStringLiteral("t")},
        {"X", "only", QString()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadIni(path, QString::fromUtf8(c.section), QString::fromUtf8(c.key)), c.value)
            << c.section << "/" << c.key;
    EXPECT_EQ(ReadIni(QStringLiteral("missing.ini"), QStringLiteral("S"), QStringLiteral("k")),
              QString());
}

TEST(util_ini, RefusesWhatCouldNotBeReadBack)
{
    test::ScopedHome home;
    const QString path = home.file(QStringLiteral("r.ini"));
    WriteAll(path, "[S]\nk=v\n");
    EXPECT_FALSE(WriteIni(path, QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("a\nb")));
    EXPECT_FALSE(WriteIni(path, QStringLiteral("S"), QStringLiteral("k=x"), QStringLiteral("v")));
    EXPECT_FALSE(WriteIni(path, QStringLiteral("S]"), QStringLiteral("k"), QStringLiteral("v")));
    EXPECT_FALSE(WriteIni(path, QString(), QStringLiteral("k"), QStringLiteral("v")));
    EXPECT_EQ(ReadAll(path), QByteArray("[S]\nk=v\n"));
}

} // namespace
} // namespace zk
