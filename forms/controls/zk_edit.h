#pragma once

#include "forms/controls/edit_input_validator.h"

#include <QColor>
#include <QString>
#include <QWidget>

#include <optional>

class QLineEdit;
class QTextEdit;

namespace zk {

// The edit box of a form (`textbox`): one widget whatever its line mode, so the
// value operations and the form window treat single- and multi-line boxes
// alike. It wraps a QLineEdit or a QTextEdit that fills it and takes its
// focus; key and focus events therefore arrive at Editor(), a child of this
// widget (an in-place editing grid must treat focus inside the box as focus on
// the box).
class ZkEdit : public QWidget {
    Q_OBJECT

public:
    enum class Lines {
        Single,       // auto-scrolling single line, style bits applied where Qt can
        Multi,        // multi-line, word wrap, vertical scroll bar (style 4)
        MultiCentred, // multi-line, both scroll bars, no wrap, centred text (style 5)
        MultiPlain,   // other styles with the multi-line bit: no scroll bars
    };
    static Lines LinesForStyle(int style);

    explicit ZkEdit(int style, QWidget* parent = nullptr);
    ~ZkEdit() override;

    Lines LineMode() const { return lines_; }
    bool IsMultiLine() const { return lines_ != Lines::Single; }

    QString Text() const;
    // Replaces the whole text; textChanged follows, as for typing.
    void SetText(const QString& text);
    // Selects the whole text with the caret at its start, and shows the start.
    void SelectAllCaretAtStart();
    // Replaces the selection (or inserts at the caret) with the text.
    void ReplaceSelection(const QString& text);

    void SetReadOnly(bool readOnly);
    bool IsReadOnly() const;
    // Limits what the user types to `count` characters (0: no limit). A text
    // set by the program is kept whole, and the user may still shorten it.
    void SetMaxLength(int count);
    int MaxLength() const { return maxLength_; }
    // Text and background colours; nothing keeps the style's colour.
    void SetColours(std::optional<QColor> text, std::optional<QColor> background);

    QWidget* Editor() const;
    QLineEdit* LineEdit() const { return line_; }
    QTextEdit* TextEdit() const { return multi_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The text changed, by typing or by the program.
    void textChanged();
    // The box lost the keyboard focus (not to its own context menu).
    void focusLost();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildSingleLine(int style);
    void InstallValidator();
    void BuildMultiLine(int style);
    void OnMultiTextChanged();

    Lines lines_;
    QLineEdit* line_ = nullptr;
    QTextEdit* multi_ = nullptr;
    int maxLength_ = 0;
    EditInputRules rules_;
    QString lastMultiText_;
    bool settingText_ = false;
};

} // namespace zk
