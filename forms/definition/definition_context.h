#pragma once

#include <QString>

#include <functional>

namespace zk {

// Where a definition's format errors go. The form window fills `show` with its
// message box; tests collect the texts. An empty hook drops the messages.
struct DefinitionMessages {
    std::function<void(const QString&)> show;

    void Show(const QString& text) const
    {
        if (show)
            show(text);
    }
};

// What reading one form's definition needs from its form window. Held per
// form, never shared between forms.
struct DefinitionContext {
    DefinitionMessages messages;
    // Face of the form's default font: font texts without a face take it.
    QString defaultFace;
};

} // namespace zk
