#pragma once

#include "forms/controls/control_host.h"
#include "forms/controls/control_registry.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace zk::test {

// A form window stand-in: a widget that holds controls by window id, may have
// an opener and forbids the buttons listed in `forbidden`.
class TestForm : public QWidget, public ControlHost {
public:
    explicit TestForm(QWidget* parent = nullptr)
        : QWidget(parent)
    {
    }

    // Registers a control made with this form as parent under element id `id`.
    template <typename Control>
    Control* Add(int id, Control* control, const QRect& rect = QRect(10, 10, 120, 24))
    {
        control->setGeometry(rect);
        registry.Register(WindowIdOfElement(id), control);
        return control;
    }

    QWidget* HostWidget() const override { return const_cast<TestForm*>(this); }
    const ControlRegistry& Registry() const override { return registry; }
    const ControlHost* Opener() const override { return opener; }
    QString ForbiddenIds() const override { return forbidden; }

    ControlRegistry registry;
    const ControlHost* opener = nullptr;
    QString forbidden = QStringLiteral(";");
};

// Runs `act` on the next modal dialog once it is shown (tests answer dialogs
// this way; the offscreen platform runs them like any other).
inline void WhenModalShown(std::function<void(QWidget*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        act(modal);
    });
    timer->start();
}

// Clicks the push button of the modal dialog with the caption.
inline void ClickModalButton(const QString& caption)
{
    WhenModalShown([caption](QWidget* modal) {
        for (auto* button : modal->findChildren<QPushButton*>()) {
            if (button->text() == caption && button->isVisible()) {
                button->click();
                return;
            }
        }
    });
}

} // namespace zk::test
