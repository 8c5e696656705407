#include "XmlDom/BinXmlReader.h"

#include "XmlDom/XmlPlacedValue.h"

#include <algorithm>
#include <bit>

#include "XmlDom/XmlErrors.h"
#include "common/Error.h"
#include "common/FormatText.h"
#include "common/Messages.h"
#include "platform/CodePage.h"

namespace xmldom {

// Fixed-size fields are little-endian in the file and are copied as they are.
static_assert(std::endian::native == std::endian::little);

namespace {

// Long fields from a stream arrive in pieces of this size, so a stream that announces more
// than it holds fails before much memory is spent on its promise.
constexpr std::size_t kLongReadPiece = std::size_t(1) << 20;

template <class T>
T ReadRaw(TBinXmlReader& reader) {
  T value;
  reader.Read(&value, sizeof value);
  return value;
}

std::string_view ReadWideView(TBinXmlReader& reader, std::string& scratch) {
  const std::int32_t units = reader.ReadCount(2);
  std::u16string wide(std::size_t(units), u'\0');
  reader.Read(wide.data(), wide.size() * 2);
  scratch = platform::WideToAnsi(wide);
  return scratch;
}

XmlValue ReadWideValue(TBinXmlReader& reader) {
  const std::int32_t units = reader.ReadCount(2);
  std::u16string wide(std::size_t(units), u'\0');
  reader.Read(wide.data(), wide.size() * 2);
  return XmlValue::FromWideString(wide);
}

}  // namespace

void RaiseBinaryBadNameId(std::int32_t id) {
  throw EXmlError(FormatText(msg::kBinaryBadNameId, {id}));
}

// ---- TBinXmlReader.

void TBinXmlReader::ReadOptions() {
  options_ = ReadRaw<std::uint32_t>(*this);
}

std::int32_t TBinXmlReader::ReadIntSlowly() {
  const std::uint8_t first = ReadByte();
  if (first < 0x80) return first;
  if (first != 0xFF) return std::int32_t((first & 0x7F) << 8 | ReadByte());
  return ReadRaw<std::int32_t>(*this);
}

// The bytes run past the window: they are read piece by piece into scratch.
std::string_view TBinXmlReader::CollectView(std::size_t count, std::string& scratch) {
  if (std::int64_t(count) > Remaining()) RaiseDataReadError();
  scratch.clear();
  while (scratch.size() < count) {
    const std::size_t done = scratch.size();
    const std::size_t piece = std::min(count - done, kLongReadPiece);
    scratch.resize(done + piece);
    Read(scratch.data() + done, piece);
  }
  return scratch;
}

std::string_view TBinXmlReader::ReadStringView(std::string& scratch) {
  if (options_ & kBinXmlWideStrings) return ReadWideView(*this, scratch);
  return ReadView(std::size_t(ReadCount(1)), scratch);
}

std::string TBinXmlReader::ReadString() {
  std::string scratch;
  return std::string(ReadStringView(scratch));
}

XmlValue TBinXmlReader::ReadValue() {
  return ReadValueOfType(ReadInt());
}

TXmlPlacedValue TBinXmlReader::ReadPlacedOfType(TXmlNodeStore& store, std::int32_t type) {
  return PlaceValue(store, ReadValueOfType(type));
}

XmlValue TBinXmlReader::ReadValueOfType(std::int32_t type) {
  switch (type) {
    case xvtEmpty:
      return {};
    case xvtNull:
      return XmlValue::Null();
    case xvtInt16:
      return XmlValue::FromInt16(ReadRaw<std::int16_t>(*this));
    case xvtInt32:
      return XmlValue::FromInt32(ReadRaw<std::int32_t>(*this));
    case xvtFloat32:
      return XmlValue::FromFloat32(ReadRaw<float>(*this));
    case xvtFloat64:
      return XmlValue::FromFloat64(ReadRaw<double>(*this));
    case xvtCurrency:
      return XmlValue::FromCurrency(ReadRaw<std::int64_t>(*this));
    case xvtDateTime:
      return XmlValue::FromDateTime(ReadRaw<double>(*this));
    case xvtWideString:
      return ReadWideValue(*this);
    case xvtBoolean:
      return XmlValue::FromBooleanBits(ReadRaw<std::int16_t>(*this));
    case xvtInt8:
      return XmlValue::FromInt8(ReadRaw<std::int8_t>(*this));
    case xvtUInt8:
      return XmlValue::FromUInt8(ReadRaw<std::uint8_t>(*this));
    case xvtUInt16:
      return XmlValue::FromUInt16(ReadRaw<std::uint16_t>(*this));
    case xvtUInt32:
      return XmlValue::FromUInt32(ReadRaw<std::uint32_t>(*this));
    case xvtInt64:
      return XmlValue::FromInt64(ReadRaw<std::int64_t>(*this));
    case xvtString:
    case xvtByteArray: {
      std::string scratch;
      const std::string_view bytes = ReadView(std::size_t(ReadCount(1)), scratch);
      return type == xvtString ? XmlValue::FromString(bytes) : XmlValue::FromByteArray(bytes);
    }
    default:
      throw EXmlError(msg::kValueReadBadType);
  }
}

// ---- TStrXmlReader.

TStrXmlReader::TStrXmlReader(std::string_view bytes) {
  pos_ = bytes.data();
  end_ = bytes.data() + bytes.size();
  if (bytes.size() < kBinXmlSignature.size()) RaiseDataReadError();
  pos_ += kBinXmlSignature.size();
  ReadOptions();
}

// The window is the whole string: whatever runs past it is beyond the end.
void TStrXmlReader::ReadBuf(void*, std::size_t) {
  RaiseDataReadError();
}

// ---- TStmXmlReader.

TStmXmlReader::TStmXmlReader(TXmlStream& stream, std::size_t blockSize)
    : stream_(stream),
      blockSize_(std::max<std::size_t>(blockSize, 1)),
      buffer_(new char[blockSize_]) {
  unbuffered_ = std::max<std::int64_t>(stream.Size() - stream.Position(), 0);
  pos_ = end_ = buffer_.get();
  ReadOptions();
}

void TStmXmlReader::ReadBuf(void* buffer, std::size_t count) {
  if (std::int64_t(count) > Remaining()) RaiseDataReadError();
  auto* out = static_cast<char*>(buffer);
  const std::size_t buffered = std::size_t(end_ - pos_);
  std::memcpy(out, pos_, buffered);
  pos_ = end_;
  out += buffered;
  count -= buffered;
  if (count >= blockSize_) {
    // Too long for the buffer: straight from the stream.
    stream_.ReadExactly(out, count);
    unbuffered_ -= std::int64_t(count);
    return;
  }
  Refill();
  std::memcpy(out, pos_, count);
  pos_ += count;
}

void TStmXmlReader::Refill() {
  const auto size = std::size_t(std::min<std::int64_t>(unbuffered_, std::int64_t(blockSize_)));
  stream_.ReadExactly(buffer_.get(), size);
  unbuffered_ -= std::int64_t(size);
  pos_ = buffer_.get();
  end_ = pos_ + size;
}

}  // namespace xmldom
