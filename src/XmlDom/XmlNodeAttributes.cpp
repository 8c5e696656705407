// The attribute operations of nodes: finding, setting and removing attributes, and the typed
// getters and setters with their defaults and conversions. A getter returns its default only
// for an absent attribute; a present value that does not convert raises the conversion error.
#include <utility>

#include "XmlDom/XmlConvert.h"
#include "XmlDom/XmlErrors.h"
#include "XmlDom/XmlNode.h"
#include "common/Error.h"
#include "common/FormatText.h"
#include "common/Messages.h"

namespace xmldom {

namespace {

[[noreturn]] void RaiseNotSet(std::string_view name) {
  throw EXmlError(FormatText(msg::kAttributeNotSet, {name}));
}

// The converted value, or the default when there is none.
template <class Result, class Convert>
Result ConvertedOr(const XmlValue* value, Result def, Convert convert) {
  return value ? Result(convert(*value)) : def;
}

std::string JoinLines(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) {
    if (&word != &words.front()) text += "\r\n";
    text += word;
  }
  return text;
}

}  // namespace

// ---- Finding, setting, removing.

const XmlValue* TXmlNode::FindAttribute(int id) const noexcept {
  const TXmlAttrData* attribute = attributes_.Find(id);
  return attribute ? &attribute->Value.Get() : nullptr;
}

const XmlValue& TXmlNode::RequiredAttribute(int id) const {
  const XmlValue* value = FindAttribute(id);
  if (!value) RaiseNotSet(NameTable().NameView(id));
  return *value;
}

const XmlValue& TXmlNode::RequiredAttribute(std::string_view name) {
  const XmlValue* value = FindAttribute(AttributeId(name));
  if (!value) RaiseNotSet(name);
  return *value;
}

int TXmlNode::GetAttributeNameIndex(int index) {
  if (index < 0 || index >= attributes_.Count()) RaiseListIndexError();
  return attributes_[index].NameId;
}

std::string TXmlNode::GetAttributeName(int index) {
  return NameTable().NameOfIndex(GetAttributeNameIndex(index));
}

void TXmlNode::RemoveAttribute(std::string_view name) {
  RemoveAttribute(AttributeId(name));
}
void TXmlNode::RemoveAttribute(int id) {
  attributes_.Remove(Store(), id);
}

bool TXmlNode::HasAttribute(std::string_view name) {
  return HasAttribute(AttributeId(name));
}

int TXmlNode::GetAttributeType(int id) {
  const XmlValue* value = FindAttribute(id);
  return value ? int(value->Type()) : int(xvtString);
}
int TXmlNode::GetAttributeType(std::string_view name) {
  return GetAttributeType(AttributeId(name));
}

XmlValue TXmlNode::GetValueAttr(int id, const XmlValue& def) {
  const XmlValue* value = FindAttribute(id);
  return value ? *value : def;
}
XmlValue TXmlNode::GetValueAttr(std::string_view name, const XmlValue& def) {
  return GetValueAttr(AttributeId(name), def);
}

void TXmlNode::SetValueAttr(int id, const XmlValue& value) {
  if (id == -1) throw EXmlError(msg::kAttributeNameMissing);
  CheckNameId(id);
  attributes_.Set(Store(), id, value);
}
void TXmlNode::SetValueAttr(std::string_view name, const XmlValue& value) {
  SetValueAttr(AttributeId(name), value);
}

XmlValue TXmlNode::RequireValueAttr(int id) {
  return RequiredAttribute(id);
}
// The by-name form answers the value's text, unlike the by-id form.
XmlValue TXmlNode::RequireValueAttr(std::string_view name) {
  return XmlValue::FromString(RequireTextAttr(name));
}

// ---- Typed access.

std::string TXmlNode::RequireTextAttr(int id) {
  return XmlValueToGeneralText(RequiredAttribute(id));
}
std::string TXmlNode::RequireTextAttr(std::string_view name) {
  return XmlValueToGeneralText(RequiredAttribute(name));
}

std::string TXmlNode::GetTextAttr(int id, std::string_view def) {
  return ConvertedOr(FindAttribute(id), std::string(def), XmlValueToGeneralText);
}
std::string TXmlNode::GetTextAttr(std::string_view name, std::string_view def) {
  return GetTextAttr(AttributeId(name), def);
}
void TXmlNode::SetTextAttr(int id, std::string_view text) {
  SetValueAttr(id, XmlValue::FromString(text));
}
void TXmlNode::SetTextAttr(std::string_view name, std::string_view text) {
  SetTextAttr(AttributeId(name), text);
}

