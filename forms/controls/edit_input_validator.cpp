#include "forms/controls/edit_input_validator.h"

#include <QLineEdit>

#include <algorithm>

namespace zk {

namespace {

qsizetype NonDigits(const QString& text)
{
    return std::count_if(text.begin(), text.end(), [](QChar c) { return !c.isDigit(); });
}

} // namespace

EditInputValidator::EditInputValidator(QLineEdit* edit, EditInputRules rules,
                                       std::function<int()> limit)
    : QValidator(edit)
    , accepted_(edit->text())
    , rules_(rules)
    , limit_(std::move(limit))
{
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { accepted_ = text; });
}

QValidator::State EditInputValidator::validate(QString& input, int& pos) const
{
    Q_UNUSED(pos);
    if (rules_.upperCase)
        input = input.toUpper();
    else if (rules_.lowerCase)
        input = input.toLower();
    // Only growth past the limit is refused, so an over-long text set by the
    // program can still shrink.
    const qsizetype before = accepted_.size();
    const int limit = limit_ ? limit_() : 0;
    if (limit > 0 && input.size() > limit && input.size() > before)
        return Invalid;
    // Digits only: no new character other than a digit (a program's text
    // may hold others, and they may stay).
    if (rules_.digitsOnly && NonDigits(input) > NonDigits(accepted_))
        return Invalid;
    return Acceptable;
}

} // namespace zk
