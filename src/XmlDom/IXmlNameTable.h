#pragma once

// IXmlNameTable: the interned names of documents. Nodes store names as 32-bit ids; the table
// maps ids to names and back. Ids are dense from 0 and never reused or removed, so an id stays
// valid as long as the table lives.

#include <string>
#include <string_view>

#include "XmlDom/IXmlObject.h"
#include "common/RefCounted.h"

namespace xmldom {

class IXmlNameTable : public IXmlObject {
 public:
  // The id of the name, interning it when new; the empty name gives -1 and interns nothing.
  virtual int InternName(std::string_view name) = 0;
  // The name with that id; a negative id gives "". An id not below the number of names raises
  // the list index error.
  virtual std::string NameOfIndex(int id) = 0;

 protected:
  ~IXmlNameTable() = default;
};

// Ids every table holds from its creation.
enum : int {
  kTextNameId = 0,      // "#text"
  kCDataNameId = 1,     // "#cdata-section"
  kCommentNameId = 2,   // "#comment"
  kDocumentNameId = 3,  // "#document"
  kXmlNameId = 4        // "xml", the target of the XML declaration
};

// A new, empty table (the predefined names only), for documents that keep their names apart
// from the shared table's.
Ref<IXmlNameTable> MakeXmlNameTable();

}  // namespace xmldom
