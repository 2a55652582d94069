#pragma once

#include "forms/layout/layout_definition.h"

// Layout elements as the body reader would hand them over.

namespace zk::test {

using layout::LayoutElement;

inline LayoutElement Control(int id, int director = 3, int hidden = 0)
{
    LayoutElement e;
    e.kind = LayoutElement::Kind::Control;
    e.id = id;
    e.director = director;
    e.hidden = hidden;
    return e;
}

inline LayoutElement Group(int id, QList<int> targets, int director = 15, int desp = 0)
{
    LayoutElement e;
    e.kind = LayoutElement::Kind::Group;
    e.id = id;
    e.targetIds = std::move(targets);
    e.hgap = 8;
    e.vgap = 6;
    e.director = director;
    e.desp = desp;
    return e;
}

inline LayoutElement Split(const QString& name, const QString& value, int desp = 0)
{
    LayoutElement e;
    e.kind = LayoutElement::Kind::Split;
    e.name = name;
    e.value = value;
    e.desp = desp;
    return e;
}

} // namespace zk::test
