#pragma once

// The RapidXML headers as Debian ships them (1.13): its printer calls functions before their
// declaration, which today's compilers refuse, so they are declared here first.

#include <rapidxml/rapidxml.hpp>

namespace rapidxml::internal {
#define ZEL_RAPIDXML_PRINTER(name) \
  template <class OutIt, class Ch> \
  OutIt name(OutIt out, const xml_node<Ch>* node, int flags, int indent);
ZEL_RAPIDXML_PRINTER(print_children)
ZEL_RAPIDXML_PRINTER(print_element_node)
ZEL_RAPIDXML_PRINTER(print_data_node)
ZEL_RAPIDXML_PRINTER(print_cdata_node)
ZEL_RAPIDXML_PRINTER(print_declaration_node)
ZEL_RAPIDXML_PRINTER(print_comment_node)
ZEL_RAPIDXML_PRINTER(print_doctype_node)
ZEL_RAPIDXML_PRINTER(print_pi_node)
#undef ZEL_RAPIDXML_PRINTER
}  // namespace rapidxml::internal

#include <rapidxml/rapidxml_print.hpp>
#include <rapidxml/rapidxml_utils.hpp>
