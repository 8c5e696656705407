#pragma once

// The byte stream that documents load from and save to: a position over a sized sequence of
// bytes. Files, strings and host streams are adapted to it.

#include <cstddef>
#include <cstdint>

#include "common/Error.h"

namespace xmldom {

// Raises "Stream read error" (EXmlError).
[[noreturn]] void RaiseStreamReadError();

class TXmlStream {
 public:
  virtual ~TXmlStream() = default;

  virtual std::int64_t Size() = 0;
  virtual std::int64_t Position() = 0;
  virtual void Seek(std::int64_t position) = 0;
  // Up to count bytes; the number read, 0 at the end.
  virtual std::size_t Read(void* buffer, std::size_t count) = 0;
  // Every byte, or raises "Stream write error".
  virtual void Write(const void* buffer, std::size_t count) = 0;

  // Exactly count bytes, or raises "Stream read error".
  void ReadExactly(void* buffer, std::size_t count) {
    auto* bytes = static_cast<char*>(buffer);
    while (count > 0) {
      const std::size_t got = Read(bytes, count);
      if (got == 0) RaiseStreamReadError();
      bytes += got;
      count -= got;
    }
  }
};

}  // namespace xmldom
