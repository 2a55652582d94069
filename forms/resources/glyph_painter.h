#pragma once

#include <QRectF>
#include <QString>

class QPainter;

namespace zk {

// The office glyphs of the button bitmaps, in the order of their resource
// numbers (Add is bitmap 437, Approve bitmap 487).
enum class Glyph {
    Add,
    Delete,
    Edit,
    Save,
    Search,
    Print,
    Export,
    Import,
    Refresh,
    Left,
    Right,
    Up,
    Down,
    First,
    Last,
    Ok,
    Cancel,
    Close,
    Copy,
    Paste,
    Undo,
    Redo,
    Filter,
    Sort,
    Calendar,
    Clock,
    User,
    Group,
    Lock,
    Unlock,
    Key,
    Settings,
    Help,
    Info,
    Warning,
    Folder,
    Document,
    Mail,
    Phone,
    Home,
    Star,
    Chart,
    Table,
    Upload,
    Download,
    Link,
    Image,
    Barcode,
    Cart,
    Money,
    Approve,
    Count
};

Glyph GlyphForBitmap(int id);
QString GlyphName(Glyph glyph);
// Draws the glyph into the square `box` (a 16-unit drawing scaled to it).
void PaintGlyph(QPainter& painter, Glyph glyph, const QRectF& box);

} // namespace zk
