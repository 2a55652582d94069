#include "util/ini.h"

#include "util/codec.h"
#include "util/program_folder.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>

namespace zk {

namespace {

constexpr qsizetype kMaxValueLength = 511;

enum class Encoding { Utf8, Utf8Bom, Utf16Le, Utf16Be, Gb18030 };

struct Line {
    QString content; // without its line ending
    QString ending;  // "\r\n", "\n", or empty for a last line without one
};

struct IniFile {
    Encoding encoding = Encoding::Utf8;
    QList<Line> lines;
    QString newline = QStringLiteral("\n"); // used for lines we add
};

QString IniPath(const QString& fileName)
{
    if (QDir::isAbsolutePath(fileName))
        return fileName;
    QString name = fileName;
    while (name.startsWith(QLatin1Char('/')) || name.startsWith(QLatin1Char('\\')))
        name.remove(0, 1);
    return ProgramFolder() + name;
}

QString DecodeUtf16(const QByteArray& bytes, QStringConverter::Encoding encoding)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Default);
    return decoder.decode(bytes.mid(2));
}

QString DecodeText(const QByteArray& bytes, Encoding& encoding)
{
    if (bytes.startsWith("\xFF\xFE")) {
        encoding = Encoding::Utf16Le;
        return DecodeUtf16(bytes, QStringConverter::Utf16LE);
    }
    if (bytes.startsWith("\xFE\xFF")) {
        encoding = Encoding::Utf16Be;
        return DecodeUtf16(bytes, QStringConverter::Utf16BE);
    }
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        encoding = Encoding::Utf8Bom;
        return QString::fromUtf8(bytes.mid(3));
    }
    if (IsValidUtf8(bytes)) {
        encoding = Encoding::Utf8;
        return QString::fromUtf8(bytes);
    }
    encoding = Encoding::Gb18030;
    return FromGb18030(bytes);
}

QByteArray EncodeText(const QString& text, Encoding encoding)
{
    switch (encoding) {
    case Encoding::Utf16Le:
        return QByteArray("\xFF\xFE") + QStringEncoder(QStringConverter::Utf16LE).encode(text);
    case Encoding::Utf16Be:
        return QByteArray("\xFE\xFF") + QStringEncoder(QStringConverter::Utf16BE).encode(text);
    case Encoding::Utf8Bom:
        return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    case Encoding::Gb18030:
        return ToGb18030(text);
    case Encoding::Utf8:
        break;
    }
    return text.toUtf8();
}

IniFile Parse(const QByteArray& bytes)
{
    IniFile file;
    const QString text = DecodeText(bytes, file.encoding);
    bool newlineSeen = false;
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype lf = text.indexOf(QLatin1Char('\n'), start);
        Line line;
        if (lf < 0) {
            line.content = text.mid(start);
            start = text.size();
        } else {
            const bool crlf = lf > start && text.at(lf - 1) == QLatin1Char('\r');
            line.content = text.mid(start, lf - start - (crlf ? 1 : 0));
            line.ending = crlf ? QStringLiteral("\r\n") : QStringLiteral("\n");
            start = lf + 1;
            if (!newlineSeen)
                file.newline = line.ending;
            newlineSeen = true;
        }
        file.lines.append(line);
    }
    return file;
}

QString Join(const IniFile& file)
{
    QString text;
    for (const Line& line : file.lines)
        text += line.content + line.ending;
    return text;
}

// The section name of a "[name]" line.
std::optional<QString> SectionName(const QString& content)
{
    const QString t = content.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    return (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
}

// The key of a "key=value" line; none for comments and other lines.
std::optional<QString> KeyName(const QString& content)
{
    const QString t = content.trimmed();
    const qsizetype eq = t.indexOf(QLatin1Char('='));
    if (t.startsWith(QLatin1Char(';')) || eq < 0)
        return std::nullopt;
    return t.left(eq).trimmed();
}

QString ValueOf(const QString& content)
{
    QString value = content.mid(content.indexOf(QLatin1Char('=')) + 1).trimmed();
    if (value.size() >= 2 &&
        (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')) &&
        value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value;
}

bool SameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

qsizetype FindSection(const IniFile& file, const QString& section)
{
    for (qsizetype i = 0; i < file.lines.size(); ++i) {
        const auto name = SectionName(file.lines.at(i).content);
        if (name && SameName(*name, section))
            return i;
    }
    return -1;
}

// Index of the line after the section's last line (the next header or the end).
qsizetype SectionEnd(const IniFile& file, qsizetype header)
{
    qsizetype i = header + 1;
    while (i < file.lines.size() && !SectionName(file.lines.at(i).content))
        ++i;
    return i;
}

qsizetype FindKey(const IniFile& file, qsizetype header, const QString& key)
{
    const qsizetype end = SectionEnd(file, header);
    for (qsizetype i = header + 1; i < end; ++i) {
        const auto name = KeyName(file.lines.at(i).content);
        if (name && SameName(*name, key))
            return i;
    }
    return -1;
}

bool HasLineBreak(const QString& text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

bool CanWrite(const QString& section, const QString& key, const QString& value)
{
    return !section.trimmed().isEmpty() && !key.trimmed().isEmpty() && !HasLineBreak(section) &&
           !HasLineBreak(key) && !HasLineBreak(value) && !section.contains(QLatin1Char(']')) &&
           !key.contains(QLatin1Char('=')) && !key.trimmed().startsWith(QLatin1Char(';')) &&
           !key.trimmed().startsWith(QLatin1Char('['));
}

// Inserts a line before index `at`, giving the line before it an ending if
// it was the last line of a file without a final line break.
void InsertLine(IniFile& file, qsizetype at, const QString& content)
{
    if (at > 0 && file.lines[at - 1].ending.isEmpty())
        file.lines[at - 1].ending = file.newline;
    file.lines.insert(at, Line{content, file.newline});
}

void SetValue(IniFile& file, const QString& section, const QString& key, const QString& value)
{
    const QString entry = key + QLatin1Char('=') + value;
    const qsizetype header = FindSection(file, section);
    if (header < 0) {
        InsertLine(file, file.lines.size(), QLatin1Char('[') + section + QLatin1Char(']'));
        InsertLine(file, file.lines.size(), entry);
        return;
    }
    const qsizetype keyLine = FindKey(file, header, key);
    if (keyLine >= 0) {
        file.lines[keyLine].content = entry;
        return;
    }
    // After the last non-blank line, so that blank lines separating the
    // sections stay where they are.
    qsizetype at = SectionEnd(file, header);
    while (at > header + 1 && file.lines.at(at - 1).content.trimmed().isEmpty())
        --at;
    InsertLine(file, at, entry);
}

} // namespace

QString ReadIni(const QString& fileName, const QString& section, const QString& key)
{
    QFile f(IniPath(fileName));
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    const IniFile file = Parse(f.readAll());
    const qsizetype header = FindSection(file, section);
    if (header < 0)
        return QString();
    const qsizetype line = FindKey(file, header, key);
    if (line < 0)
        return QString();
    return ValueOf(file.lines.at(line).content).left(kMaxValueLength);
}

bool WriteIni(const QString& fileName, const QString& section, const QString& key,
              const QString& value)
{
    if (!CanWrite(section, key, value))
        return false;
    const QString path = IniPath(fileName);
    IniFile file;
    QFile existing(path);
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly))
            return false;
        file = Parse(existing.readAll());
        existing.close();
    }
    SetValue(file, section.trimmed(), key.trimmed(), value);

    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = EncodeText(Join(file), file.encoding);
    if (out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

} // namespace zk
