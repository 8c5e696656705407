// Rows that contradict their handlers: compiled by the tests one case at a time (ROW_CASE), and
// each must fail to compile with the message of its case. Without ROW_CASE the file compiles.

#include <cstdint>
#include <string_view>

#include "DXClasses/DXLingoMethod.h"

struct TMisdeclared {
  bool selectNode(std::string_view, TDXDeferred<std::int32_t>) { return false; }
  void takesText(const char*) {}

  using F = TDXFailureValue;
  using E = TDXErrorState;
  using T = TMisdeclared;
  static constexpr TDXLingoArgument kNodeName{"nodeName", dvString};
  static constexpr TDXLingoArgument kItem{"item", dvInteger};

  static constexpr TDXLingoMethod<TMisdeclared> kLingoMethods[] = {
#if ROW_CASE == 1  // an argument declared of another kind than the handler's parameter
      {"selectNode", {kItem, kItem}, F::False, E::Records, DXHandler<&T::selectNode>},
#elif ROW_CASE == 2  // fewer arguments than the handler takes
      {"selectNode", {kNodeName}, F::False, E::Records, DXHandler<&T::selectNode>},
#elif ROW_CASE == 3  // a parameter of a type Lingo has no kind for
      {"takesText", {{"text"}}, F::None, E::Untouched, DXHandler<&T::takesText>},
#elif ROW_CASE == 4  // a failure value of another kind than the handler's answer
      {"selectNode", {kNodeName, kItem}, F::Zero, E::Records, DXHandler<&T::selectNode>},
#else
      {"selectNode", {kNodeName, kItem}, F::False, E::Records, DXHandler<&T::selectNode>},
#endif
  };
};

int main() {
  return int(TMisdeclared::kLingoMethods[0].ArgumentCount);
}
