#pragma once

#include "forms/controls/in_place_editor.h"
#include "forms/controls/zk_edit.h"

class QAction;

namespace zk {

// The edit box with a small browse button inside its right edge
// (`editbutton`). The button opens the text detail dialog (text mode), the
// colour dialog (colour mode) or asks the form for a pop-up form (pop-up
// mode: popupRequested; the form shows the pop-up and hands its result to
// AcceptPopupResult). When a grid uses the box as its in-place editor, the
// grid attaches it to the edited cell and receives the dialogs' results
// through InPlaceEditorOwner.
class CFileEditCtrl : public ZkEdit, public InPlaceEditor {
    Q_OBJECT

public:
    enum class Mode { NoButton, Text, Colour, Popup };
    // The mode a `popup` attribute selects: "0" no button, empty text mode,
    // "-1" colour mode, anything else a pop-up form.
    static Mode ModeForPopup(const QString& popup);

    explicit CFileEditCtrl(int style, QWidget* parent = nullptr);
    ~CFileEditCtrl() override;

    void SetMode(Mode mode);
    Mode GetMode() const { return mode_; }
    void SetButtonVisible(bool visible);
    bool IsButtonVisible() const;

    // Pop-up mode: the `popup` text ("X" or "X:uid:a:b"), the inline
    // definition to show for "X", and `minlen`, which the pop-up form reads.
    void SetPopup(const QString& popupText, const QString& definitionXml);
    QString PopupText() const { return popupText_; }
    QString PopupDefinition() const { return popupDefinition_; }
    void SetMinLength(int minLength) { minLength_ = minLength; }
    int MinLength() const { return minLength_; }

    // The pop-up closed with OK and this result. The box takes the text; in a
    // grid the cell gets it (with the grid's end-of-edit handling), otherwise
    // the form hears of the changed text and of a lost focus, so that the
    // box's EN_CHANGE and EN_KILLFOCUS scripts run.
    void AcceptPopupResult(const QString& text);

    // What a click on the button does (also reachable without a mouse).
    void ClickButton();

    // The colour a colour text "r,g,b" stands for, when it is one.
    static std::optional<QColor> ColourFromText(const QString& text);

    // InPlaceEditor
    void AttachToCell(InPlaceEditorOwner* owner, int row, int column) override;
    void DetachFromCell() override;
    bool IsInPlaceEditor() const override;

signals:
    void popupRequested();

private:
    void RunTextDialog();
    void RunColourDialog();
    void UpdateButtonIcon();

    Mode mode_ = Mode::Text;
    QAction* button_ = nullptr;
    QString popupText_;
    QString popupDefinition_;
    int minLength_ = 0;
    InPlaceAttachment cell_;
};

} // namespace zk
