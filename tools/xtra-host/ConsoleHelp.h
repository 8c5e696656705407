#pragma once

// What the message window understands, as its help handler tells it.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lingo {

// The handlers of the message window itself (not of an Xtra), in the order help lists them.
std::span<const std::string_view> BuiltinHandlers();

// The text of help: statements, values, operators, the handlers above, how Xtras are made
// and called, with the names of the Xtras loaded.
std::string HelpText(const std::vector<std::string>& xtraNames);

}  // namespace lingo
