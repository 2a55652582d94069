#include "util/url_coding.h"

#include "util/codec.h"

#include <QByteArray>

namespace zk {

namespace {

bool HasUnpairedSurrogate(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (ch.isSurrogate())
            return true;
    }
    return false;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

QString UrlEncode(const QString& text)
{
    if (HasUnpairedSurrogate(text))
        return text;
    static constexpr char kHex[] = "0123456789abcdef";
    const QByteArray bytes = text.toUtf8();
    QString result;
    result.reserve(bytes.size() * 3);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        result += QLatin1Char('%');
        result += QLatin1Char(kHex[b >> 4]);
        result += QLatin1Char(kHex[b & 0x0F]);
    }
    return result;
}

// The text's own characters are taken as UTF-8 as well, so a literal "中"
// next to escapes survives instead of turning into the code page's bytes
// read as UTF-8.
QString UrlDecode(const QString& text)
{
    const QByteArray in = text.toUtf8();
    QByteArray out;
    out.reserve(in.size());
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in.at(i) == '%' && i + 2 < in.size() && HexValue(in.at(i + 1)) >= 0 &&
            HexValue(in.at(i + 2)) >= 0) {
            out.append(static_cast<char>(HexValue(in.at(i + 1)) * 16 + HexValue(in.at(i + 2))));
            i += 2;
        } else {
            out.append(in.at(i));
        }
    }
    return QString::fromUtf8(out);
}

QString Base64DecodeText(const QString& text)
{
    QByteArray encoded = ToGb18030(text);
    encoded.removeIf([](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
    const auto decoded = QByteArray::fromBase64Encoding(
        encoded, QByteArray::Base64Encoding | QByteArray::AbortOnBase64DecodingErrors);
    if (decoded.decodingStatus != QByteArray::Base64DecodingStatus::Ok)
        return QString();
    return FromGb18030(decoded.decoded);
}

} // namespace zk
