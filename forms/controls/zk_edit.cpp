#include "forms/controls/zk_edit.h"

#include "forms/controls/control_kind.h"
#include "forms/controls/edit_input_validator.h"
#include "forms/definition/style_bits.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>

namespace zk {

using namespace style;

ZkEdit::Lines ZkEdit::LinesForStyle(int style)
{
    if (style == 4)
        return Lines::Multi;
    if (style == 5)
        return Lines::MultiCentred;
    return (style & kEditMultiLine) ? Lines::MultiPlain : Lines::Single;
}

ZkEdit::ZkEdit(int style, QWidget* parent)
    : QWidget(parent)
    , lines_(LinesForStyle(style))
{
    SetControlKind(this, ControlKind::TextBox);
    if (lines_ == Lines::Single)
        BuildSingleLine(style);
    else
        BuildMultiLine(style);
    setFocusProxy(Editor());
    setFocusPolicy(Qt::StrongFocus);
    Editor()->installEventFilter(this);
    if (style & kEditReadOnly)
        SetReadOnly(true);
}

ZkEdit::~ZkEdit() = default;

void ZkEdit::BuildSingleLine(int style)
{
    line_ = new QLineEdit(this);
    line_->setFrame(true);
    if (style & kEditPassword)
        line_->setEchoMode(QLineEdit::Password);
    if (style & kEditRight)
        line_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    else if (style & kEditCenter)
        line_->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    rules_.digitsOnly = (style & kEditNumber) != 0;
    rules_.upperCase = (style & kEditUpperCase) != 0;
    rules_.lowerCase = (style & kEditLowerCase) != 0 && !rules_.upperCase;
    if (rules_.digitsOnly || rules_.upperCase || rules_.lowerCase)
        InstallValidator();
    connect(line_, &QLineEdit::textChanged, this, [this] { emit textChanged(); });
}

void ZkEdit::BuildMultiLine(int style)
{
    multi_ = new QTextEdit(this);
    multi_->setAcceptRichText(false);
    multi_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    multi_->setTabChangesFocus(true);
    switch (lines_) {
    case Lines::Multi:
        multi_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        multi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        multi_->setLineWrapMode(QTextEdit::WidgetWidth);
        break;
    case Lines::MultiCentred:
        multi_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        multi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        multi_->setLineWrapMode(QTextEdit::NoWrap);
        break;
    default:
        multi_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        multi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        multi_->setLineWrapMode((style & kEditAutoHScroll) ? QTextEdit::NoWrap
                                                           : QTextEdit::WidgetWidth);
        break;
    }
    Qt::Alignment align = Qt::AlignLeft;
    if (lines_ == Lines::MultiCentred || (style & kEditCenter))
        align = Qt::AlignHCenter;
    else if (style & kEditRight)
        align = Qt::AlignRight;
    QTextOption option = multi_->document()->defaultTextOption();
    option.setAlignment(align);
    multi_->document()->setDefaultTextOption(option);
    connect(multi_, &QTextEdit::textChanged, this, &ZkEdit::OnMultiTextChanged);
}

void ZkEdit::OnMultiTextChanged()
{
    const QString text = multi_->toPlainText();
    if (text == lastMultiText_)
        return; // a format change only
    // Typing past the limit is undone; shortening an over-long text is not.
    if (!settingText_ && maxLength_ > 0 && text.size() > maxLength_ &&
        text.size() > lastMultiText_.size()) {
        const int caret = multi_->textCursor().position() - (text.size() - lastMultiText_.size());
        const QSignalBlocker block(multi_);
        multi_->setPlainText(lastMultiText_);
        QTextCursor cursor = multi_->textCursor();
        cursor.setPosition(qBound(0, caret, int(lastMultiText_.size())));
        multi_->setTextCursor(cursor);
        return;
    }
    lastMultiText_ = text;
    emit textChanged();
}

QWidget* ZkEdit::Editor() const
{
    if (line_)
        return line_;
    return multi_;
}

QString ZkEdit::Text() const
{
    return line_ ? line_->text() : multi_->toPlainText();
}

void ZkEdit::SetText(const QString& text)
{
    settingText_ = true;
    if (line_)
        line_->setText(text);
    else
        multi_->setPlainText(text);
    settingText_ = false;
}

void ZkEdit::SelectAllCaretAtStart()
{
    if (line_) {
        line_->setSelection(line_->text().size(), -line_->text().size());
        return;
    }
    QTextCursor cursor = multi_->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.setPosition(0, QTextCursor::KeepAnchor);
    multi_->setTextCursor(cursor);
    multi_->ensureCursorVisible();
}

void ZkEdit::ReplaceSelection(const QString& text)
{
    if (line_) {
        // Set as a whole: the program's text bypasses the typing rules.
        QString whole = line_->text();
        const int start =
            line_->hasSelectedText() ? line_->selectionStart() : line_->cursorPosition();
        const int length = line_->hasSelectedText() ? int(line_->selectedText().size()) : 0;
        whole.replace(start, length, text);
        line_->setText(whole);
        line_->setCursorPosition(start + int(text.size()));
        return;
    }
    settingText_ = true;
    multi_->insertPlainText(text);
    settingText_ = false;
}

void ZkEdit::SetReadOnly(bool readOnly)
{
    if (line_)
        line_->setReadOnly(readOnly);
    else
        multi_->setReadOnly(readOnly);
}

bool ZkEdit::IsReadOnly() const
{
    return line_ ? line_->isReadOnly() : multi_->isReadOnly();
}

// Most boxes have no typing rule: they get no validator until one applies, which keeps
// forms of hundreds of boxes quick to open.
void ZkEdit::InstallValidator()
{
    if (line_ && !line_->validator())
        line_->setValidator(new EditInputValidator(line_, rules_, [this] { return maxLength_; }));
}

void ZkEdit::SetMaxLength(int count)
{
    maxLength_ = qMax(0, count);
    if (maxLength_ > 0)
        InstallValidator();
}

// The editor fills the box; a layout object per box would only do the same, slower.
void ZkEdit::resizeEvent(QResizeEvent* event)
{
    Editor()->setGeometry(rect());
    QWidget::resizeEvent(event);
}

QSize ZkEdit::sizeHint() const
{
    return Editor()->sizeHint();
}

QSize ZkEdit::minimumSizeHint() const
{
    return Editor()->minimumSizeHint();
}

void ZkEdit::SetColours(std::optional<QColor> text, std::optional<QColor> background)
{
    QWidget* editor = Editor();
    QPalette palette = editor->palette();
    if (text) {
        palette.setColor(QPalette::Text, *text);
        palette.setColor(QPalette::WindowText, *text);
    }
    if (background)
        palette.setColor(QPalette::Base, *background);
    editor->setPalette(palette);
    if (multi_)
        multi_->viewport()->setPalette(palette);
}

bool ZkEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Editor() && event->type() == QEvent::FocusOut) {
        const auto* focus = static_cast<QFocusEvent*>(event);
        if (focus->reason() != Qt::PopupFocusReason)
            emit focusLost();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zk
