#pragma once

#include "forms/controls/control_kind.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace zk {

// The buttons a `button` element with a positive `style` and no `shade`
// gives: the low four style bits choose the kind, as they always did (push
// button, check box, radio button, group box). Each reports double clicks
// when the style asks for notifications (and radio buttons always).
inline constexpr int kButtonNotify = 0x4000;

// Which of the button elements' kinds a definition asks for: `popup` 1 is
// the hyperlink; a positive `style` with an empty `shade` a standard button;
// otherwise a colour button (`maxlen` 0) or a shaded colour button.
enum class ButtonKind { HyperLink, Standard, Colour, Shaded };
ButtonKind ButtonKindFor(int popup, int style, const QString& shade, int maxlen);

class ZkPushButton : public QPushButton, public ControlTag {
    Q_OBJECT

public:
    explicit ZkPushButton(int style, QWidget* parent = nullptr);

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool notify_;
};

// Check boxes: the automatic kinds toggle on a click, the others only report
// it and keep the state the program gives them; the three-state kinds know
// the indeterminate state 2.
class ZkCheckBox : public QCheckBox, public ControlTag {
    Q_OBJECT

public:
    explicit ZkCheckBox(int style, QWidget* parent = nullptr);
    bool IsAutomatic() const { return automatic_; }

signals:
    void doubleClicked();

protected:
    void nextCheckState() override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool automatic_;
    bool notify_;
};

class ZkRadioButton : public QRadioButton, public ControlTag {
    Q_OBJECT

public:
    explicit ZkRadioButton(int style, QWidget* parent = nullptr);

signals:
    void doubleClicked();

protected:
    void nextCheckState() override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool automatic_;
};

// A frame with a caption around other controls; it takes no clicks.
class ZkGroupBox : public QGroupBox, public ControlTag {
    Q_OBJECT

public:
    explicit ZkGroupBox(QWidget* parent = nullptr);
};

// The standard button for a style (ZkPushButton, ZkCheckBox, ZkRadioButton or
// ZkGroupBox), with its caption.
QWidget* CreateStandardButton(int style, const QString& caption, QWidget* parent);

} // namespace zk
