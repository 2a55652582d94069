#include "forms/dialogs/zk_message_box.h"

#include "forms/dialogs/flat_button.h"
#include "forms/resources/program_images.h"
#include "util/gui/copy_to_clipboard.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QWindow>

namespace zk {

namespace {

// The box as it starts: the text field on top, the buttons below it.
constexpr QSize kTemplateSize(320, 140);
constexpr QRect kTemplateLabel(20, 18, 280, 40);
constexpr QSize kButtonSize(84, 28);

} // namespace

QSize ZkMessageBox::TemplateSize()
{
    return kTemplateSize;
}

ZkMessageBox::ZkMessageBox(QWidget* parent, const QString& text_, const QString& caption_,
                           int withCancel)
    : QDialog(parent)
    , text(text_)
    , caption(caption_)
    , with_cancel(withCancel)
{
    setWindowIcon(ProgramIcon(kWindowIconId));
    setWindowTitle(caption.isEmpty() ? QStringLiteral("Dialog") : caption);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    resize(kTemplateSize);

    label_ = new QLabel(this);
    label_->setTextFormat(Qt::PlainText);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_->setAutoFillBackground(false);
    label_->setAttribute(Qt::WA_TransparentForMouseEvents);
    label_->setGeometry(kTemplateLabel);
    label_->setText(text);

    ok_ = new QPushButton(QStringLiteral("确定"), this);
    cancel_ = new QPushButton(QStringLiteral("取消"), this);
    for (QPushButton* button : {ok_, cancel_}) {
        StyleFlatButton(*button);
        button->resize(kButtonSize);
    }
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, [this] { done(1); });
    connect(cancel_, &QPushButton::clicked, this, [this] { done(2); });

    FitToText();
    PlaceButtons();
    setFixedSize(size());
}

void ZkMessageBox::FitToText()
{
    const QFontMetrics metrics(font());
    const QStringList lines = text.split(QLatin1Char('\n'));
    int widest = 0;
    for (const QString& line : lines)
        widest = qMax(widest, metrics.horizontalAdvance(line));
    const int lineHeight = metrics.height();
    const int needed = lineHeight * int(lines.size());

    if (label_->height() < needed) {
        label_->setGeometry(5, 5, label_->width(), needed + 10);
        resize(width(), needed + 100);
    }
    if (label_->width() < widest + 20) {
        label_->setGeometry(5, 5, widest + 5, label_->height());
        resize(widest + 20, height());
    }
}

void ZkMessageBox::PlaceButtons()
{
    const int w = kButtonSize.width();
    const int y = height() - kButtonSize.height() - 40;
    if (with_cancel == 0) {
        cancel_->hide();
        ok_->move(width() / 2 - w / 2, y);
        return;
    }
    ok_->move(width() / 3 - w / 2, y);
    cancel_->move(2 * width() / 3 - w / 2, y);
}

void ZkMessageBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_C && (event->modifiers() & Qt::ControlModifier)) {
        CopyToClipboard(text);
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ZkMessageBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QDialog::mousePressEvent(event);
        return;
    }
    // The window system moves the box where it can; elsewhere we follow the
    // pointer ourselves.
    if (windowHandle() && windowHandle()->startSystemMove())
        return;
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void ZkMessageBox::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - dragOffset_);
        return;
    }
    QDialog::mouseMoveEvent(event);
}

void ZkMessageBox::mouseReleaseEvent(QMouseEvent* event)
{
    dragging_ = false;
    QDialog::mouseReleaseEvent(event);
}

int ShowBox(QWidget* parent, const QString& text, const QString& caption, int withCancel)
{
    ZkMessageBox box(parent, text, caption, withCancel);
    return box.exec() == 1 ? 1 : 2;
}

} // namespace zk
