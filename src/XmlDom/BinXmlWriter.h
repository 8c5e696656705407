#pragma once

// Writers of binary XML: the primitive fields (raw bytes, compact integers, strings, values)
// into a byte string or a stream. Both collect small fields in a buffer and hand it on in
// blocks; only a field that does not fit in what is left of the buffer reaches the one virtual
// operation, WriteBuf.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "XmlDom/BinXmlReader.h"
#include "XmlDom/XmlStream.h"
#include "XmlDom/XmlValue.h"

namespace xmldom {

class TBinXmlWriter {
 public:
  TBinXmlWriter(const TBinXmlWriter&) = delete;
  TBinXmlWriter& operator=(const TBinXmlWriter&) = delete;
  virtual ~TBinXmlWriter() = default;

  // The options word written into the header.
  std::uint32_t Options() const noexcept { return options_; }

  void Write(const void* data, std::size_t count) {
    if (count <= std::size_t(end_ - pos_)) {
      std::memcpy(pos_, data, count);
      pos_ += count;
    } else {
      WriteBuf(data, count);
    }
  }

  void WriteByte(std::uint8_t byte) {
    if (pos_ != end_)
      *pos_++ = char(byte);
    else
      WriteBuf(&byte, 1);
  }

  // A compact integer: 0 to 127 in one byte, 128 to 32511 in two (the high part with bit 7
  // set first), anything else as the byte 255 and the 4-byte value.
  void WriteInt(std::int32_t value) {
    if (end_ - pos_ < 5) return WriteIntSlowly(value);
    if (value >= 0 && value <= 0x7F) {
      *pos_++ = char(value);
    } else if (value >= 0 && value <= 0x7EFF) {
      pos_[0] = char(value >> 8 | 0x80);
      pos_[1] = char(value);
      pos_ += 2;
    } else {
      pos_[0] = char(0xFF);
      std::memcpy(pos_ + 1, &value, 4);
      pos_ += 5;
    }
  }

  // A string as the options store it: 8-bit bytes, or UTF-16 units when bit 0 is set.
  void WriteString(std::string_view text);

  // A value: its type code and payload. A value of a kind the format lacks raises
  // "Ошибка записи значения: некорректный тип.".
  void WriteValue(const XmlValue& value);

 protected:
  explicit TBinXmlWriter(std::uint32_t options) noexcept : options_(options) {}

  // Takes count bytes that do not fit in the rest of the buffer.
  virtual void WriteBuf(const void* data, std::size_t count) = 0;

  // The signature and the options; the derived writers call it once their buffer is ready.
  void WriteHeader();

  char* pos_ = nullptr;  // the next free byte of the buffer
  char* end_ = nullptr;  // the end of the buffer

 private:
  void WriteIntSlowly(std::int32_t value);
  std::uint32_t options_;
};

// Collects the output in a byte string. Flush moves what the buffer holds to the result; a
// writer destroyed without Flush drops it.
class TStrXmlWriter final : public TBinXmlWriter {
 public:
  // Writes the header.
  TStrXmlWriter(std::uint32_t options, std::size_t blockSize);

  void Flush();
  // The bytes flushed so far.
  const std::string& Result() const noexcept { return result_; }
  // Flushes and hands over the whole output.
  std::string TakeResult();

 protected:
  void WriteBuf(const void* data, std::size_t count) override;

 private:
  std::string result_;
  std::unique_ptr<char[]> buffer_;
  std::size_t blockSize_;
};

// Writes to a stream from its current position in blocks of blockSize bytes. Call Flush when
// the writing is done: it raises the stream's write error, while the destructor, which writes
// out what is left for a writer that was not flushed, cannot report one.
class TStmXmlWriter final : public TBinXmlWriter {
 public:
  // Writes the header.
  TStmXmlWriter(TXmlStream& stream, std::size_t blockSize, std::uint32_t options);
  ~TStmXmlWriter() override;

  void Flush();

 protected:
  void WriteBuf(const void* data, std::size_t count) override;

 private:
  TXmlStream& stream_;
  std::unique_ptr<char[]> buffer_;
  std::size_t blockSize_;
};

}  // namespace xmldom
