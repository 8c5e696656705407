#pragma once

// Writing trees as XML text. Each element is written in the layout its owning document's
// KeepWhitespace chooses: set, the compact layout writes the tree exactly as held; clear (and
// for nodes without a document), the indented layout starts every element on a new line (CR LF)
// indented with one TAB per level. Text, comments, CDATA sections and processing instructions
// are written where they fall, without line breaks of their own.

namespace xmldom {

class TStringBuilder;
class TXmlNode;

// The element levels whose children are being written in the indented layout; 0 whenever no
// writing is in progress. Process-wide, like the library itself single-threaded; only the tree
// writer changes it, and it restores the depth it began with however writing ends.
int XmlIndentDepth() noexcept;
// Written once per level.
inline constexpr char XmlIndentUnit = '\t';

// Appends the XML of an element or a document and everything below it. The tree is walked
// without recursion, so its depth is limited by memory, not by the call stack.
void WriteXmlTree(TXmlNode& root, TStringBuilder& out);

// Appends ` name="value"` for each attribute in order, values escaped.
void WriteXmlAttributes(const TXmlNode& node, TStringBuilder& out);

}  // namespace xmldom
