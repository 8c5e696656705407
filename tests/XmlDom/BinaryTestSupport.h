#pragma once

// Shared by the binary XML tests: a stream over bytes in memory, conversions between trees and
// binary XML through the library's readers and writers, and a readable outline of a tree that
// two trees can be compared by.

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "XmlDom/BinaryXml.h"
#include "XmlDom/XmlNodeClasses.h"
#include "common/Error.h"
#include "common/Messages.h"

namespace binary_testing {

using namespace xmldom;

// Bytes in memory as a stream. It may announce more bytes than it holds (as a broken host
// stream could), hand out at most maxRead bytes per Read, and counts its calls.
class TMemoryStream final : public TXmlStream {
 public:
  explicit TMemoryStream(std::string bytes = {}) : bytes_(std::move(bytes)) {}

  std::int64_t Size() override { return std::int64_t(bytes_.size()) + extraAnnounced_; }
  std::int64_t Position() override { return position_; }
  void Seek(std::int64_t position) override { position_ = position; }
  std::size_t Read(void* buffer, std::size_t count) override {
    ++reads_;
    const auto available =
        std::size_t(std::max<std::int64_t>(std::int64_t(bytes_.size()) - position_, 0));
    const std::size_t n = std::min({count, available, maxRead_});
    std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += std::int64_t(n);
    return n;
  }
  void Write(const void* buffer, std::size_t count) override {
    ++writes_;
    if (failWrites_) throw EXmlError(msg::kStreamWriteError);
    const auto at = std::size_t(position_);
    if (bytes_.size() < at + count) bytes_.resize(at + count);
    std::memcpy(bytes_.data() + at, buffer, count);
    position_ += std::int64_t(count);
  }

  const std::string& Bytes() const noexcept { return bytes_; }
  int Reads() const noexcept { return reads_; }
  int Writes() const noexcept { return writes_; }
  void AnnounceExtra(std::int64_t bytes) noexcept { extraAnnounced_ = bytes; }
  void LimitReads(std::size_t maxRead) noexcept { maxRead_ = maxRead; }
  void FailWrites() noexcept { failWrites_ = true; }

 private:
  std::string bytes_;
  std::int64_t position_ = 0;
  std::int64_t extraAnnounced_ = 0;
  std::size_t maxRead_ = std::size_t(-1);
  int reads_ = 0;
  int writes_ = 0;
  bool failWrites_ = false;
};

// The document as binary XML, written into a string.
inline std::string ToBinary(IXmlNode* document, std::uint32_t options = 0,
                            std::size_t blockSize = 65536) {
  TStrXmlWriter writer(options, blockSize);
  WriteBinaryXml(writer, NodeOf(document));
  return writer.TakeResult();
}

// A new document on a fresh name table, as a binary load makes it.
inline Ref<IXmlDocument> NewBinaryTarget() {
  auto table = MakeLoose<TXmlNameTable>();
  return MakeXmlDocument({}, {}, {}, table.Get());
}

// Reads bytes (signature included) into document, which must be on a fresh name table.
inline void ReadBinaryInto(IXmlDocument* document, std::string_view bytes) {
  TStrXmlReader reader(bytes);
  ReadBinaryXml(reader, NodeOf(document));
}

inline Ref<IXmlDocument> FromBinary(std::string_view bytes) {
  Ref<IXmlDocument> document = NewBinaryTarget();
  ReadBinaryInto(document.Get(), bytes);
  return document;
}

// Reads bytes through a stream reader with the given block size.
inline Ref<IXmlDocument> FromBinaryStream(const std::string& bytes, std::size_t blockSize) {
  TMemoryStream stream(bytes);
  stream.Seek(std::int64_t(kBinXmlSignature.size()));
  Ref<IXmlDocument> document = NewBinaryTarget();
  TStmXmlReader reader(stream, blockSize);
  ReadBinaryXml(reader, NodeOf(document.Get()));
  return document;
}

// The compact form of an integer.
inline std::string Compact(std::int32_t value) {
  TStrXmlWriter writer(0, 16);
  writer.WriteInt(value);
  return writer.TakeResult().substr(kBinXmlSignature.size() + 4);
}

// The value with its type code, e.g. "3:5" or "256:text".
inline std::string DescribeValue(const XmlValue& value) {
  std::string text = std::to_string(value.Type()) + ":";
  if (value.Type() == xvtString || value.Type() == xvtByteArray || value.Type() == xvtWideString)
    return text.append(value.ByteView());
  if (value.Type() <= xvtNull) return text;
  return text + std::to_string(value.Int());
}

// One line per node, indented by level: type, name, attributes with typed values, the node's
// own value or data. Two trees are equal when their outlines are.
inline void DescribeInto(TXmlNode& node, int level, std::string& out) {
  out.append(std::size_t(level) * 2, ' ');
  out += std::to_string(node.GetNodeType()) + " " + node.GetNodeName();
  for (const TXmlAttrData& attribute : node.Attributes())
    out += " @" + std::string(node.NameTable().NameView(attribute.NameId)) + "=" +
           DescribeValue(attribute.Value);
  switch (node.Kind()) {
    case TXmlKind::Element:
      out += " value=" + DescribeValue(static_cast<TXmlElement&>(node).Value());
      break;
    case TXmlKind::Text:
      out += " value=" + DescribeValue(static_cast<TXmlText&>(node).Value());
      break;
    case TXmlKind::CDataSection:
    case TXmlKind::Comment:
      out += " data=" + std::string(CharacterDataOf(node));
      break;
    case TXmlKind::Instruction:
      out += " data=" + std::string(static_cast<TXmlProcessingInstruction&>(node).Data());
      break;
    case TXmlKind::Document:
      break;
  }
  out += "\n";
  for (TXmlNode* child : node.Children()) DescribeInto(*child, level + 1, out);
}

inline std::string Describe(IXmlNode* node) {
  std::string out;
  DescribeInto(NodeOf(node), 0, out);
  return out;
}

}  // namespace binary_testing
