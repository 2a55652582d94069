#include "data/xml/xml_nodes.h"
#include "forms/definition/detail_readers.h"

namespace zk::definition_detail {

namespace {

GridColumnElement ReadColumn(const CXmlNodePtr& col, const DefinitionMessages& messages)
{
    GridColumnElement c;
    c.colId = AttrInt(*col, QStringLiteral("col_id"));
    c.id = AttrInt(*col, QStringLiteral("id"));
    c.hiddenWnd = AttrInt(*col, QStringLiteral("hidden_wnd"));
    c.format = AttrInt(*col, QStringLiteral("format"));
    c.width = AttrInt(*col, QStringLiteral("width"));
    c.sort = AttrInt(*col, QStringLiteral("sort"));
    c.type = AttrInt(*col, QStringLiteral("type"));
    c.colorBg =
        ReadOptionalColor(AttrText(*col, QStringLiteral("color_bg")), messages).value_or(kRgbWhite);
    c.colorText = ReadOptionalColor(AttrText(*col, QStringLiteral("color_text")), messages)
                      .value_or(kRgbBlack);
    c.title = AttrText(*col, QStringLiteral("title"));
    c.sum = AttrInt(*col, QStringLiteral("sum"));
    c.endEdit = col->GetChild(QStringLiteral("ENDEDIT"));
    c.element = col;
    return c;
}

} // namespace

GridDefinition ReadGrid(const CXmlNode& table, const DefinitionMessages& messages)
{
    GridDefinition grid;
    const CXmlNodePtr para = table.GetChild(QStringLiteral("PARA"));
    if (para->IsNull())
        return grid;
    grid.para = para;
    grid.tableInfo = para->GetChild(QStringLiteral("table_info"));
    // Only the first option element counts.
    const CXmlNodePtr firstOption = grid.tableInfo->GetChildren()->GetItem(0);
    grid.colouredByColumn =
        firstOption->GetAttribute(QStringLiteral("is_col_color"), QStringLiteral("0")) != u"0";
    grid.colInfo = para->GetChild(QStringLiteral("col_info"));
    const CXmlNodesPtr cols = grid.colInfo->GetChildren();
    const int count = cols->GetCount();
    grid.columns.reserve(count);
    for (int i = 0; i < count; ++i)
        grid.columns.append(ReadColumn(cols->GetItem(i), messages));
    return grid;
}

} // namespace zk::definition_detail

namespace zk {

QList<GridColumnElement> GridDefinition::ShownColumns() const
{
    QList<GridColumnElement> shown;
    for (const GridColumnElement& c : columns) {
        if (c.shownInGrid())
            shown.append(c);
    }
    return shown;
}

} // namespace zk
