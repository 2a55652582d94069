#pragma once

#include "forms/controls/control_kind.h"

#include <QComboBox>
#include <QRect>

namespace zk {

// The drop list of a form (`droplist`): an editable drop-down box, or a
// non-editable drop-down list when the style adds 1. It starts without a
// selection. Items are matched as the system's exact item search matches
// them: the whole text, without regard to letter case.
class ZkDropList : public QComboBox, public ControlTag {
    Q_OBJECT

public:
    explicit ZkDropList(int style, QWidget* parent = nullptr);

    // The rectangle a definition's rectangle gives: 20 pixels high or more,
    // its bottom is raised by 5 (the selection field is that high).
    static QRect AdjustedRect(const QRect& definitionRect);
    static bool IsEditableStyle(int style);

    // Replaces the items; nothing is selected afterwards.
    void SetItems(const QStringList& items);
    int FindExact(const QString& text) const;
    // The selected item, or −1 (also while the typed text differs from it).
    int SelectedIndex() const;
    // Selects the item with the text; a text that is no item yet is inserted
    // as the first item (an empty one clears the selection instead).
    void SelectOrInsert(const QString& text);
    // After typing: selects the item that matches the typed text exactly (or
    // none) and keeps the typed text in the box. Gives the selected index.
    int MatchTypedText();

    // The box's text: the edit text, or the selected item's of a list.
    QString WindowText() const;
    void SetWindowText(const QString& text);

    void showPopup() override;

signals:
    void dropDownOpened();   // the list opens
    void selectionChanged(); // the user chose an item
    void editTextEdited();   // the user typed in the edit field
    void focusLost();

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool leaving_ = false;
};

} // namespace zk
