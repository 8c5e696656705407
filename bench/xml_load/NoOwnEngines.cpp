#include "Engine.h"

std::vector<std::unique_ptr<TEngine>> MakeOwnEngines() {
  return {};
}

std::string MakeOwnBinaryForm(const std::string&) {
  return {};
}
