// Our trees against libxml2's for the same bytes, on documents inside our grammar: element and
// attribute names, attribute values in order, text after references are expanded, comments,
// CDATA sections and processing instructions must be the same.
//
// Both trees are written as one canonical listing. What the two libraries keep differently by
// design is evened out on our side only: libxml2 ends every line with LF and turns tabs and
// line breaks in attribute values into spaces, keeps namespace declarations apart from the
// other attributes, starts instruction data after the whitespace that follows the target, has
// no node for the XML declaration and keeps no text at the top level. Empty text nodes and
// adjacent text runs (around a skipped DOCTYPE) are ours alone.
#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <string>

#include "XmlDom/XmlNodeClasses.h"
#include "XmlTestSupport.h"
#include "common/RecordDocument.h"
#include "common/TestSupport.h"

using namespace xmldom;

namespace {

std::string LineEndsAsLf(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string AttributeValueAsLibxml2(std::string_view value) {
  std::string out = LineEndsAsLf(value);
  for (char& c : out)
    if (c == '\t' || c == '\n') c = ' ';
  return out;
}

bool IsNamespaceDeclaration(std::string_view name) {
  return name == "xmlns" || name.substr(0, 6) == "xmlns:";
}

// ---- Our tree.

class TOurListing {
 public:
  std::string Of(TXmlDocument& document) {
    Children(document, true);
    return out_;
  }

 private:
  void Children(TXmlNode& node, bool topLevel) {
    std::string text;
    for (TXmlNode* child : node.Children()) {
      if (child->GetNodeType() == kTextNode) {
        if (!topLevel) text += child->GetText();
        continue;
      }
      Text(text);
      Node(*child, topLevel);
    }
    Text(text);
  }

  void Text(std::string& text) {
    if (!text.empty()) out_ += "text " + LineEndsAsLf(text) + "\n";
    text.clear();
  }

  void Node(TXmlNode& node, bool topLevel) {
    switch (node.GetNodeType()) {
      case kElementNode: {
        out_ += "element " + node.GetNodeName() + "\n";
        std::string declarations;
        for (const TXmlAttrData& attribute : node.Attributes()) {
          const std::string name(node.NameTable().NameView(attribute.NameId));
          const std::string line =
              name + "=" + AttributeValueAsLibxml2(attribute.Value.Get().ByteView()) + "\n";
          if (IsNamespaceDeclaration(name))
            declarations += " namespace " + line;
          else
            out_ += " attribute " + line;
        }
        out_ += declarations;
        Children(node, false);
        out_ += "end\n";
        return;
      }
      case kCDataSectionNode:
        out_ += "cdata " + LineEndsAsLf(static_cast<TXmlCDATASection&>(node).Data()) + "\n";
        return;
      case kCommentNode:
        out_ += "comment " + LineEndsAsLf(static_cast<TXmlComment&>(node).Data()) + "\n";
        return;
      case kProcessingInstructionNode: {
        if (topLevel && node.GetNodeNameIndex() == kXmlNameId) return;
        std::string data(static_cast<TXmlProcessingInstruction&>(node).Data());
        data.erase(0, data.find_first_not_of(" \t\r\n"));
        out_ += "pi " + node.GetNodeName() + " " + LineEndsAsLf(data) + "\n";
        return;
      }
      case kTextNode:
      case kDocumentNode:
        break;
    }
    out_ += "unexpected node\n";
  }

  std::string out_;
};

// ---- libxml2's tree.

std::string Utf8(const xmlChar* text) {
  return text ? reinterpret_cast<const char*>(text) : "";
}

std::string QualifiedName(const xmlChar* name, const xmlNs* ns) {
  return ns && ns->prefix ? Utf8(ns->prefix) + ":" + Utf8(name) : Utf8(name);
}

class TLibxml2Listing {
 public:
  std::string Of(xmlDocPtr document) {
    for (xmlNodePtr child = document->children; child; child = child->next) Node(child, true);
    return out_;
  }

 private:
  void Node(xmlNodePtr node, bool topLevel) {
    switch (node->type) {
      case XML_ELEMENT_NODE:
        Text();
        out_ += "element " + QualifiedName(node->name, node->ns) + "\n";
        for (xmlAttrPtr attribute = node->properties; attribute; attribute = attribute->next) {
          xmlChar* value = xmlNodeListGetString(node->doc, attribute->children, 1);
          out_ += " attribute " + QualifiedName(attribute->name, attribute->ns) + "=" +
                  Utf8(value) + "\n";
          xmlFree(value);
        }
        for (xmlNsPtr ns = node->nsDef; ns; ns = ns->next)
          out_ += std::string(" namespace ") +
                  (ns->prefix ? "xmlns:" + Utf8(ns->prefix) : "xmlns") + "=" + Utf8(ns->href) +
                  "\n";
        for (xmlNodePtr child = node->children; child; child = child->next) Node(child, false);
        Text();
        out_ += "end\n";
        return;
      case XML_TEXT_NODE:
        if (!topLevel) text_ += Utf8(node->content);
        return;
      case XML_CDATA_SECTION_NODE:
        Text();
        out_ += "cdata " + Utf8(node->content) + "\n";
        return;
      case XML_COMMENT_NODE:
        Text();
        out_ += "comment " + Utf8(node->content) + "\n";
        return;
      case XML_PI_NODE:
        Text();
        out_ += "pi " + Utf8(node->name) + " " + Utf8(node->content) + "\n";
        return;
      default:  // the DTD
        return;
    }
  }

  void Text() {
    if (!text_.empty()) out_ += "text " + text_ + "\n";
    text_.clear();
  }

  std::string out_, text_;
};

// Compared whole, not printed: the listings of real documents are megabytes long. The first
// line that differs is shown.
void ExpectSameTrees(const std::string& text) {
  auto ours = MakeXmlDocument();
  ours->SetKeepWhitespace(true);
  ours->LoadXML(text);
  const std::string ourListing = TOurListing().Of(static_cast<TXmlDocument&>(*ours));

  xmlDocPtr theirs = xmlReadMemory(text.data(), int(text.size()), "input.xml", nullptr,
                                   XML_PARSE_NONET | XML_PARSE_HUGE);
  ASSERT_NE(theirs, nullptr) << "libxml2 refuses the input";
  const std::string theirListing = TLibxml2Listing().Of(theirs);
  // The XML declaration: ours holds it as attributes, libxml2 as the document's fields.
  const Ref<IXmlNode> first =
      ours->GetChildNodes()->GetCount() > 0 ? ours->GetChildNodes()->GetItem(0) : nullptr;
  if (first && first->GetNodeNameIndex() == kXmlNameId) {
    EXPECT_EQ(first->GetTextAttr("version", ""), Utf8(theirs->version));
    EXPECT_EQ(first->GetTextAttr("encoding", ""), Utf8(theirs->encoding));
  }
  xmlFreeDoc(theirs);

  EXPECT_TRUE(ourListing == theirListing);
  if (ourListing != theirListing) {
    std::size_t at = 0;
    while (at < ourListing.size() && at < theirListing.size() && ourListing[at] == theirListing[at])
      ++at;
    const std::size_t line = ourListing.rfind('\n', at == 0 ? 0 : at - 1) + 1;
    ADD_FAILURE() << "first difference:\n  ours:    " << ourListing.substr(line, 200)
                  << "\n  libxml2: " << theirListing.substr(line, 200);
  }
}

class AgainstLibxml2 : public TXmlTest {};

TEST_F(AgainstLibxml2, TheSharedMimeDatabase) {
  const std::string mime =
      testing_support::ReadWholeFile("/usr/share/mime/packages/freedesktop.org.xml");
  if (mime.empty()) GTEST_SKIP() << "freedesktop.org.xml is not installed";
  ExpectSameTrees(mime);
}

TEST_F(AgainstLibxml2, GeneratedRecordDocuments) {
  for (std::uint32_t seed : {1u, 2u, 3u})
    ExpectSameTrees(testing_support::GenerateRecordDocument(400000, seed));
}

TEST_F(AgainstLibxml2, EveryConstruct) {
  ExpectSameTrees(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
      "<!DOCTYPE r [\n<!ELEMENT r ANY>\n<!-- ]> -->\n]>\n"
      "<?top level?>\n"
      "<r xmlns=\"urn:a\" a=\"1\" xmlns:p=\"urn:p\" p:b='x\"y' c=\"&lt;&amp;&gt;&quot;&apos;\">\r\n"
      "  text &amp; &#65;&#x42; more\r\n"
      "  <p:e\t\r\nx = 'a\tb\r\nc' />\n"
      "  <![CDATA[ <raw> & ]] ]]>\n"
      "  <!-- a comment - inside -->\n"
      "  <?pi   data ? here?>\n"
      "  <empty></empty><nested><deeper>t</deeper></nested>\r"
      "</r>\n<!-- after -->");
}

}  // namespace
