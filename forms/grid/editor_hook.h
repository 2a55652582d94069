#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace zk {

// Watches the active in-place editor of a grid while an edit is open (an
// event filter on the application, so that it sees what reaches the editor,
// its children and its pop-ups, and everything else). It never ends the edit
// itself; it asks the grid through the two actions, which queue the request:
// - Escape in the editor: end without commit.
// - Enter in the editor (without Ctrl): end with commit, then the key goes on
//   to the grid's navigation.
// - Tab, Shift+Tab (without Ctrl), Up, Down in the editor: to the grid's
//   navigation, which ends the edit with commit when it moves on.
// - The focus moving to a widget outside the editor and outside the grid,
//   while no pop-up of the editor is open: end with commit.
// - A mouse press, double click or wheel turn on a widget outside the editor:
//   end with commit.
// While a pop-up of the editor is open, its keys are left to it.
class CEditorHook : public QObject {
    Q_OBJECT

public:
    using EndAction = std::function<void(bool commit)>;
    using KeyAction = std::function<void(int key, Qt::KeyboardModifiers modifiers)>;

    CEditorHook(QWidget* grid, EndAction end, KeyAction navigate, QObject* parent = nullptr);
    ~CEditorHook() override;

    void Attach(QWidget* editor);
    void Detach();
    bool IsAttached() const { return !editor_.isNull(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool OnKey(QWidget* target, QEvent* event);
    void OnFocusIn(QWidget* target);
    void OnPointer(QWidget* target, QEvent* event);

    QPointer<QWidget> grid_;
    QPointer<QWidget> editor_;
    EndAction end_;
    KeyAction navigate_;
    bool installed_ = false;
};

} // namespace zk
