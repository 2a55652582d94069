#include "util/scramble.h"

namespace zk {

namespace {

// direction +1 scrambles, -1 unscrambles.
QString Shift(const QString& text, int key, int direction)
{
    const int lengthTerm = static_cast<int>(text.size() % 20);
    QString result(text.size(), Qt::Uninitialized);
    long long accumulator = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int shift = static_cast<int>(accumulator % 7) - lengthTerm;
        const int code = text.at(i).unicode() + direction * shift;
        result[i] = QChar(static_cast<char16_t>(code & 0xFFFF));
        accumulator += 3LL * key;
    }
    return result;
}

} // namespace

QString ScrambleText(const QString& text, int key)
{
    return Shift(text, key, +1);
}

QString UnscrambleText(const QString& text, int key)
{
    return Shift(text, key, -1);
}

} // namespace zk
