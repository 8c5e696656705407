// Reading node sections of binary XML. The tree is read without recursion: a stack of the levels
// being filled (a child list, or a node's only child) stands for the call stack, so a document at
// the nesting limit costs the call stack no more than a flat one.
#include <bit>
#include <cassert>
#include <memory>
#include <string>

#include "XmlDom/BinaryXml.h"
#include "XmlDom/XmlCharacterData.h"
#include "XmlDom/XmlElement.h"
#include "XmlDom/XmlLimits.h"
#include "XmlDom/XmlPlacedValue.h"
#include "XmlDom/XmlProcessingInstruction.h"
#include "XmlDom/XmlReadNodes.h"
#include "XmlDom/XmlText.h"
#include "XmlDom/XmlTreeBuilder.h"
#include "common/Error.h"
#include "common/FormatText.h"
#include "common/Messages.h"

namespace xmldom {

namespace {

// The smallest records: an attribute is a name id and a value code; a child record is a type
// byte and at least one byte more.
constexpr int kMinAttributeBytes = 2;
constexpr int kMinChildBytes = 2;
// The string code (256) as the compact integer the writer makes of it, read as a word: the
// words are little-endian, as every fixed-size field of the format.
static_assert(std::endian::native == std::endian::little);
constexpr std::uint32_t kStringCodeBytes = 0x0081;
// A child count of 1 and the header of a text that is a string, as one word: an element whose
// only child is a text.
constexpr std::uint32_t kOneText = 1 | kTextNode << 8 | kStringCodeBytes << 16;

class TTreeReader {
 public:
  TTreeReader(TBinXmlReader& reader, TXmlNameTable& table, TXmlNodeStore& store)
      : reader_(reader),
        table_(table),
        store_(store),
        nameCount_(table.NameCount()),
        make_(store_, table_) {}

  [[gnu::flatten]] void ReadContent(TXmlNode& root) {
    ReadAttributes(root);
    OpenChildren(root);
    TLevel* const levels = levels_.get();
    // The reader's position while plain records are read: a local of this loop, it stays in
    // a register, where the reader's own would be read again after every node written. The
    // reader has it back (Commit) for every record read field by field.
    TCursor at(reader_);
    while (depth_ != 0) {
      TLevel& level = levels[depth_ - 1];
      if (level.Remaining == 0) {
        --depth_;
        continue;
      }
      --level.Remaining;
      if (at.Fits() && ReadPlainRecord(level, at)) continue;
      reader_.Commit(at);
      if (TXmlNode* parent = ReadChild(level)) {
        ReadAttributes(*parent);
        OpenChildren(*parent);
      }
      at = TCursor(reader_);
    }
    reader_.Commit(at);
  }

 private:
  using TCursor = TBinXmlReader::TCursor;

  // A level's children go into its child list; a node that has a single child, made here,
  // links it straight, and its list is made only if it is asked for.
  struct TLevel {
    TXmlNode* Owner;
    TXmlNodeList* List;  // null for a single child
    std::int32_t Remaining;
  };

  static void Append(const TLevel& level, TXmlNode* node) noexcept {
    if (level.List) {
      level.List->AppendMadeTo(*level.Owner, node);
      return;
    }
    node->AddLink();
    node->SetParent(level.Owner);
    TXmlTreeBuilder::AdoptOnlyChild(*level.Owner, *node);
  }

  std::int32_t ReadNameId() {
    const std::int32_t id = reader_.ReadInt();
    // -1 is the id of the empty name, which elements made by the empty name carry.
    if (id < -1 || id >= nameCount_) RaiseBinaryBadNameId(id);
    return id;
  }

  [[gnu::noinline]] void ReadAttributes(TXmlNode& node) {
    const std::int32_t count = reader_.ReadCount(kMinAttributeBytes);
    TXmlAttrArray& attributes = node.Attributes();
    if (count == 0 && attributes.Capacity() == 0) return;  // most nodes: nothing to reset
    TXmlNodeStore& store = node.Store();
    attributes.ResetWithCapacity(store, count);
    TCursor at(reader_);
    ReadAttributesToRoom(attributes, store, count, at);
    reader_.Commit(at);
  }

