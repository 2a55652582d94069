#pragma once

#include "forms/controls/control_kind.h"
#include "forms/controls/edit_input_validator.h"

#include <QColor>
#include <QLineEdit>
#include <QString>

#include <optional>

class QTextEdit;

namespace zk {

// The edit box of a form (`textbox`): one class whatever its line mode, so the
// value operations and the form window treat single- and multi-line boxes
// alike. A single-line box is the line edit itself (forms hold hundreds of
// them, and a wrapper widget each would slow every form down). A multi-line
// box keeps its line edit part empty and hidden under a QTextEdit child that
// fills it and takes its focus; its key and focus events arrive at Editor(),
// that child (an in-place editing grid must treat focus inside the box as
// focus on the box). Use Text()/SetText() and the other members below, not
// the line edit's own text functions, which a multi-line box does not use.
class ZkEdit : public QLineEdit, public ControlTag {
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

    // The widget that edits: the box itself, or its QTextEdit.
    QWidget* Editor() const;
    // The single-line box itself (nullptr for a multi-line box).
    QLineEdit* LineEdit() const;
    QTextEdit* TextEdit() const { return multi_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The text changed, by typing or by the program (hides the line edit's
    // textChanged(QString), which a multi-line box never sends).
    void textChanged();
    // The box lost the keyboard focus (not to its own context menu).
    void focusLost();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildSingleLine(int style);
    void InstallValidator();
    void BuildMultiLine(int style);
    void OnMultiTextChanged();

    Lines lines_;
    QTextEdit* multi_ = nullptr;
    int maxLength_ = 0;
    EditInputRules rules_;
    QString lastMultiText_;
    bool settingText_ = false;
};

} // namespace zk
