#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace zk {

// The program's own pictures, addressed by the resource numbers the form
// definitions and the code use. Every picture is drawn here with QPainter
// (nothing is loaded from files) and cached in QPixmapCache.
inline constexpr int kWindowIconId = 408;
inline constexpr int kHandCursorId = 431;
inline constexpr int kFirstButtonBitmapId = 437;
inline constexpr int kLastButtonBitmapId = 487;
inline constexpr int kFirstBadgeIconId = 491;
inline constexpr int kLastBadgeIconId = 500;

// Button bitmaps 437–487 (16 × 16), the window icon 408 (32 × 32) and the
// badge icons 491–500 (16 × 16); a null pixmap for any other number.
QPixmap ProgramPixmap(int id);
QIcon ProgramIcon(int id);
// 431 is the hand cursor; any other number gives the arrow.
QCursor ProgramCursor(int id);

// The glyph a button bitmap shows ("add", "save", …); empty outside 437–487.
QString ButtonBitmapName(int id);

} // namespace zk
