#pragma once

#include <QDialog>
#include <QString>

#include <memory>

class QPlainTextEdit;
class QPushButton;

namespace zk {

namespace layout {
class CWndResizerWidget;
}

// Shows a text in a large multi-line edit box and gives back the edited
// text: the caller sets `text` (and may preset `result`), runs exec(), and on
// 1 (OK) reads `result`; any other outcome leaves `result` as it was.
// Resizable: the edit box follows all four edges, OK the top right corner.
class Dialog_TextBox_Info : public QDialog {
    Q_OBJECT

public:
    explicit Dialog_TextBox_Info(QWidget* parent = nullptr);
    ~Dialog_TextBox_Info() override;

    QString text;
    QString result;

    // Line ends: the text is shown with every "\n" read as a line end, also
    // where it already stood in "\r\n"; the result has "\n" line ends only.
    static QString ShownText(const QString& text);
    static QString ResultText(const QString& shown);

    QPlainTextEdit* Edit() const { return edit_; }
    QPushButton* OkButton() const { return ok_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnOk();

    QPlainTextEdit* edit_ = nullptr;
    QPushButton* ok_ = nullptr;
    std::unique_ptr<layout::CWndResizerWidget> resizer_;
    bool started_ = false;
};

} // namespace zk
