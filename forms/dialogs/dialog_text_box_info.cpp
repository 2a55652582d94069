#include "forms/dialogs/dialog_text_box_info.h"

#include "forms/dialogs/flat_button.h"
#include "forms/layout/wnd_resizer_widget.h"
#include "forms/resources/program_images.h"

#include <QPlainTextEdit>
#include <QPushButton>

namespace zk {

namespace {

constexpr int kEditId = 1102;
constexpr int kOkId = 1;
constexpr QSize kStartSize(560, 380);
constexpr int kButtonColumn = 80;
// Anchors of the layout engine: all four edges, and top plus right.
constexpr int kAllEdges = 15;
constexpr int kTopRight = 6;

} // namespace

Dialog_TextBox_Info::Dialog_TextBox_Info(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("文本详情"));
    setWindowIcon(ProgramIcon(kWindowIconId));
    setSizeGripEnabled(false);
    resize(kStartSize);

    edit_ = new QPlainTextEdit(this);
    edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit_->setTabChangesFocus(true);
    edit_->setGeometry(-1, 0, kStartSize.width() - kButtonColumn + 1, kStartSize.height() + 1);

    ok_ = new QPushButton(QStringLiteral("确定"), this);
    StyleFlatButton(*ok_);
    ok_->setGeometry(kStartSize.width() - kButtonColumn + 6, 8, kButtonColumn - 12, 28);
    // Enter makes a new line in the box; only a click (or Space on the
    // button) confirms.
    ok_->setAutoDefault(false);
    ok_->setDefault(false);
    connect(ok_, &QPushButton::clicked, this, &Dialog_TextBox_Info::OnOk);

    resizer_ = std::make_unique<layout::CWndResizerWidget>([this](int windowId) -> QWidget* {
        if (windowId == kEditId)
            return edit_;
        if (windowId == kOkId)
            return ok_;
        return nullptr;
    });
    resizer_->Hook(this);
    resizer_->Resizer().SetAnchor(kEditId, kAllEdges);
    resizer_->Resizer().SetAnchor(kOkId, kTopRight);
}

Dialog_TextBox_Info::~Dialog_TextBox_Info() = default;

QString Dialog_TextBox_Info::ShownText(const QString& text)
{
    QString shown = text;
    shown.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    shown.replace(QLatin1String("\r\r"), QLatin1String("\r"));
    return shown;
}

QString Dialog_TextBox_Info::ResultText(const QString& shown)
{
    QString result = shown;
    result.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return result;
}

void Dialog_TextBox_Info::showEvent(QShowEvent* event)
{
    if (!started_) {
        started_ = true;
        // The edit box keeps its lines in "\n"; the shown text's "\r\n" are its
        // line ends.
        edit_->setPlainText(ResultText(ShownText(text)));
        edit_->setFocus();
    }
    QDialog::showEvent(event);
}

void Dialog_TextBox_Info::OnOk()
{
    result = ResultText(edit_->toPlainText());
    done(1);
}

} // namespace zk