  // Into an array that has room for them, from the position at.
  [[gnu::always_inline]] void ReadAttributesToRoom(TXmlAttrArray& attributes, TXmlNodeStore& store,
                                                   std::int32_t count, TCursor& at) {
    for (std::int32_t i = 0; i < count; ++i) {
      if (at.Fits() && ReadPlainAttribute(attributes, store, at)) continue;
      reader_.Commit(at);
      const std::int32_t id = ReadNameId();
      attributes.AppendPlacedToRoom(id, [&] { return reader_.ReadPlacedValue(store); });
      at = TCursor(reader_);
    }
  }

  // ---- The records most documents are made of, each read with one cursor: an element with
  // no value, a text, an attribute whose value is empty or bytes. A record that is anything
  // else, or that does not lie whole in the window, or that fails a check, is left unread
  // (false) and read field by field, which raises what it must. The commonest headers (names,
  // counts and lengths under 128, the string code) are matched as whole words of their exact
  // bytes; the same numbers in any other form are decoded one by one. Each takes the position
  // (live), whose window holds kCursorBytes more bytes, and moves it past what it read.

  [[gnu::always_inline]] bool ReadPlainRecord(const TLevel& level, TCursor& live) {
    TCursor at = live;
    const std::uint32_t word = at.PeekWord();
    std::int32_t id, attributeCount;
    if ((word & 0x80FF80FFu) == kElementNode) {
      id = std::int32_t(word >> 8 & 0x7F);
      attributeCount = std::int32_t(word >> 24);
      at.Skip(4);
      if (id >= nameCount_) return false;
      // Most elements: no attributes, and the child count right after the 4 bytes read, still
      // inside the cursor's window.
      if (attributeCount == 0) {
        CheckDepth();
        if (ReadElementWithText(level, id, at, live)) return true;
        TXmlElement* element = make_.Element(id);
        Append(level, element);
        OpenElementChildrenAt(*element, at, live);
        return true;
      }
    } else {
      const std::uint8_t type = at.Byte();
      if (type == kTextNode) return ReadPlainText(level, at, live);
      if (type == kCommentNode) return ReadPlainComment(level, at, live);
      if (type != kElementNode) return false;
      id = at.Int();
      if (id < -1 || id >= nameCount_ || at.Int() != xvtEmpty) return false;
      attributeCount = at.Int();
    }
    if (attributeCount != 0 && !reader_.CountFits(at, attributeCount, kMinAttributeBytes))
      return false;
    CheckDepth();
    live = at;
    TXmlElement* element =
        attributeCount == 0 ? make_.Element(id) : make_.ElementWithAttributes(id, attributeCount);
    Append(level, element);
    if (attributeCount != 0)
      ReadAttributesToRoom(element->Attributes(), store_, attributeCount, live);
    OpenElementChildren(*element, live);
    return true;
  }

  // The child count of an element just made, whose value is empty. An element with one child
  // most often has a text: that is read at once, with no level opened for it.
  [[gnu::always_inline]] void OpenElementChildren(TXmlElement& element, TCursor& live) {
    if (live.Fits()) return OpenElementChildrenAt(element, live, live);
    OpenElementChildrenSlowly(element, live);
  }
  // The same from at, a position past live whose window still holds 12 bytes or more: the
  // count's word, and for a single text the text's header read as a plain text reads it.
  [[gnu::always_inline]] void OpenElementChildrenAt(TXmlElement& element, TCursor at,
                                                    TCursor& live) {
    // No children; or one, a text: the count, the text's type and the string code.
    const std::uint32_t word = at.PeekWord();
    if ((word & 0xFF) == 0) {
      at.Skip(1);
      live = at;
      return;
    }
    if (word == kOneText) {
      TCursor text = at;
      text.Skip(2);
      if (ReadPlainText(TLevel{&element, nullptr, 1}, text, live)) return;
    }
    live = at;
    OpenElementChildrenSlowly(element, live);
  }
  void OpenElementChildrenSlowly(TXmlElement& element, TCursor& live) {
    reader_.Commit(live);
    const std::int32_t count = reader_.ReadCount(kMinChildBytes);
    if (count != 0) OpenLevel(element, count);
    live = TCursor(reader_);
  }

