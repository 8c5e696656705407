#pragma once

// IXmlNodeList: the child list of a node (whose owner is that node) and the free-standing
// results of selection (no owner). A list holds a reference to every item; items of an owned
// list have the owner as parent.

#include <functional>
#include <string>

#include "XmlDom/IXmlObject.h"
#include "common/RefCounted.h"

namespace xmldom {

class IXmlNode;

// A negative number, 0 or a positive number, as a sorts before, with, or after b.
using TXmlNodeCompare = std::function<int(IXmlNode* a, IXmlNode* b)>;

class IXmlNodeList : public IXmlObject {
 public:
  virtual int GetCount() = 0;
  // Raises the list index error for an index below 0 or not below the count.
  virtual Ref<IXmlNode> GetItem(int index) = 0;
  // The XML text of all items in order, without separators.
  virtual std::string GetXML() = 0;
  // Sorts in place; the order of equal items is not kept; parent links are not touched.
  virtual void SortItems(const TXmlNodeCompare& compare) = 0;
  // The position of that node object, or -1.
  virtual int IndexOf(IXmlNode* node) = 0;
  virtual void Add(IXmlNode* node) = 0;
  // index -1 appends; any index outside -1 to count raises the list index error.
  virtual void Insert(IXmlNode* node, int index) = 0;
  // The index the node had, or -1 when it is not in the list.
  virtual int Remove(IXmlNode* node) = 0;
  // Raises the list index error for an index outside 0 to count - 1.
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

 protected:
  IXmlNodeList() = default;
  ~IXmlNodeList() = default;
};

}  // namespace xmldom
