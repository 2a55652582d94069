#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace zk {

// How an in-place editor produced a cell text outside the grid's own edit cycle.
// The grid's edit usually has ended already (the dialog took the focus), so the
// editor hands the result to the cell it was attached to.
enum class CellTextSource {
    TextDialog,   // the text detail dialog: write the cell, mark the row modified
    ColourDialog, // the colour dialog ("r,g,b"): write and mark modified unless unchanged
    PopupForm,    // a pop-up form's result: write, update the row state and run the
                  // grid's end-of-edit handling (the column's script, the sums)
};

// Implemented by a control that moves form controls over its cells to edit them
// (the grid). The implementing class must also derive from QObject: the editor
// keeps a guarded pointer to it, so a destroyed owner is never called.
class InPlaceEditorOwner {
public:
    virtual ~InPlaceEditorOwner() = default;
    // `editor` produced `text` for the cell (row, column) given in AttachToCell.
    virtual void OnInPlaceCellText(QWidget* editor, int row, int column, const QString& text,
                                   CellTextSource source) = 0;
};

// Implemented by the form controls that need to know the cell they edit
// (CFileEditCtrl). The grid's begin callback attaches the editor before it shows
// it; the attachment lasts until the next attach or a detach, because the
// editor's dialogs finish after the grid's edit has ended.
class InPlaceEditor {
public:
    virtual ~InPlaceEditor() = default;
    virtual void AttachToCell(InPlaceEditorOwner* owner, int row, int column) = 0;
    virtual void DetachFromCell() = 0;
    // True while attached to an owner that still exists.
    virtual bool IsInPlaceEditor() const = 0;
};

// The attachment as an editor stores it: the owner is reached only while its
// QObject lives.
class InPlaceAttachment {
public:
    void Attach(InPlaceEditorOwner* owner, int row, int column)
    {
        owner_ = owner;
        guard_ = dynamic_cast<QObject*>(owner);
        row_ = row;
        column_ = column;
    }
    void Detach()
    {
        owner_ = nullptr;
        guard_.clear();
    }
    bool IsAttached() const { return owner_ && guard_; }
    // Hands the text to the owner; false when not attached (the caller then keeps
    // the text in its own window).
    bool Deliver(QWidget* editor, const QString& text, CellTextSource source) const
    {
        if (!IsAttached())
            return false;
        owner_->OnInPlaceCellText(editor, row_, column_, text, source);
        return true;
    }
    int row() const { return row_; }
    int column() const { return column_; }

private:
    InPlaceEditorOwner* owner_ = nullptr;
    QPointer<QObject> guard_;
    int row_ = -1;
    int column_ = -1;
};

} // namespace zk
