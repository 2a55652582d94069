#pragma once

class QPushButton;

namespace zk {

// The program's flat button look of its own dialogs: a light face with a thin
// border that turns blue under the pointer.
void StyleFlatButton(QPushButton& button);

} // namespace zk
