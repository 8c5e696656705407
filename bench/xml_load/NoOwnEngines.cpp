#include "Engine.h"

std::vector<std::unique_ptr<TEngine>> MakeOwnEngines(const std::string&) {
  return {};
}