bool TXmlNode::GetBoolAttr(int id, bool def) {
  return ConvertedOr(FindAttribute(id), def, XmlValueToBool);
}
bool TXmlNode::GetBoolAttr(std::string_view name, bool def) {
  return GetBoolAttr(AttributeId(name), def);
}
void TXmlNode::SetBoolAttr(int id, bool value) {
  SetValueAttr(id, XmlValue::FromBoolean(value));
}
void TXmlNode::SetBoolAttr(std::string_view name, bool value) {
  SetBoolAttr(AttributeId(name), value);
}

int TXmlNode::GetIntAttr(int id, int def) {
  return ConvertedOr(FindAttribute(id), def, XmlValueToInt);
}
int TXmlNode::GetIntAttr(std::string_view name, int def) {
  return GetIntAttr(AttributeId(name), def);
}
void TXmlNode::SetIntAttr(int id, int value) {
  SetValueAttr(id, XmlValue::FromInt32(value));
}
void TXmlNode::SetIntAttr(std::string_view name, int value) {
  SetIntAttr(AttributeId(name), value);
}

TXmlDateTime TXmlNode::GetDateAttr(int id, TXmlDateTime def) {
  return ConvertedOr(FindAttribute(id), def, XmlValueToDateTime);
}
TXmlDateTime TXmlNode::GetDateAttr(std::string_view name, TXmlDateTime def) {
  return GetDateAttr(AttributeId(name), def);
}
void TXmlNode::SetDateAttr(int id, TXmlDateTime value) {
  SetValueAttr(id, XmlValue::FromDateTime(value));
}
void TXmlNode::SetDateAttr(std::string_view name, TXmlDateTime value) {
  SetDateAttr(AttributeId(name), value);
}

double TXmlNode::GetDoubleAttr(int id, double def) {
  return ConvertedOr(FindAttribute(id), def, XmlValueToDouble);
}
double TXmlNode::GetDoubleAttr(std::string_view name, double def) {
  return GetDoubleAttr(AttributeId(name), def);
}
double TXmlNode::RequireDoubleAttr(int id) {
  return XmlValueToDouble(RequiredAttribute(id));
}
double TXmlNode::RequireDoubleAttr(std::string_view name) {
  return XmlValueToDouble(RequiredAttribute(name));
}
void TXmlNode::SetDoubleAttr(int id, double value) {
  SetValueAttr(id, XmlValue::FromFloat64(value));
}
void TXmlNode::SetDoubleAttr(std::string_view name, double value) {
  SetDoubleAttr(AttributeId(name), value);
}

// "$" joined in front of the value's text, read as an integer.
int TXmlNode::GetHexNumberAttr(int id, int def) {
  return ConvertedOr(FindAttribute(id), def, [](const XmlValue& value) {
    return XmlHexTextToInt(XmlValueToGeneralText(value));
  });
}
int TXmlNode::GetHexNumberAttr(std::string_view name, int def) {
  return GetHexNumberAttr(AttributeId(name), def);
}
void TXmlNode::SetHexNumberAttr(int id, int value, int digits) {
  SetTextAttr(id, XmlIntToHexText(value, digits));
}
void TXmlNode::SetHexNumberAttr(std::string_view name, int value, int digits) {
  SetHexNumberAttr(AttributeId(name), value, digits);
}

// ---- Word lists.

// The index of the value's text among the words, letter case ignored.
int TXmlNode::ChoiceIndex(int id, const XmlValue& value, const std::vector<std::string>& words) {
  const std::string text = XmlValueToGeneralText(value);
  for (std::size_t i = 0; i < words.size(); ++i)
    if (SameTextIgnoringCase(text, words[i])) return int(i);
  throw EXmlError(FormatText(msg::kBadAttributeChoice,
                             {NameTable().NameView(id), GetNodeName(), JoinLines(words)}));
}

int TXmlNode::GetChoiceAttr(int id, const std::vector<std::string>& values, int def) {
  const XmlValue* value = FindAttribute(id);
  return value ? ChoiceIndex(id, *value, values) : def;
}
int TXmlNode::GetChoiceAttr(std::string_view name, const std::vector<std::string>& values,
                            int def) {
  return GetChoiceAttr(AttributeId(name), values, def);
}

int TXmlNode::RequireChoiceAttr(int id, const std::vector<std::string>& values) {
  const XmlValue* value = FindAttribute(id);
  if (!value) throw EXmlError(FormatText(msg::kAttributeNotFound, {NameTable().NameView(id)}));
  return ChoiceIndex(id, *value, values);
}
int TXmlNode::RequireChoiceAttr(std::string_view name, const std::vector<std::string>& values) {
  return RequireChoiceAttr(AttributeId(name), values);
}

}  // namespace xmldom
