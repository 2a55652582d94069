#pragma once

#include <QDialog>
#include <QPoint>
#include <QString>

class QLabel;
class QPushButton;

namespace zk {

// The program's own message box: sizes itself to its text, OK or OK and
// Cancel, Ctrl+C copies the text. Escape does not close it; only the buttons
// and the close box do. A press on the white background drags it.
class ZkMessageBox : public QDialog {
    Q_OBJECT

public:
    ZkMessageBox(QWidget* parent, const QString& text, const QString& caption, int withCancel);

    QString text;
    QString caption;
    int with_cancel = 0;

    QLabel* TextLabel() const { return label_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

    // The size of the box before it fits itself to a text.
    static QSize TemplateSize();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void FitToText();
    void PlaceButtons();

    QLabel* label_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    bool dragging_ = false;
    QPoint dragOffset_;
};

// Runs a ZkMessageBox modally: 1 when OK was pressed, 2 for Cancel or the
// close box. `withCancel` 0 shows OK only.
int ShowBox(QWidget* parent, const QString& text, const QString& caption, int withCancel);

} // namespace zk
