#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace zk {

class CMainApp;

// How the main window shows forms: a form of the navigation opens as a window of its own,
// the graphic navigation is a form embedded in the main window. The program uses the form
// window of the runtime (DefaultFormHooks); tests may watch or replace them.
struct FormHooks {
    // Opens a definition text for menu uid and name; true when a window opened.
    std::function<bool(const QString& text, const QString& uid, const QString& name)> open;
    // Makes the definition a hidden child form of `parent` that cannot be dragged; null
    // when it cannot be made.
    std::function<QWidget*(QWidget* parent, const QString& text, const QString& uid)> embed;
    // An empty child form (no definition) of `parent`.
    std::function<QWidget*(QWidget* parent)> embedEmpty;
};

FormHooks DefaultFormHooks(CMainApp& app);

} // namespace zk