  [[gnu::always_inline]] bool ReadPlainText(const TLevel& level, TCursor& at, TCursor& live) {
    std::string_view bytes;
    if (!TakeTextBytes(at, bytes)) return false;
    live = at;
    if (auto* text = make_.OfBytes<TXmlText>(bytes, at.WindowEnd()))
      Append(level, text);
    else
      AppendText(level, PlaceBytes(store_, xvtString, bytes));
    return true;
  }

  // The bytes of a text's value that at reads, a string, and moves past.
  [[gnu::always_inline]] static bool TakeTextBytes(TCursor& at, std::string_view& bytes) {
    // Most texts: the string code's two bytes and a length under 128.
    const std::uint32_t word = at.PeekWord();
    if ((word & 0x80FFFFu) == kStringCodeBytes) {
      at.Skip(3);
      return at.Take(std::int32_t(word >> 16 & 0x7F), bytes);
    }
    return at.Int() == xvtString && at.Take(at.Int(), bytes);
  }

  // An element without attributes whose only child is a text, the commonest pair of all: at
  // is past the element's header, with 12 bytes of the window after it. Both nodes (and the
  // text's bytes) are made in one piece; false, with nothing read or made, for any other
  // element or a text that cannot be made so.
  [[gnu::always_inline]] bool ReadElementWithText(const TLevel& level, std::int32_t id, TCursor at,
                                                  TCursor& live) {
    if (at.PeekWord() != kOneText) return false;
    at.Skip(2);
    std::string_view bytes;
    if (!TakeTextBytes(at, bytes)) return false;
    TXmlElement* element = make_.ElementWithText(id, bytes, at.WindowEnd());
    if (!element) return false;
    live = at;
    Append(level, element);
    return true;
  }

  // A comment of 8-bit bytes that can be made in one piece with them.
  [[gnu::always_inline]] bool ReadPlainComment(const TLevel& level, TCursor& at, TCursor& live) {
    std::string_view bytes;
    if (!narrowStrings_ || !at.Take(at.Int(), bytes)) return false;
    auto* comment = make_.OfBytes<TXmlComment>(bytes, at.WindowEnd());
    if (!comment) return false;
    live = at;
    Append(level, comment);
    return true;
  }

  // A text node over a value placed in the store; should the node fail to be made, the value
  // goes back.
  [[gnu::noinline]] void AppendText(const TLevel& level, TXmlPlacedValue&& value) {
    try {
      Append(level, make_.Text(std::move(value)));
    } catch (...) {
      UnplaceValue(store_, value);
      throw;
    }
  }

  [[gnu::always_inline]] bool ReadPlainAttribute(TXmlAttrArray& attributes, TXmlNodeStore& store,
                                                 TCursor& live) {
    TCursor at = live;
    std::int32_t id, type;
    std::string_view bytes;
    // Most attributes: a name id under 128, the string code, and a length under 128.
    const std::uint32_t word = at.PeekWord();
    if ((word & 0x80FFFF80u) == kStringCodeBytes << 8) {
      id = std::int32_t(word & 0x7F);
      type = xvtString;
      at.Skip(4);
      if (id >= nameCount_ || !at.Take(std::int32_t(word >> 24), bytes)) return false;
    } else {
      id = at.Int();
      if (id < -1 || id >= nameCount_) return false;
      type = at.Int();
      if (type == xvtString || type == xvtByteArray) {
        if (!at.Take(at.Int(), bytes)) return false;
      } else if (type != xvtEmpty) {
        return false;
      }
    }
    live = at;
    attributes.AppendPlacedToRoom(id, [&] {
      return type == xvtEmpty ? TXmlPlacedValue()
                              : PlaceBytes(store, TXmlValueType(type), bytes, at.WindowEnd());
    });
    return true;
  }

  // Reads the child count; when it is not 0, the node's children make way for the ones read.
  // A node known to hold no value (valueless) has none to drop.
  void OpenChildren(TXmlNode& node, bool valueless = false) {
    const std::int32_t count = reader_.ReadCount(kMinChildBytes);
    if (count == 0) return;
    if (depth_ == 0) return OpenRootChildren(node, count);
    if (!valueless) node.DropValueForChildren();
    OpenLevel(node, count);
  }

