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
    : QLineEdit(parent)
    , ControlTag(ControlKind::TextBox)
    , lines_(LinesForStyle(style))
{
    if (lines_ == Lines::Single)
        BuildSingleLine(style);
    else
        BuildMultiLine(style);
    if (style & kEditReadOnly)
        SetReadOnly(true);
}

ZkEdit::~ZkEdit() = default;

void ZkEdit::BuildSingleLine(int style)
{
    if (style & kEditPassword)
        setEchoMode(QLineEdit::Password);
    if (style & kEditRight)
        setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    else if (style & kEditCenter)
        setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    rules_.digitsOnly = (style & kEditNumber) != 0;
    rules_.upperCase = (style & kEditUpperCase) != 0;
    rules_.lowerCase = (style & kEditLowerCase) != 0 && !rules_.upperCase;
    if (rules_.digitsOnly || rules_.upperCase || rules_.lowerCase)
        InstallValidator();
    connect(this, &QLineEdit::textChanged, this, [this] { emit textChanged(); });
}

void ZkEdit::BuildMultiLine(int style)
{
    // The line edit part stays empty under the text box and never has the focus.
    setFrame(false);
    QLineEdit::setReadOnly(true);
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
    setFocusProxy(multi_);
    multi_->installEventFilter(this);
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
    if (multi_)
        return multi_;
    return const_cast<ZkEdit*>(this);
}

QLineEdit* ZkEdit::LineEdit() const
{
    return multi_ ? nullptr : const_cast<ZkEdit*>(this);
}

QString ZkEdit::Text() const
{
    return multi_ ? multi_->toPlainText() : text();
}

void ZkEdit::SetText(const QString& text)
{
    settingText_ = true;
    if (multi_)
        multi_->setPlainText(text);
    else
        setText(text);
    settingText_ = false;
}

void ZkEdit::SelectAllCaretAtStart()
{
    if (!multi_) {
        setSelection(int(text().size()), -int(text().size()));
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
    if (!multi_) {
        // Set as a whole: the program's text bypasses the typing rules.
        QString whole = this->text();
        const int start = hasSelectedText() ? selectionStart() : cursorPosition();
        const int length = hasSelectedText() ? int(selectedText().size()) : 0;
        whole.replace(start, length, text);
        setText(whole);
        setCursorPosition(start + int(text.size()));
        return;
    }
    settingText_ = true;
    multi_->insertPlainText(text);
    settingText_ = false;
}

void ZkEdit::SetReadOnly(bool readOnly)
{
    if (multi_)
        multi_->setReadOnly(readOnly);
    else
        setReadOnly(readOnly);
}

bool ZkEdit::IsReadOnly() const
{
    return multi_ ? multi_->isReadOnly() : isReadOnly();
}

// Most boxes have no typing rule: they get no validator until one applies, which keeps
// forms of hundreds of boxes quick to open.
void ZkEdit::InstallValidator()
{
    if (!multi_ && !validator())
        setValidator(new EditInputValidator(this, rules_, [this] { return maxLength_; }));
}

void ZkEdit::SetMaxLength(int count)
{
    maxLength_ = qMax(0, count);
    if (maxLength_ > 0)
        InstallValidator();
}

// The text box fills a multi-line box; a layout object per box would only do the
// same, slower.
void ZkEdit::resizeEvent(QResizeEvent* event)
{
    if (multi_)
        multi_->setGeometry(rect());
    QLineEdit::resizeEvent(event);
}

// Under its text box a multi-line box has nothing to show.
void ZkEdit::paintEvent(QPaintEvent* event)
{
    if (!multi_)
        QLineEdit::paintEvent(event);
}

QSize ZkEdit::sizeHint() const
{
    return multi_ ? multi_->sizeHint() : QLineEdit::sizeHint();
}

QSize ZkEdit::minimumSizeHint() const
{
    return multi_ ? multi_->minimumSizeHint() : QLineEdit::minimumSizeHint();
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
    if (watched == multi_ && event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
        emit focusLost();
    return QLineEdit::eventFilter(watched, event);
}

void ZkEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (!multi_ && event->reason() != Qt::PopupFocusReason)
        emit focusLost();
}

} // namespace zk
