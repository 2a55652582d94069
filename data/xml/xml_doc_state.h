#pragma once

#include <pugixml.hpp>

#include <QtGlobal>

namespace zk {

// The parsed tree shared by a document and every handle taken from it, so that a
// handle keeps its tree alive after the document has loaded another text.
//
// pugixml frees nodes as soon as they are removed, while handles may still point at
// them. Every removal therefore bumps `removals`; a handle that saw an older count
// checks that its node is still in the tree before touching it.
struct XmlDocState {
    pugi::xml_document doc;
    quint64 removals = 0;
};

} // namespace zk
