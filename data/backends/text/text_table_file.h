#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace zk {

// The encodings a text table file may be in; appended lines keep the file's own.
enum class TextFileEncoding { Utf8, Gb18030, Utf16Le, Utf16Be };

// A text table file: the first line names the columns, every further line is a row;
// fields are separated by ',' and may be written in double quotes (a doubled quote inside
// stands for one, and a quoted field may span lines). Empty fields are NULL.
struct TextTable {
    QStringList columns;
    QList<QStringList> rows; // a null QString for an empty field
    TextFileEncoding encoding = TextFileEncoding::Utf8;
    bool crlf = false;           // lines end in "\r\n"
    bool endsWithNewline = true; // the last line is terminated
};

// Reads a file: a byte-order mark selects UTF-8 or UTF-16, otherwise valid UTF-8 is read as
// UTF-8 and anything else as GB18030. Columns without a name are called F1, F2, … after
// their position, and repeated names get a number. False when the file cannot be read.
bool ReadTextTable(const QString& path, TextTable& table, QString& error);

// Splits CSV text into records of fields (quoted fields as described above).
QList<QStringList> ParseCsv(const QString& text);

// One record as a line without its line end: a field is quoted when it holds a separator,
// a quote, a line break or surrounding blanks; NULL is the empty field.
QString CsvLine(const QStringList& fields);

// Appends records to the file in the file's encoding and line ends, after a line end when
// the file's last line had none.
bool AppendTextTableRows(const QString& path, const TextTable& format,
                         const QList<QStringList>& rows, QString& error);

} // namespace zk
