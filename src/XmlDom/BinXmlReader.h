#pragma once

// Readers of binary XML: the primitive fields (raw bytes, compact integers, strings, values)
// over a byte string or a stream.
//
// Reading is the hot path of loading binary XML, so a reader keeps a window of bytes already
// in memory (the whole string, or a stream's buffer) and takes fields from it inline; only a
// field that runs past the window reaches the one virtual operation, ReadBuf. Nothing read is
// trusted: a length is checked against the bytes that remain before anything is allocated for
// it, so damaged input fails with "Ошибка чтения данных." instead of asking for gigabytes.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "XmlDom/XmlErrors.h"
#include "XmlDom/XmlNodeStore.h"
#include "XmlDom/XmlPlacedValue.h"
#include "XmlDom/XmlStream.h"
#include "XmlDom/XmlValue.h"

namespace xmldom {

// The first 14 bytes of every binary XML file (the readers skip them, the writers write them),
// and the options word after them.
inline constexpr std::string_view kBinXmlSignature = "< binary-xml >";
// Option bit 0: strings (names, CDATA, comment and instruction data) are stored as UTF-16.
inline constexpr std::uint32_t kBinXmlWideStrings = 1;

class TBinXmlReader {
 public:
  TBinXmlReader(const TBinXmlReader&) = delete;
  TBinXmlReader& operator=(const TBinXmlReader&) = delete;
  virtual ~TBinXmlReader() = default;

  // The options word of the file's header.
  std::uint32_t Options() const noexcept { return options_; }

  // Bytes not read yet.
  std::int64_t Remaining() const noexcept { return (end_ - pos_) + unbuffered_; }

  // Exactly count bytes; raises "Ошибка чтения данных." when fewer remain.
  void Read(void* buffer, std::size_t count) {
    if (count <= std::size_t(end_ - pos_)) {
      std::memcpy(buffer, pos_, count);
      pos_ += count;
    } else {
      ReadBuf(buffer, count);
    }
  }

  std::uint8_t ReadByte() {
    if (pos_ != end_) return std::uint8_t(*pos_++);
    std::uint8_t byte;
    ReadBuf(&byte, 1);
    return byte;
  }

  // A compact integer: one byte up to 127; 255 and a 4-byte value; otherwise two bytes, the
  // first with bit 7 cleared being the high part.
  std::int32_t ReadInt() {
    if (end_ - pos_ >= 5) return DecodeInt(pos_);
    return ReadIntSlowly();
  }

  // Several fields of a record at once. The reader's position lives in memory, and every node
  // written between two fields makes the next field wait for it; a cursor is the caller's own
  // and stays in a register. A cursor reads only while its window holds kCursorBytes more
  // bytes (Fits), enough for three integers and a type byte, so its integers need no bounds
  // checks; Commit moves the reader to the cursor, and a cursor not committed reads nothing,
  // so a record it cannot take is read again the ordinary way. The window does not change
  // while nothing but cursors reads.
  static constexpr std::size_t kCursorBytes = 16;
  class TCursor {
   public:
    explicit TCursor(const TBinXmlReader& reader) noexcept : p_(reader.pos_), end_(reader.end_) {}
    std::uint8_t Byte() noexcept { return std::uint8_t(*p_++); }
    // The next four bytes as a little-endian word, not taken.
    std::uint32_t PeekWord() const noexcept {
      std::uint32_t word;
      std::memcpy(&word, p_, 4);
      return word;
    }
    void Skip(std::size_t count) noexcept { p_ += count; }
    // Whether the window holds kCursorBytes more bytes, which the reads below may take
    // without a check.
    bool Fits() const noexcept { return std::size_t(end_ - p_) >= kCursorBytes; }
    // Where the window ends: bytes taken may be read up to there.
    const char* WindowEnd() const noexcept { return end_; }
    std::int32_t Int() noexcept { return DecodeInt(p_); }
    // count bytes when the window holds them, else an empty view and false.
    bool Take(std::int32_t count, std::string_view& bytes) noexcept {
      if (count < 0 || std::size_t(count) > std::size_t(end_ - p_)) return false;
      bytes = std::string_view(p_, std::size_t(count));
      p_ += count;
      return true;
    }

