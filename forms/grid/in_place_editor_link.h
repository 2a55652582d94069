#pragma once

// The interface between the grid and the form controls that need to know the
// cell they edit (the edit-with-button). It is defined by the controls
// library; until that library is part of this tree, the grid carries the
// same declarations so that it builds on its own. Once
// forms/controls/in_place_editor.h exists, it is used instead.
#if __has_include("forms/controls/in_place_editor.h")
#include "forms/controls/in_place_editor.h"
#else

#include <QString>

class QWidget;

namespace zk {

// How an in-place editor produced a cell text outside the grid's own edit cycle.
enum class CellTextSource {
    TextDialog,   // the text detail dialog: write the cell, mark the row modified
    ColourDialog, // the colour dialog ("r,g,b"): write and mark modified unless unchanged
    PopupForm,    // a pop-up form's result: write, update the row state and run the
                  // grid's end-of-edit handling
};

// Implemented by the grid (which is also a QObject).
class InPlaceEditorOwner {
public:
    virtual ~InPlaceEditorOwner() = default;
    virtual void OnInPlaceCellText(QWidget* editor, int row, int column, const QString& text,
                                   CellTextSource source) = 0;
};

// Implemented by the controls that need to know the cell they edit.
class InPlaceEditor {
public:
    virtual ~InPlaceEditor() = default;
    virtual void AttachToCell(InPlaceEditorOwner* owner, int row, int column) = 0;
    virtual void DetachFromCell() = 0;
    virtual bool IsInPlaceEditor() const = 0;
};

} // namespace zk

#endif
