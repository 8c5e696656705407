#pragma once

// A published method of a scripting class: the Lingo name it answers to and the handler that
// runs it. A class registers a table of them (see TDXScript::PublishedMethods).

#include <string_view>

class TDXScript;
class IDXArgList;
class IDXValue;

struct TDXPublishedMethod {
  std::string_view Name;
  void (*Invoke)(TDXScript& self, IDXArgList& args, IDXValue& result, bool& handled);
};
