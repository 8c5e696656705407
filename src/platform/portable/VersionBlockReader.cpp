#include "platform/portable/VersionBlockReader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace platform::portable {
namespace {

constexpr std::size_t kHeaderSize = 6;  // total length, value length, type

struct TNode {
  std::size_t At = 0;
  std::size_t Length = 0;  // the total length as written
  std::size_t End = 0;     // At + Length, cut at the end of the block
  std::size_t KeyAt = 0, KeyEnd = 0;
  std::size_t ValueAt = 0, ValueSize = 0;
  std::size_t ChildrenAt = 0;
  bool IsText = false;
};

std::uint16_t Unit(std::string_view block, std::size_t at) {
  return std::uint16_t(static_cast<unsigned char>(block[at]) |
                       static_cast<unsigned char>(block[at + 1]) << 8);
}

// Aligns to 32 bits counted from the node's start, as the block's writers do.
std::size_t Aligned(std::size_t nodeAt, std::size_t at) {
  return nodeAt + ((at - nodeAt + 3) & ~std::size_t(3));
}

// The node at `at`; nothing when its header or key runs past the end of the block. Like the
// system's, the key and the value are read whatever the node's own length says: only the walk
// through its children keeps to that length.
std::optional<TNode> ReadNode(std::string_view block, std::size_t at) {
  if (at > block.size() || block.size() - at < kHeaderSize) return std::nullopt;
  TNode node;
  node.At = at;
  node.Length = Unit(block, at);
  node.End = std::min(at + node.Length, block.size());
  node.IsText = Unit(block, at + 4) != 0;
  node.KeyAt = at + kHeaderSize;
  std::size_t pos = node.KeyAt;
  for (;; pos += 2) {
    if (block.size() - pos < 2) return std::nullopt;
    if (Unit(block, pos) == 0) break;
  }
  node.KeyEnd = pos;
  node.ValueAt = Aligned(at, pos + 2);
  node.ValueSize = std::size_t(Unit(block, at + 2)) * (node.IsText ? 2 : 1);
  node.ChildrenAt = Aligned(at, node.ValueAt + node.ValueSize);
  return node;
}

char16_t FoldAscii(char16_t c) {
  return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
}

bool KeyMatches(std::string_view block, const TNode& node, std::u16string_view key) {
  if ((node.KeyEnd - node.KeyAt) / 2 != key.size()) return false;
  for (std::size_t i = 0; i < key.size(); ++i)
    if (FoldAscii(Unit(block, node.KeyAt + 2 * i)) != FoldAscii(key[i])) return false;
  return true;
}

// A child ends the walk when its length is 0; otherwise the next one starts after it, so the
// walk always moves forward and stops at the parent's end.
std::optional<TNode> FindChild(std::string_view block, const TNode& parent,
                               std::u16string_view key) {
  std::size_t at = parent.ChildrenAt;
  while (at < parent.End) {
    const auto child = ReadNode(block, at);
    if (!child) return std::nullopt;
    if (KeyMatches(block, *child, key)) return child;
    if (child->Length == 0) return std::nullopt;
    at = Aligned(child->At, child->At + child->Length);
  }
  return std::nullopt;
}

std::string_view Slice(std::string_view block, std::size_t from, std::size_t to) {
  return from < to ? block.substr(from, to - from) : std::string_view();
}

}  // namespace

std::optional<TBlockValue> FindBlockValue(std::string_view block, std::u16string_view path) {
  // The 16-bit layout has an 8-bit key where the 32-bit one has its type: a printable
  // character there marks a block this reader does not take.
  if (block.size() > 4 && static_cast<unsigned char>(block[4]) >= ' ') return std::nullopt;
  auto node = ReadNode(block, 0);
  while (node && !path.empty()) {
    const std::size_t slash = path.find(u'\\');
    const std::u16string_view key = path.substr(0, slash);
    if (!key.empty()) node = FindChild(block, *node, key);
    path = slash == std::u16string_view::npos ? std::u16string_view() : path.substr(slash + 1);
  }
  if (!node) return std::nullopt;
  const std::size_t declaredEnd = std::min(block.size(), node->ValueAt + node->ValueSize);
  return TBlockValue{Slice(block, node->ValueAt, declaredEnd),
                     Slice(block, node->ValueAt, block.size()), node->IsText};
}

}  // namespace platform::portable
