#include "XmlDom/XmlNamedChildFinder.h"

#include "XmlDom/XmlChildChanges.h"

namespace xmldom {

namespace {

constexpr int kScanAhead = 8;

// The name first: it alone tells most children that do not match.
bool Matches(TXmlNode& node, int id) {
  return node.GetNodeNameIndex() == id && node.GetNodeType() == kElementNode;
}

}  // namespace

int TXmlNamedChildFinder::Count(const TXmlNode& parent, int id) {
  const TXmlChildren children = parent.Children();
  TMemo& memo = MemoFor(parent, id, children);
  if (memo.Count >= 0) return memo.Count;
  // The matches up to the last one found are counted already.
  if (memo.Item >= 0)
    ScanForward(memo, children, memo.At + 1, memo.Item + 1, -1);
  else
    ScanForward(memo, children, 0, 0, -1);
  return memo.Count;
}

bool TXmlNamedChildFinder::Any(const TXmlNode& parent, int id) {
  const TXmlChildren children = parent.Children();
  TMemo& memo = MemoFor(parent, id, children);
  if (memo.Count >= 0) return memo.Count > 0;
  if (memo.First >= 0 || memo.Item >= 0) return true;
  return bool(ScanForward(memo, children, 0, 0, 0));
}

TXmlNamedChildFinder::TFound TXmlNamedChildFinder::Find(const TXmlNode& parent, int id, int item) {
  if (item < 0) return {};
  const TXmlChildren children = parent.Children();
  TMemo& memo = MemoFor(parent, id, children);
  if (memo.Count >= 0 && item >= memo.Count) return {};
  if (item == memo.Item) return {children.Item(memo.At), memo.At};
  if (item == 0 && memo.First >= 0) return Remember(memo, children, 0, memo.First);
  if (memo.Item >= 0) {
    if (item > memo.Item) return ScanForward(memo, children, memo.At + 1, memo.Item + 1, item);
    // Back from the last one when that is nearer than the first.
    if (memo.Item - item <= item) return ScanBack(memo, children, item);
  }
  if (memo.First >= 0) return ScanForward(memo, children, memo.First + 1, 1, item);
  return ScanForward(memo, children, 0, 0, item);
}

void TXmlNamedChildFinder::Clear() noexcept {
  for (TMemo& memo : memos_) memo = {};
  uses_ = 0;
}

TXmlNamedChildFinder::TMemo& TXmlNamedChildFinder::MemoFor(const TXmlNode& parent, int id,
                                                           const TXmlChildren& children) {
  TMemo* oldest = &memos_[0];
  TMemo* memo = nullptr;
  for (TMemo& candidate : memos_) {
    if (candidate.Parent == &parent && candidate.Id == id) {
      memo = &candidate;
      break;
    }
    if (candidate.LastUse < oldest->LastUse) oldest = &candidate;
  }
  if (memo && Holds(*memo, children)) {
    memo->LastUse = ++uses_;
    return *memo;
  }
  if (!memo) memo = oldest;
  *memo = {.Parent = &parent,
           .Id = id,
           .Changes = TXmlChildChanges::Count(),
           .Children = children.Count(),
           .LastUse = ++uses_};
  return *memo;
}

bool TXmlNamedChildFinder::Holds(const TMemo& memo, const TXmlChildren& children) noexcept {
  return memo.Changes == TXmlChildChanges::Count() && memo.Children == children.Count() &&
         (memo.Item < 0 || children.Item(memo.At) == memo.Node);
}

TXmlNamedChildFinder::TFound TXmlNamedChildFinder::ScanForward(TMemo& memo,
                                                               const TXmlChildren& children,
                                                               int index, int item, int wanted) {
  const int count = children.Count();
  for (int i = index; i < count; ++i) {
    // The children lie apart in memory, so a long scan waits on each in turn; asking for the
    // ones a few steps ahead lets those waits overlap.
    if (i + kScanAhead < count) __builtin_prefetch(children.Item(i + kScanAhead));
    if (!Matches(*children.Item(i), memo.Id)) continue;
    if (item == 0) memo.First = i;
    if (item == wanted) return Remember(memo, children, item, i);
    ++item;
  }
  memo.Count = item;
  return {};
}

TXmlNamedChildFinder::TFound TXmlNamedChildFinder::ScanBack(TMemo& memo,
                                                            const TXmlChildren& children,
                                                            int wanted) {
  int item = memo.Item;
  for (int i = memo.At - 1; i >= 0; --i)
    if (Matches(*children.Item(i), memo.Id) && --item == wanted)
      return Remember(memo, children, item, i);
  return {};  // not while the memo holds: `wanted` lies between 0 and the last match
}

TXmlNamedChildFinder::TFound TXmlNamedChildFinder::Remember(TMemo& memo,
                                                            const TXmlChildren& children, int item,
                                                            int at) noexcept {
  memo.Item = item;
  memo.At = at;
  memo.Node = children.Item(at);
  if (item == 0) memo.First = at;
  return {children.Item(at), at};
}

}  // namespace xmldom