  // The nodes below the first level were made by this reading and have no children yet; a
  // single child is linked straight.
  [[gnu::always_inline]] void OpenLevel(TXmlNode& node, std::int32_t count) {
    assert(depth_ < kMaxLevels);
    TXmlNodeList* children = count == 1 ? nullptr : &make_.List(node, count);
    levels_[depth_++] = {&node, children, count};
  }

  // The node being read into may have children already: they make way.
  [[gnu::noinline]] void OpenRootChildren(TXmlNode& node, std::int32_t count) {
    node.DropValueForChildren();
    TXmlNodeList* children = node.ExistingChildList();
    if (children) {
      children->ClearItems();
      children->SetCapacity(count);
    } else {
      children = &make_.List(node, count);
    }
    levels_[depth_++] = {&node, children, count};
  }

  // Reads one child record into the level; returns the new node when its own sections follow.
  [[gnu::noinline]] TXmlNode* ReadChild(const TLevel& level) {
    // Any byte converts: the enumeration is based on int. Codes that are no kind a child can
    // have end up after the switch.
    const auto type = TXmlNodeType(reader_.ReadByte());
    // Elements and texts are most records: tested first, the switch does the rest.
    if (type == kElementNode) return ReadElement(level);
    switch (type) {
      case kElementNode:
        return ReadElement(level);
      case kTextNode:
        AppendText(level, reader_.ReadPlacedValue(store_));
        return nullptr;
      case kCDataSectionNode:
        Append(level, store_.New<TXmlCDATASection>(table_, reader_.ReadStringView(scratch_)));
        return nullptr;
      case kCommentNode:
        Append(level, store_.New<TXmlComment>(table_, reader_.ReadStringView(scratch_)));
        return nullptr;
      case kProcessingInstructionNode: {
        CheckDepth();
        const std::int32_t target = ReadNameId();
        auto* instruction =
            store_.New<TXmlProcessingInstruction>(table_, target, reader_.ReadStringView(scratch_));
        Append(level, instruction);
        return instruction;
      }
      case kDocumentNode:
        break;
    }
    throw EXmlError(msg::kBinaryReadBadNodeType);
  }

  TXmlNode* ReadElement(const TLevel& level) {
    CheckDepth();
    auto* element = make_.Element(ReadNameId());
    Append(level, element);
    element->AssignPlacedValue(reader_.ReadPlacedValue(store_));
    return element;
  }

  // Nodes are made in the store of the lists they go into (store_), and each list
  // was sized to the count that was read, so appending them cannot fail.

  // The node about to be made sits at the level of the list it goes into; the document's
  // children are level 1.
  void CheckDepth() const {
    if (depth_ > std::size_t(kMaxXmlDepth))
      throw EXmlError(FormatText(msg::kBinaryNestingTooDeep, {kMaxXmlDepth}));
  }

  TBinXmlReader& reader_;
  TXmlNameTable& table_;
  TXmlNodeStore& store_;
  // The names were all read before the nodes, and reading nodes adds none.
  const std::int32_t nameCount_;
  const bool narrowStrings_ = !(reader_.Options() & kBinXmlWideStrings);
  TXmlReadNodes make_;
  // The levels being filled, outermost first: nodes are made only up to the nesting limit, so
  // the lists they open never need more.
  static constexpr std::size_t kMaxLevels = std::size_t(kMaxXmlDepth) + 2;
  std::unique_ptr<TLevel[]> levels_ = std::make_unique_for_overwrite<TLevel[]>(kMaxLevels);
  std::size_t depth_ = 0;
  std::string scratch_;
};

}  // namespace

void ReadXmlNodeContent(TBinXmlReader& reader, TXmlNode& node) {
  TTreeReader(reader, node.NameTable(), node.ChildStore()).ReadContent(node);
}

void ReadBinaryXml(TBinXmlReader& reader, TXmlNode& document) {
  ReadXmlNameTable(reader, document.NameTable());
  ReadXmlNodeContent(reader, document);
}

}  // namespace xmldom
