#pragma once

// TDXReadStream and TDXWriteStream: the host's streams for saving and loading an Xtra's state.
// A write stream made to count only writes nothing and lets every write succeed, so that a
// first pass measures what a second pass writes.

#include <stdexcept>

#include "DXClasses/DXHostObjects.h"

// What the streams raise: "Could not read from stream", "Could not write to stream".
class EDXStreamException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TDXReadStream final : public IDXReadStream {
 public:
  // Holds one reference of its own to the host stream.
  explicit TDXReadStream(Ref<IMoaStream> stream) : stream_(std::move(stream)) {}

  std::uint8_t ReadByte() override { return ReadValue<std::uint8_t>(); }
  bool Read(void* buffer, std::int32_t count) override;
  double ReadFloat() override { return ReadValue<double>(); }
  std::int32_t ReadInteger() override { return ReadValue<std::int32_t>(); }
  std::string ReadString() override;
  std::uint16_t ReadWord() override { return ReadValue<std::uint16_t>(); }

 private:
  template <class T>
  T ReadValue() {
    T value{};
    Read(&value, sizeof value);
    return value;
  }

  Ref<IMoaStream> stream_;
};

class TDXWriteStream final : public IDXWriteStream {
 public:
  // With countOnly the host stream may be empty: nothing is written, only counted.
  TDXWriteStream(Ref<IMoaStream> stream, bool countOnly)
      : stream_(std::move(stream)), countOnly_(countOnly) {}

  std::int32_t Total() const override { return total_; }
  void WriteByte(std::uint8_t value) override { Write(&value, sizeof value); }
  bool Write(const void* buffer, std::int32_t count) override;
  void WriteFloat(double value) override { Write(&value, sizeof value); }
  void WriteInteger(std::int32_t value) override { Write(&value, sizeof value); }
  void WriteString(std::string_view value) override;
  void WriteWord(std::uint16_t value) override { Write(&value, sizeof value); }

 private:
  Ref<IMoaStream> stream_;
  bool countOnly_;
  std::int32_t total_ = 0;
};
