#include "data/backends/text/text_table_file.h"

#include "util/codec.h"
#include "util/files.h"

#include <QFile>
#include <QSet>
#include <QStringDecoder>
#include <QStringEncoder>

using namespace Qt::StringLiterals;

namespace zk {

namespace {

QString Decode(const QByteArray& bytes, TextFileEncoding& encoding)
{
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        encoding = TextFileEncoding::Utf8;
        return QString::fromUtf8(bytes.mid(3));
    }
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        const bool little = bytes.startsWith("\xFF\xFE");
        encoding = little ? TextFileEncoding::Utf16Le : TextFileEncoding::Utf16Be;
        QStringDecoder decoder(little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        return decoder(bytes.mid(2));
    }
    if (IsValidUtf8(bytes)) {
        encoding = TextFileEncoding::Utf8;
        return QString::fromUtf8(bytes);
    }
    encoding = TextFileEncoding::Gb18030;
    return FromGb18030(bytes);
}

QByteArray Encode(const QString& text, TextFileEncoding encoding)
{
    switch (encoding) {
    case TextFileEncoding::Gb18030:
        return ToGb18030(text);
    case TextFileEncoding::Utf16Le:
    case TextFileEncoding::Utf16Be: {
        QStringEncoder encoder(encoding == TextFileEncoding::Utf16Le ? QStringConverter::Utf16LE
                                                                     : QStringConverter::Utf16BE);
        return encoder(text);
    }
    case TextFileEncoding::Utf8:
        break;
    }
    return text.toUtf8();
}

QStringList ColumnNames(const QStringList& header)
{
    QStringList names;
    QSet<QString> seen;
    for (qsizetype i = 0; i < header.size(); ++i) {
        QString name = header[i].trimmed();
        if (name.isEmpty())
            name = u'F' + QString::number(i + 1);
        const QString base = name;
        for (int n = 2; seen.contains(name.toLower()); ++n)
            name = base + u'_' + QString::number(n);
        seen.insert(name.toLower());
        names.append(name);
    }
    return names;
}

} // namespace

QList<QStringList> ParseCsv(const QString& text)
{
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;    // inside quotes
    bool wasQuoted = false; // the current field was quoted
    bool any = false;       // the current record has content
    auto endField = [&] {
        // Blanks around an unquoted field are not part of it.
        if (!wasQuoted)
            field = field.trimmed();
        if (field.isEmpty())
            record.append(wasQuoted ? QStringLiteral("")
                                    : QString()); // "" is an empty text, nothing is NULL
        else
            record.append(field);
        field.clear();
        wasQuoted = false;
    };
    auto endRecord = [&] {
        endField();
        if (any)
            records.append(record);
        record.clear();
        any = false;
    };
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < n && text[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
        } else if (c == u'"' && field.trimmed().isEmpty()) {
            field.clear();
            quoted = wasQuoted = any = true;
        } else if (c == u',') {
            endField();
            any = true;
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                ++i;
            endRecord();
        } else {
            field += c;
            any = any || !c.isSpace();
        }
    }
    endRecord();
    return records;
}

bool ReadTextTable(const QString& path, TextTable& table, QString& error)
{
    QByteArray bytes;
    if (!ReadFileBytes(path, bytes)) {
        error = QStringLiteral("不能读取文件 ") + path;
        return false;
    }
    const QString text = Decode(bytes, table.encoding);
    table.crlf = text.contains(u"\r\n"_s);
    table.endsWithNewline = text.isEmpty() || text.endsWith(u'\n') || text.endsWith(u'\r');
    QList<QStringList> records = ParseCsv(text);
    table.columns = records.isEmpty() ? QStringList() : ColumnNames(records.takeFirst());
    table.rows = std::move(records);
    return true;
}

QString CsvLine(const QStringList& fields)
{
    QStringList out;
    for (const QString& field : fields) {
        const bool quote = field.contains(u',') || field.contains(u'"') || field.contains(u'\n') ||
                           field.contains(u'\r') || field.trimmed() != field;
        out.append(quote ? u'"' + QString(field).replace(u'"', u"\"\""_s) + u'"' : field);
    }
    return out.join(u',');
}

bool AppendTextTableRows(const QString& path, const TextTable& format,
                         const QList<QStringList>& rows, QString& error)
{
    const QString newline = format.crlf ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QString text = format.endsWithNewline ? QString() : newline;
    for (const QStringList& row : rows)
        text += CsvLine(row) + newline;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append) ||
        file.write(Encode(text, format.encoding)) < 0) {
        error = QStringLiteral("不能写入文件 ") + path;
        return false;
    }
    return true;
}

} // namespace zk
