// The text parser on arbitrary bytes, in both whitespace modes: whatever loads must write out
// as text that loads again, and nothing may leak, crash or read past the input.
#include <cstdlib>
#include <string_view>

#include "FuzzTarget.h"
#include "XmlDom/XmlDocument.h"
#include "XmlDom/XmlNameTable.h"
#include "XmlDom/XmlNode.h"
#include "common/Error.h"

using namespace xmldom;

namespace {

// A table of the target's own instead of the shared one, renewed now and then so that it does
// not grow with every run (a fresh table per run would cost more than the parse).
TXmlNameTable* FuzzNameTable() {
  static Ref<TXmlNameTable> table;
  static int uses = 0;
  if (!table || ++uses % 4096 == 0) table = MakeLoose<TXmlNameTable>();
  return table.Get();
}

Ref<IXmlDocument> NewDocument(bool keepWhitespace) {
  auto document = MakeXmlDocument({}, {}, {}, FuzzNameTable());
  document->SetKeepWhitespace(keepWhitespace);
  return document;
}

void ParseAndReparse(std::string_view text, bool keepWhitespace) {
  auto document = NewDocument(keepWhitespace);
  bool loaded = true;
  try {
    document->LoadXML(text);
  } catch (const EXmlError&) {
    loaded = false;
  }
  const std::string written = document->GetXML();
  auto again = NewDocument(keepWhitespace);
  try {
    again->LoadXML(written);
  } catch (const EXmlError&) {
    // What the library wrote from a document it read whole must read back.
    if (loaded) std::abort();
  }
}

}  // namespace

ZEL_FUZZ_TARGET(xml_text) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  // Binary input is the other target's; here every byte string is XML text.
  if (text.substr(0, 14) == "< binary-xml >") return 0;
  ParseAndReparse(text, false);
  ParseAndReparse(text, true);
  if (TXmlNode::LiveCount() != 0) std::abort();
  return 0;
}
