#pragma once

#include <QIcon>
#include <QList>
#include <QRect>
#include <QString>

class QPainter;
class QPushButton;
class QWidget;

namespace zk {

// The drawn look of the shell's own windows: flat buttons, the login background and the
// images of the navigation trees.

// A flat push button with window id `id` (its object name), text and tooltip, placed at
// `rect` in the parent's client area.
QPushButton* MakeShellButton(QWidget* parent, int id, const QString& text, const QString& tooltip,
                             const QRect& rect);
// An image-only button (40 × 36) showing one of the program's button bitmaps.
QPushButton* MakeImageButton(QWidget* parent, int id, int bitmapId, const QString& tooltip,
                             const QRect& rect);
// A two-state mode button of 120 × 26: the checked state marks the current mode.
QPushButton* MakeModeButton(QWidget* parent, int id, const QString& text, const QString& tooltip,
                            const QRect& rect);

void PaintLoginBackground(QPainter& painter, const QRect& area, const QString& company);

// The 20 images of the navigation trees (16 × 16): 0–9 folders, 10–19 leaves, each ten in
// their own colour.
QList<QIcon> NavigationTreeImages();

// The image of a tree item: order modulo 10, plus 10 for a leaf.
int NavigationImageIndex(int order, bool leaf);

} // namespace zk
