#pragma once

#include "runtime/definition/form_head.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QString>

class QPainter;

// The drawn background of a form (the head's `bg` elements): pictures, lines,
// arrows, rectangles, ellipses and texts, drawn in order with anti-aliasing.

namespace zk {

class FormBackground {
public:
    void Draw(QPainter& painter, const QList<BackgroundDrawing>& drawings,
              const QString& defaultFace);

private:
    // A picture by its `text`: a path below the program folder, or a URL
    // (starting with "http") fetched once.
    QImage LoadPicture(const QString& text);

    QHash<QString, QImage> pictures_;
};

} // namespace zk
