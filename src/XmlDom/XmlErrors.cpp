#include "XmlDom/XmlErrors.h"

#include "XmlDom/XmlStream.h"
#include "common/Error.h"
#include "common/Messages.h"

namespace xmldom {

void RaiseListIndexError() {
  throw EXmlError(msg::kListIndexOutOfRange);
}

void RaiseNotSupported() {
  throw EXmlError(msg::kNotSupported);
}

void RaiseRangeCheckError() {
  throw EXmlError(msg::kRangeCheckError);
}

void RaiseDataReadError() {
  throw EXmlError(msg::kDataReadError);
}

void RaiseStreamReadError() {
  throw EXmlError(msg::kStreamReadError);
}

}  // namespace xmldom
