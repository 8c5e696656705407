#pragma once

// The grammar of XML text: content is a run of text, elements, comments, CDATA sections,
// processing instructions and DOCTYPE declarations.
//
// Text is taken byte for byte: no encoding is examined and nothing is transcoded. Only the five
// predefined entities and numeric character references are known; there are no namespaces (a
// colon is an ordinary name character) and a DOCTYPE declaration is skipped, its internal
// subset included (entities declared there are not known either).

namespace xmldom {

class TXmlNodeList;
class TXmlNameTable;
class TXmlSource;

// Reads content from the source's current character and appends every node it makes to list,
// interning names in table. Returns at the end of the input, or at an end tag ("</") of the
// list's own level, with its "/" current. With keepWhitespace every text run becomes a text
// node, the empty ones included; without, runs of characters of code 0 to 32 make none.
//
// Nodes are appended as they are recognised, so after a failure the list keeps what was read,
// the element being read included. Elements may nest kMaxXmlDepth levels (XmlLimits.h) deep;
// the reader keeps its open elements in a list of its own, not on the call stack.
void ReadContent(TXmlNodeList& list, TXmlSource& source, TXmlNameTable& table, bool keepWhitespace);

}  // namespace xmldom
