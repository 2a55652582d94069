#pragma once

#include <QFont>
#include <QString>

namespace zk {

// Fonts of the form controls. A font value of a definition is a size and an
// optional face; the control font is bold and its pixel size is the cell
// height size * 4 / 3 (integer arithmetic), the height the definitions were
// laid out for.
int FontCellHeight(int size);
QFont MakeControlFont(int size, const QString& face, const QString& defaultFace);

// The form's default font: the application's general font (the desktop's
// choice, as the icon-title font was), or, when there is no usable one, a
// bold "宋体" of cell height 12.
QFont FormDefaultFont();
QFont FallbackFormFont();

// Maps the face names the definitions use ("宋体", "微软雅黑", "黑体", …) onto
// the CJK faces installed here. Idempotent; the dialogs and the controls call
// it before they make a font.
void InstallFontSubstitutions();

} // namespace zk
