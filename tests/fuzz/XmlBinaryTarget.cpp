// The binary reader on arbitrary bytes: whatever loads must write and read back to the same
// bytes, and no count or index in the input may crash it, make it read out of bounds or make
// it allocate beyond reason.
#include <cstdlib>
#include <string>

#include "FuzzTarget.h"
#include "XmlDom/XmlDocument.h"
#include "XmlDom/XmlNode.h"
#include "common/Error.h"

using namespace xmldom;

namespace {

void LoadWriteAndReload(const std::string& bytes) {
  auto document = MakeXmlDocument();
  try {
    document->LoadBinaryString(bytes);
  } catch (const EXmlError&) {
    return;
  }
  std::string written;
  try {
    written = document->ToBinaryString();
  } catch (const EXmlError&) {
    // A value kind the writer refuses can only come from input the reader should have refused.
    std::abort();
  }
  auto again = MakeXmlDocument();
  again->LoadBinaryString(written);
  if (again->ToBinaryString() != written) std::abort();
}

}  // namespace

// The input is what follows the signature, so that no run is spent finding it.
ZEL_FUZZ_TARGET(xml_binary) {
  std::string bytes = "< binary-xml >";
  bytes.append(reinterpret_cast<const char*>(data), size);
  LoadWriteAndReload(bytes);
  if (TXmlNode::LiveCount() != 0) std::abort();
  return 0;
}
