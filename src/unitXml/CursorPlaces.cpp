#include "unitXml/CursorPlaces.h"

void TCursorPlaces::Clear() {
  above_.clear();
  current_ = -1;
}

void TCursorPlaces::Down(const xmldom::IXmlNode* from, int childIndex) {
  above_.push_back({Ref<const xmldom::IXmlNode>::Retain(from), current_});
  current_ = childIndex;
}

void TCursorPlaces::Up(const xmldom::IXmlNode* parent) {
  if (!above_.empty() && above_.back().Node.Get() == parent) {
    current_ = above_.back().Index;
    above_.pop_back();
  } else {
    Clear();
  }
}
