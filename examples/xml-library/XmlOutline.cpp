// xml-outline IN OUT: loads an XML document, prints the outline of its elements (names,
// attributes, texts), counts them into an attribute of the document element and saves the
// document to OUT.
//
// Names and texts are bytes of the document's code page (windows-1251 by default), printed as
// they are. Every failure of the library is an EXmlError carrying its message.

#include <cstdio>
#include <string>

#include "XmlDom/XmlDom.h"
#include "common/Error.h"

using namespace xmldom;

namespace {

// The element, its attributes and its own text on one line, then its child elements one level
// deeper. The library refuses documents nested deeper than 1000 levels, so recursion is safe.
int PrintElement(IXmlNode& element, int depth) {
  std::string line(std::size_t(2 * depth), ' ');
  line += element.GetNodeName();
  for (int i = 0; i < element.GetAttributeCount(); ++i) {
    const std::string name = element.GetAttributeName(i);
    line += " " + name + "=\"" + element.GetTextAttr(name, "") + "\"";
  }
  if (const std::string text = element.GetDirectText(); !text.empty()) line += ": " + text;
  std::printf("%s\n", line.c_str());

  int elements = 1;
  Ref<IXmlNodeList> children = element.GetChildNodes();
  for (int i = 0; i < children->GetCount(); ++i) {
    Ref<IXmlNode> child = children->GetItem(i);
    if (child->GetNodeType() == kElementNode) elements += PrintElement(*child, depth + 1);
  }
  return elements;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: xml-outline IN OUT\n");
    return 2;
  }
  try {
    Ref<IXmlDocument> document = MakeXmlDocument();
    document->Load(argv[1]);
    Ref<IXmlElement> root = document->GetDocumentElement();
    if (!root) {
      std::fprintf(stderr, "xml-outline: %s holds no element\n", argv[1]);
      return 1;
    }
    const int elements = PrintElement(*root, 0);
    root->SetIntAttr("elements", elements);
    document->Save(argv[2]);
    std::printf("%d elements; saved to %s\n", elements, argv[2]);
  } catch (const EXmlError& error) {
    std::fprintf(stderr, "xml-outline: %s\n", error.what());
    return 1;
  }
  return 0;
}
