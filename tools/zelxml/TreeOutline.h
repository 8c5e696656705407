#pragma once

// A readable outline of a tree, one node per line, indented by two spaces per level:
//
//   document
//     element item
//       @id = "1" (256)
//       text "kilo charlie & foxtrot" (256)
//     comment " record 1 "
//     pi xml-stylesheet " href=\"a.css\""
//
// Values are shown in their text form with their type codes; texts are quoted, with "\"",
// "\\" and the control characters escaped (\r, \n, \t, \xNN).

#include <ostream>

namespace xmldom {
class TXmlNode;
}

void WriteTreeOutline(xmldom::TXmlNode& root, std::ostream& out);
