#include "forms/dialogs/flat_button.h"

#include <QPushButton>

namespace zk {

void StyleFlatButton(QPushButton& button)
{
    button.setFlat(true);
    button.setCursor(Qt::PointingHandCursor);
    button.setStyleSheet(QStringLiteral(
        "QPushButton { background: #f4f6f9; color: #1f2d3d; border: 1px solid #c3ccd8;"
        " border-radius: 3px; padding: 3px 14px; }"
        "QPushButton:hover { background: #e6f0fb; border-color: #3c84d6; }"
        "QPushButton:pressed { background: #d2e4f8; }"
        "QPushButton:focus { border-color: #3c84d6; }"
        "QPushButton:disabled { color: #9aa5b1; }"));
}

} // namespace zk
