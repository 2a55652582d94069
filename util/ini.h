#pragma once

#include <QString>

namespace zk {

// Initialisation files ("[SECTION]" lines, "KEY=value" lines, ";" comments)
// such as cfg.ini. A relative file name is taken in ProgramFolder(); an
// absolute path is used as it is.
//
// Files may be UTF-16 (with byte-order mark, either byte order), UTF-8 (with
// or without mark) or GB18030; the encoding is detected from the mark, else
// from whether the bytes are valid UTF-8. Sections and keys match without
// regard to case; the first match counts.

// The value with surrounding blanks removed and one pair of enclosing quotes
// (single or double) stripped, cut to 511 characters. The empty text when
// the file, the section or the key is missing.
QString ReadIni(const QString& fileName, const QString& section, const QString& key);

// Sets a value: an existing key is replaced on its line, a missing key is
// added after the last entry of its section, a missing section is added at
// the end of the file; a missing file is created as UTF-8. The rest of the
// file keeps its bytes, its encoding and its line endings, and the file is
// replaced in one step, so a crash never leaves half a file. False when the
// file cannot be read or written, or when the section, the key or the value
// could not be read back as given (empty section or key, line breaks, "]" in
// the section, "=" in the key).
bool WriteIni(const QString& fileName, const QString& section, const QString& key,
              const QString& value);

} // namespace zk