   private:
    friend class TBinXmlReader;
    const char* p_;
    const char* end_;
  };
  void Commit(const TCursor& cursor) noexcept { pos_ = cursor.p_; }
  // Whether count items of minBytes each can still follow the cursor, as ReadCount requires.
  bool CountFits(const TCursor& cursor, std::int32_t count, int minBytes) const noexcept {
    return count >= 0 && std::int64_t(count) * minBytes <= (cursor.end_ - cursor.p_) + unbuffered_;
  }

  // A count of items of at least minBytes bytes each; a negative count, or one that the bytes
  // remaining cannot hold, raises the data read error.
  std::int32_t ReadCount(int minBytes) {
    const std::int32_t count = ReadInt();
    if (count < 0 || std::int64_t(count) * minBytes > Remaining()) RaiseDataReadError();
    return count;
  }

  // count bytes as a view, valid until the next read: straight from the window when they lie
  // in it, else collected in scratch.
  std::string_view ReadView(std::size_t count, std::string& scratch) {
    if (count > std::size_t(end_ - pos_)) return CollectView(count, scratch);
    const std::string_view view(pos_, count);
    pos_ += count;
    return view;
  }

  // A string as the options store it (8-bit bytes, or UTF-16 units when bit 0 is set); the
  // view is valid until the next read.
  std::string_view ReadStringView(std::string& scratch);
  std::string ReadString();

  // A value: its type code and payload. An unknown code raises
  // "Ошибка чтения значения: некорректный тип.".
  XmlValue ReadValue();
  // A value as ReadValue reads it, with its bytes placed in store: a byte string goes from the
  // window into the store in one copy.
  TXmlPlacedValue ReadPlacedValue(TXmlNodeStore& store) {
    // Most values of a document are empty or byte strings lying in the window: those take no
    // value of their own on the way into the store.
    const std::int32_t type = ReadInt();
    if (type == xvtEmpty) return {};
    if (type != xvtString && type != xvtByteArray) return ReadPlacedOfType(store, type);
    const std::string_view bytes = ReadView(std::size_t(ReadCount(1)), placeScratch_);
    return PlaceBytes(store, TXmlValueType(type), bytes);
  }

 protected:
  TBinXmlReader() = default;

  // Delivers exactly count bytes when they run past the window (count is more than the window
  // holds), or raises the data read error.
  virtual void ReadBuf(void* buffer, std::size_t count) = 0;

  // Reads the options word; the derived readers call it once their source is ready.
  void ReadOptions();

  const char* pos_ = nullptr;    // the next byte of the window
  const char* end_ = nullptr;    // the end of the window
  std::int64_t unbuffered_ = 0;  // bytes of the input beyond the window

 private:
  // Decodes an integer that lies whole before the window's end.
  static std::int32_t DecodeInt(const char*& p) noexcept {
    const auto first = std::uint8_t(p[0]);
    if (first < 0x80) {
      ++p;
      return first;
    }
    if (first != 0xFF) {
      const auto low = std::uint8_t(p[1]);
      p += 2;
      return std::int32_t((first & 0x7F) << 8 | low);
    }
    std::int32_t value;
    std::memcpy(&value, p + 1, 4);
    p += 5;
    return value;
  }
  std::int32_t ReadIntSlowly();
  std::string_view CollectView(std::size_t count, std::string& scratch);
  XmlValue ReadValueOfType(std::int32_t type);
  TXmlPlacedValue ReadPlacedOfType(TXmlNodeStore& store, std::int32_t type);
  std::uint32_t options_ = 0;
  std::string placeScratch_;  // a placed value that runs past the window, on its way
};

// Reads a byte string that starts with the signature. The caller keeps the string alive while
// the reader lives.
class TStrXmlReader final : public TBinXmlReader {
 public:
  // Skips the signature (it is not compared) and reads the options.
  explicit TStrXmlReader(std::string_view bytes);

 protected:
  void ReadBuf(void* buffer, std::size_t count) override;
};

// Reads a stream from its current position, which is just past the signature, through a
// buffer of blockSize bytes. A stream that yields fewer bytes than its size announced fails
// with the stream's read error.
class TStmXmlReader final : public TBinXmlReader {
 public:
  // Reads the options.
  TStmXmlReader(TXmlStream& stream, std::size_t blockSize);

 protected:
  void ReadBuf(void* buffer, std::size_t count) override;

 private:
  void Refill();

  TXmlStream& stream_;
  std::size_t blockSize_;
  std::unique_ptr<char[]> buffer_;
};

// A name id outside the name table.
[[noreturn]] void RaiseBinaryBadNameId(std::int32_t id);

}  // namespace xmldom
