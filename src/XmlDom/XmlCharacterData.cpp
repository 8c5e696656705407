#include "XmlDom/XmlCharacterData.h"

#include "XmlDom/StringBuilder.h"

namespace xmldom {

namespace {

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= 32;
}

}  // namespace

std::string TXmlCharacterData::GetText() {
  if (KeepsWhitespace()) return data_;
  std::size_t first = 0, last = data_.size();
  while (first < last && IsBlank(data_[first])) ++first;
  while (last > first && IsBlank(data_[last - 1])) --last;
  return data_.substr(first, last - first);
}

// A section may not hold "]]>": the text is cut after the first "]" of each occurrence and
// continued in the next section.
void TXmlCDATASection::WriteXml(TStringBuilder& out) {
  std::string_view rest = Data();
  for (;;) {
    const std::size_t at = rest.find("]]>");
    out.Add("<![CDATA[");
    if (at == std::string_view::npos) break;
    out.Add(rest.substr(0, at + 1));
    out.Add("]]>");
    rest.remove_prefix(at + 1);
  }
  out.Add(rest);
  out.Add("]]>");
}

Ref<TXmlNode> TXmlCDATASection::CloneSelf() {
  return MakeRef<TXmlCDATASection>(NameTable(), Data());
}

void TXmlComment::WriteXml(TStringBuilder& out) {
  out.Add("<!--");
  out.Add(Data());
  out.Add("-->");
}

Ref<TXmlNode> TXmlComment::CloneSelf() {
  return MakeRef<TXmlComment>(NameTable(), Data());
}

}  // namespace xmldom
