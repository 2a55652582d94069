#pragma once

#include "forms/controls/control_kind.h"

#include <QColor>
#include <QLabel>

namespace zk {

// The label of a form (`static`): its own text colour on a transparent
// background, so the form's drawn background shows through. The style bits
// give the alignment (left, centre, right; vertically centred with
// SS_CENTERIMAGE) and word wrap; "&" marks a mnemonic as on every label of the
// definitions ("&&" shows one "&") unless SS_NOPREFIX is set.
class CZkStatic : public QLabel, public ControlTag {
    Q_OBJECT

public:
    explicit CZkStatic(int style, QWidget* parent = nullptr);

    // The label's text as it was set, mnemonic marks included.
    QString WindowText() const { return text_; }
    void SetWindowText(const QString& text);

    void SetTextColour(const QColor& colour);
    QColor TextColour() const { return textColour_; }
    void SetBackgroundColour(const QColor& colour) { backgroundColour_ = colour; }
    QColor BackgroundColour() const { return backgroundColour_; }

    // The text a label shows for a window text: mnemonic marks removed.
    static QString ShownText(const QString& text);

private:
    QString text_;
    QColor textColour_ = Qt::black;
    QColor backgroundColour_ = Qt::white;
    bool noPrefix_ = false;
};

} // namespace zk
