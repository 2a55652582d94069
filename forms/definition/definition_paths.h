#pragma once

#include <QString>

// The XPath expressions by which the runtime addresses definition elements.
// Form ids are inserted as written (unquoted), so a numeric id also matches
// its other spellings ("05" and "5"); ids are meant to be numbers.

namespace zk {

// A control's event script: form id, element name, element id, event name.
// "//html[@id=%s]/body/dialog/%s[@id=%d]/ACTION/%s"
QString ControlEventPath(const QString& formId, const QString& elementName, int elementId,
                         const QString& eventName);

// One column definition of a grid: form id, grid element id, column id.
// "//html[@id=%s]/body/dialog/table[@id=%d]/PARA/col_info/col[@id=%d]"
QString GridColumnPath(const QString& formId, int gridId, int columnId);

// That column's end-of-edit script.
// "//html[@id=%s]/body/dialog/table[@id=%d]/PARA/col_info/col[@id=%d]/ENDEDIT"
QString GridColumnEndEditPath(const QString& formId, int gridId, int columnId);

// The column list of a grid, from the form's own document.
// "//html/body/dialog/table[@id=%d]/PARA/col_info"
QString GridColumnListPath(int gridId);

// An inline pop-up form, relative to the body element.
// "popup/html[@id=%s]"
QString InlinePopupPath(const QString& popupId);

// A form (the document's own, a pop-up or a tab page) by its id.
// "//html[@id=%s]"
QString FormPath(const QString& formId);

} // namespace zk
