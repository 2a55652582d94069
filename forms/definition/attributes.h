#pragma once

#include "data/xml/xml_node.h"

#include <QString>

// Short attribute reads for the definition readers: the definition format's
// rule is that a missing text attribute reads as "" and a missing or empty
// number as its default.

namespace zk {

inline QString AttrText(const CXmlNode& node, const QString& name)
{
    QString value;
    node.GetAttribute(name, value);
    return value;
}

// By the leading-number rule ("12px" is 12); `def` when absent or empty.
inline int AttrInt(const CXmlNode& node, const QString& name, int def = 0)
{
    return node.GetAttribute(name, def);
}

} // namespace zk
