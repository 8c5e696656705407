#pragma once

// TXmlContext: everything the library keeps beside its objects, in one object per module: the
// cache of the blocks node stores are made of, the loose store (objects of no document), the
// queue of nodes waiting to be destroyed, and the counts of live nodes and lists that tests
// read. Nothing else of the library is static state, and where objects are made is never part
// of it: the maker names the store (XmlNodeStore.h).
//
// Not synchronised: the library is used by one thread at a time.

#include <cstddef>

#include "XmlDom/XmlStoreBlocks.h"

namespace xmldom {

class TXmlNode;
class TXmlNodeStore;

// Nodes whose count reached zero while another node was being destroyed, linked through their
// parent field (which means nothing once a node is unreferenced); TXmlNode::Destroy runs it, so
// that the depth of a tree never becomes the depth of the call stack.
struct TXmlDestroyQueue {
  TXmlNode* First = nullptr;
  bool Running = false;
};

class TXmlContext {
 public:
  // Room for the loose store, made in place on first use.
  static constexpr std::size_t kLooseStoreBytes = 4096;

  // The module's context, which lasts as long as the module.
  static TXmlContext& Module() noexcept { return module_; }

  constexpr TXmlContext() = default;
  TXmlContext(const TXmlContext&) = delete;
  TXmlContext& operator=(const TXmlContext&) = delete;

  TXmlStoreBlocks& Blocks() noexcept { return blocks_; }
  // Made on first use and never destroyed: objects may be released by static destructors that
  // run after the module's clean-up; its blocks go back once its last object has.
  TXmlNodeStore& Loose() noexcept;
  TXmlDestroyQueue& DestroyQueue() noexcept { return destroyQueue_; }

  // Nodes and lists alive in the module, counted by their stores.
  long LiveNodes() const noexcept { return liveNodes_; }
  long LiveLists() const noexcept { return liveLists_; }
  void CountNodes(long change) noexcept { liveNodes_ += change; }
  void CountLists(long change) noexcept { liveLists_ += change; }

 private:
  static TXmlContext module_;

  TXmlStoreBlocks blocks_;
  alignas(16) unsigned char looseStorage_[kLooseStoreBytes] = {};
  TXmlNodeStore* loose_ = nullptr;
  TXmlDestroyQueue destroyQueue_;
  long liveNodes_ = 0;
  long liveLists_ = 0;
};

}  // namespace xmldom
