#pragma once

#include "data/xml/xml_document.h"
#include "forms/definition/definition_context.h"
#include "forms/definition/value_forms.h"

#include <QList>
#include <QString>

#include <optional>

// The head of a form definition (html/head): window settings, the hot keys
// and the drawn background. Every html element of a document is a form of
// its own (the document's form, inline pop-ups, tab pages), addressed by its
// id.

namespace zk {

// The html element of the form with this id anywhere in the document
// ("//html[@id=%s]"), or null.
CXmlNodePtr FindFormElement(const CXmlDocument& document, const QString& formId);

// Where the window opens, from the head's `pos`.
enum class WindowPlacement {
    CloseAtOnce,  // `pos` missing or empty: the window closes itself at once
    KeepTemplate, // "0": where the window system puts it
    Rectangle,    // anything else: `rect` (a broken text gives 0,0,0,0)
};

// One drawing element of the head's `bg` list, in order.
struct BackgroundDrawing {
    QString type; // img, line, arrow, rect, rect1, rect2, rect3, yuan, yuan1, text
    DefRect pos;
    int style = 0; // pen dash style
    int width = 1; // pen width
    std::optional<RgbColor> color;
    QString text; // text, or the picture's path or URL
    FontSpec font;
    CXmlNodePtr element = CXmlNode::Null();
};

struct FormHead {
    QString title;
    // 1: opens maximised; 2: neither a maximise box nor a sizing border.
    int style = 0;
    WindowPlacement placement = WindowPlacement::CloseAtOnce;
    DefRect rect; // WindowPlacement::Rectangle only
    // The control that shows the opener's value ({{index}}); only when the
    // head has a non-empty `in_id`.
    std::optional<int> inId;
    int threadId = 0;  // control whose CLICK the form's timer runs
    int timeSplit = 0; // the timer's period in milliseconds
    int parentBtn = 0; // opener's control clicked when this form closes itself
    QString scroll;    // non-empty: a scrolling canvas "height[,width]"
    int bg = 0;        // non-zero: the drawn background uses the face colour
    QString drawMethod;
    QList<BackgroundDrawing> background;    // children of the head's bg element
    CXmlNodePtr element = CXmlNode::Null(); // the head; IsNull() without one

    bool paintsBackground() const { return bg != 0; }
};

// The head of the form whose html element is `html`. A missing head reads as
// all defaults (and so closes the window at once). Rectangle and colour
// errors go to the message hook.
FormHead ReadFormHead(const CXmlNode& html, const DefinitionContext& context);

// F1–F24 (functionKey 1 … 24): `value` of the first child of
// head/HOTKEY/para_info whose `id` is the key's number; nullopt when none.
std::optional<int> HotKeyTarget(const CXmlNode& html, int functionKey);

} // namespace zk
