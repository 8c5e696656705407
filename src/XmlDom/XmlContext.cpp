#include "XmlDom/XmlContext.h"

#include <new>

#include "XmlDom/XmlNodeStore.h"

namespace xmldom {

constinit TXmlContext TXmlContext::module_;

static_assert(sizeof(TXmlNodeStore) <= TXmlContext::kLooseStoreBytes &&
              alignof(TXmlNodeStore) <= 16);

TXmlNodeStore& TXmlContext::Loose() noexcept {
  if (!loose_) loose_ = ::new (looseStorage_) TXmlNodeStore(false);
  return *loose_;
}

}  // namespace xmldom
