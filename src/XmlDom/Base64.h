#pragma once

// Base64 (RFC 4648 alphabet, "=" as fill) as element and byte-array values store binary data.

#include <cstddef>
#include <string>
#include <string_view>

namespace xmldom {

// The Base64 text of count bytes. With lineLength of 1 or more, CR LF follows every
// lineLength characters, never at the very end.
std::string EncodeBase64(const void* bytes, std::size_t count, int lineLength = 0);

// The bytes of a Base64 text. Characters of code 32 or less are ignored anywhere; a text of 3
// characters or fewer gives no bytes; characters outside the alphabet count as 0. Bytes that no
// group fills (a short last group) are "*".
std::string DecodeBase64(std::string_view text);

}  // namespace xmldom
