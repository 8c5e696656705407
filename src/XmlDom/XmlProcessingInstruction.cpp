#include "XmlDom/XmlProcessingInstruction.h"

#include "XmlDom/StringBuilder.h"
#include "XmlDom/XmlPlacedValue.h"
#include "XmlDom/XmlSerializer.h"

namespace xmldom {

TXmlProcessingInstruction::TXmlProcessingInstruction(TXmlStoreKey, TXmlNameTable& table,
                                                     int targetId, std::string_view data)
    : TXmlNodeOn(kKind, table, targetId), data_(PlaceString(Store(), data)) {}

TXmlProcessingInstruction::~TXmlProcessingInstruction() {
  UnplaceValue(Store(), data_);
}

void TXmlProcessingInstruction::SetText(std::string_view text) {
  ReplacePlacedString(Store(), data_, text);
}

void TXmlProcessingInstruction::WriteXml(TStringBuilder& out) {
  out.Add("<?");
  out.Add(NameTable().NameView(TargetId()));
  const std::string_view data = Data();
  if (data.empty()) {
    WriteXmlAttributes(*this, out);
  } else {
    // Parsed data keeps the whitespace that followed the target; adding a space in front of it
    // as well would grow the instruction by one space on every load and save.
    if (static_cast<unsigned char>(data[0]) > 32) out.Add(' ');
    out.Add(data);
  }
  out.Add("?>");
}

// The attributes (the XML declaration's version and encoding) and children are not copied.
Ref<TXmlNode> TXmlProcessingInstruction::CloneSelf(TXmlNodeStore& store) {
  return store.Make<TXmlProcessingInstruction>(NameTable(), TargetId(), Data());
}

}  // namespace xmldom
