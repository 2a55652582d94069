#pragma once

#include <QString>
#include <QValidator>

#include <functional>

class QLineEdit;

namespace zk {

// What a single-line edit box accepts from the keyboard. Applied to typing
// and pasting only: a text the program sets is shown as it is, as the edit
// boxes of the definitions have always behaved.
struct EditInputRules {
    bool digitsOnly = false;
    bool upperCase = false;
    bool lowerCase = false;
};

class EditInputValidator : public QValidator {
public:
    // `limit` gives the current character limit (0: none).
    EditInputValidator(QLineEdit* edit, EditInputRules rules, std::function<int()> limit);

    State validate(QString& input, int& pos) const override;

private:
    // The edit's text before the change under validation (the edit already
    // reports the tentative text while it validates).
    QString accepted_;
    EditInputRules rules_;
    std::function<int()> limit_;
};

} // namespace zk
