#include "XmlDom/XmlCharacterData.h"

#include "XmlDom/StringBuilder.h"
#include "XmlDom/XmlPlacedValue.h"

namespace xmldom {

namespace {

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= 32;
}

}  // namespace

template <class Interface>
TXmlCharacterData<Interface>::TXmlCharacterData(TXmlKind kind, TXmlNameTable& table, int nameId,
                                                std::string_view data)
    : TXmlNodeOn<Interface>(kind, table, nameId), data_(PlaceString(this->Store(), data)) {}

template <class Interface>
TXmlCharacterData<Interface>::~TXmlCharacterData() {
  UnplaceValue(this->Store(), data_);
}

template <class Interface>
void TXmlCharacterData<Interface>::SetText(std::string_view text) {
  ReplacePlacedString(this->Store(), data_, text);
}

template <class Interface>
std::string TXmlCharacterData<Interface>::GetText() {
  const std::string_view data = Data();
  if (this->KeepsWhitespace()) return std::string(data);
  std::size_t first = 0, last = data.size();
  while (first < last && IsBlank(data[first])) ++first;
  while (last > first && IsBlank(data[last - 1])) --last;
  return std::string(data.substr(first, last - first));
}

template class TXmlCharacterData<IXmlCDATASection>;
template class TXmlCharacterData<IXmlComment>;

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

Ref<TXmlNode> TXmlCDATASection::CloneSelf(TXmlNodeStore& store) {
  return store.Make<TXmlCDATASection>(NameTable(), Data());
}

void TXmlComment::WriteXml(TStringBuilder& out) {
  out.Add("<!--");
  out.Add(Data());
  out.Add("-->");
}

Ref<TXmlNode> TXmlComment::CloneSelf(TXmlNodeStore& store) {
  return store.Make<TXmlComment>(NameTable(), Data());
}

}  // namespace xmldom
