#pragma once

// Shared by the parser and document tests: an in-memory stream, a compact outline of a tree,
// and parsing one text through every kind of input so that each case also proves the stream
// buffer's refills invisible.

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>

#include "XmlDom/XmlCharacterData.h"
#include "XmlDom/XmlContentReader.h"
#include "XmlDom/XmlDocument.h"
#include "XmlDom/XmlElement.h"
#include "XmlDom/XmlProcessingInstruction.h"
#include "XmlDom/XmlSource.h"
#include "XmlDom/XmlStream.h"
#include "XmlDom/XmlText.h"
#include "common/Error.h"
#include "common/FormatText.h"
#include "common/Messages.h"

namespace parse_test {

using namespace xmldom;

// A stream over bytes held in memory. announcedSize, when not negative, is what Size answers
// (a stream that promises more than it yields).
class TMemoryStream final : public TXmlStream {
 public:
  explicit TMemoryStream(std::string bytes = {}, std::int64_t announcedSize = -1)
      : bytes_(std::move(bytes)), announced_(announcedSize) {}

  std::int64_t Size() override {
    return announced_ >= 0 ? announced_ : std::int64_t(bytes_.size());
  }
  std::int64_t Position() override { return position_; }
  void Seek(std::int64_t position) override { position_ = std::size_t(position); }
  std::size_t Read(void* buffer, std::size_t count) override {
    const std::size_t n = std::min(count, bytes_.size() - std::min(position_, bytes_.size()));
    if (n) std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += n;
    return n;
  }
  void Write(const void* buffer, std::size_t count) override {
    if (bytes_.size() < position_ + count) bytes_.resize(position_ + count);
    std::memcpy(bytes_.data() + position_, buffer, count);
    position_ += count;
  }
  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
  std::int64_t announced_;
  std::size_t position_ = 0;
};

// The pieces joined. (Chains of + on temporary strings trip a false restrict warning of the
// 32-bit compiler at high optimisation.)
inline std::string Cat(std::initializer_list<std::string_view> pieces) {
  std::string out;
  for (std::string_view piece : pieces) out.append(piece);
  return out;
}

// Elements as name[attr=value,...]{children}, text as "text", CDATA as C"text", comments as
// !"text", processing instructions as ?target"data"[attributes]; siblings one space apart.
std::string Outline(TXmlNode& node);
std::string OutlineChildren(TXmlNode& node);
inline std::string OutlineChildren(IXmlNode& node) {
  return OutlineChildren(NodeOf(&node));
}

// The outline of the document's children after loading text through the string source, or
// "error: " and the message. Every stream buffer size of kBufferSizes must give the same, or
// the test fails.
std::string Parse(std::string_view text, bool keepWhitespace = false);

// Messages as the parser formats them.
inline std::string AtPosition(std::string_view format, int line, int pos) {
  return Cat({"error: ", FormatText(format, {line, pos})});
}
inline std::string Expected(std::string_view what, int line, int pos) {
  return Cat({"error: ", FormatText(msg::kExpected, {what, line, pos})});
}
inline std::string Unpositioned(std::string_view message) {
  return Cat({"error: ", message});
}

}  // namespace parse_test
