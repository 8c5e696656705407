#include "XmlDom/XmlProcessingInstruction.h"

#include "XmlDom/StringBuilder.h"
#include "XmlDom/XmlSerializer.h"

namespace xmldom {

void TXmlProcessingInstruction::WriteXml(TStringBuilder& out) {
  out.Add("<?");
  out.Add(NameTable().NameView(targetId_));
  if (data_.empty()) {
    WriteXmlAttributes(*this, out);
  } else {
    // Parsed data keeps the whitespace that followed the target; adding a space in front of it
    // as well would grow the instruction by one space on every load and save.
    if (static_cast<unsigned char>(data_[0]) > 32) out.Add(' ');
    out.Add(data_);
  }
  out.Add("?>");
}

// The attributes (the XML declaration's version and encoding) and children are not copied.
Ref<TXmlNode> TXmlProcessingInstruction::CloneSelf() {
  return MakeRef<TXmlProcessingInstruction>(NameTable(), targetId_, data_);
}

}  // namespace xmldom
