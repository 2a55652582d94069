#pragma once

#include <QString>

class QWidget;

namespace zk {

class ControlHost;

// The value operations through which the scripts' commands read and write
// controls without knowing their kind. A missing control (null) is ignored:
// nothing happens and no error is reported.

// The control a reference names: "n" (this form's control n, and 0 or a text
// without digits the form itself), "x:n" (control n of the opener), "t:p:n"
// (control n on page p, from 1, of this form's tab control t). Null for an
// empty reference, any other form, or when nothing is there.
QWidget* FindControl(const ControlHost& host, const QString& reference);

// The control's window text: the edit text, a drop list's text, the date as
// shown, a caption; the window title of any other widget.
QString ControlWindowText(const QWidget* control);

// A drop list with a selection gives the selected item's text; every other
// control its window text. Nothing found gives the empty text.
QString GetControlValue(const QWidget* control);
QString GetControlValue(const ControlHost& host, int windowId);
QString GetControlValue(const ControlHost& host, const QString& reference);
// −1 for an empty reference, 0 when nothing is found, else the window text
// read as an integer (leading digits).
int GetControlNumber(const ControlHost& host, const QString& reference);

// By kind: an edit-with-button takes the text; a drop list selects the item
// (inserting a new text as its first item); a date picker takes the text when
// it is a date; another edit box takes the text and selects it all with the
// caret at its start; anything else as SetControlText.
bool SetControlValue(QWidget* control, const QString& text);
// Sets the window text (a label repaints the area under it).
bool SetControlText(QWidget* control, const QString& text);
void SetControlTextById(const ControlHost& host, int windowId, const QString& text);

// Edit boxes: enabled and writable, or disabled and read-only. Buttons the
// host forbids stay disabled whatever the flag. Others: enabled or not.
bool EnableControl(const ControlHost& host, QWidget* control, bool enable);

// Enabled buttons only: 1–10 show badge icon 490 + n, above 10 icon 500,
// below 1 removes it; the badge stands right of the caption.
bool SetButtonBadge(QWidget* control, const QString& number);

// The element name scripts are looked up by: editbutton, textbox, droplist,
// datectrl, button, table, tree, treelist (a picture control); empty else.
QString ElementKindOf(const QWidget* control);

// Check boxes and radio buttons: 0 unchecked, 1 checked, 2 indeterminate (a
// three-state box only; others read it as checked). Other controls give 0
// and ignore a new state.
int GetCheckState(const QWidget* control);
bool SetCheckState(QWidget* control, int state);

} // namespace zk
