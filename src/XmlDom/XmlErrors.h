#pragma once

// The failures that several parts of the library raise alike, each raised in one place so that
// its message cannot drift between them. Each raises EXmlError.

namespace xmldom {

// An index outside a node list, an attribute array or a name table.
[[noreturn]] void RaiseListIndexError();
// What the library does not do: selection by anything but a plain name, a node inserted into
// its own subtree.
[[noreturn]] void RaiseNotSupported();
// A number outside the range it must fit, as the runtime's conversions report it.
[[noreturn]] void RaiseRangeCheckError();
// Stored data that cannot be what it claims: a damaged binary document or name table.
[[noreturn]] void RaiseDataReadError();

}  // namespace xmldom
