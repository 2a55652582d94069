#include "forms/controls/control_font.h"

#include <QApplication>
#include <QFontInfo>
#include <QStringList>

namespace zk {

namespace {

// Faces of the definitions and what stands in for them on this system, in
// order of preference; fontconfig also falls back for any other face.
QStringList SerifCjkFaces()
{
    return {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC"),
            QStringLiteral("WenQuanYi Zen Hei")};
}

QStringList SansCjkFaces()
{
    return {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei")};
}

} // namespace

int FontCellHeight(int size)
{
    return size * 4 / 3;
}

QFont MakeControlFont(int size, const QString& face, const QString& defaultFace)
{
    InstallFontSubstitutions();
    QFont font(face.isEmpty() ? defaultFace : face);
    font.setStyleHint(QFont::SansSerif);
    // A size of 0 or less has no cell height; Qt needs a positive one.
    font.setPixelSize(qMax(1, FontCellHeight(size)));
    font.setWeight(QFont::Bold);
    return font;
}

QFont FallbackFormFont()
{
    InstallFontSubstitutions();
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(FontCellHeight(9));
    font.setWeight(QFont::Bold);
    return font;
}

QFont FormDefaultFont()
{
    InstallFontSubstitutions();
    if (!qApp)
        return FallbackFormFont();
    const QFont font = QApplication::font();
    if (font.family().isEmpty() || QFontInfo(font).pixelSize() <= 0)
        return FallbackFormFont();
    return font;
}

void InstallFontSubstitutions()
{
    const auto add = [](const char* face, const QStringList& faces) {
        const QString name = QString::fromUtf8(face);
        if (QFont::substitutes(name).isEmpty())
            QFont::insertSubstitutions(name, faces);
    };
    add("宋体", SerifCjkFaces());
    add("新宋体", SerifCjkFaces());
    add("SimSun", SerifCjkFaces());
    add("NSimSun", SerifCjkFaces());
    add("仿宋", SerifCjkFaces());
    add("楷体", SerifCjkFaces());
    add("微软雅黑", SansCjkFaces());
    add("Microsoft YaHei", SansCjkFaces());
    add("Microsoft YaHei UI", SansCjkFaces());
    add("黑体", SansCjkFaces());
    add("SimHei", SansCjkFaces());
    add("MS Shell Dlg", SansCjkFaces());
    add("MS Shell Dlg 2", SansCjkFaces());
}

} // namespace zk
