#include "XmlDom/BinXmlWriter.h"

#include <algorithm>
#include <bit>
#include <limits>

#include "common/Error.h"
#include "common/Messages.h"
#include "platform/CodePage.h"

namespace xmldom {

// Fixed-size fields are little-endian in the file and are copied as they are.
static_assert(std::endian::native == std::endian::little);

namespace {

template <class T>
void WriteRaw(TBinXmlWriter& writer, T value) {
  writer.Write(&value, sizeof value);
}

[[noreturn]] void RaiseBadValueType() {
  throw EXmlError(msg::kValueWriteBadType);
}

// Lengths are 32-bit in the file.
std::int32_t LengthOf(std::size_t size) {
  if (size > std::size_t(std::numeric_limits<std::int32_t>::max())) RaiseBadValueType();
  return std::int32_t(size);
}

void WriteBytes(TBinXmlWriter& writer, std::string_view bytes) {
  writer.WriteInt(LengthOf(bytes.size()));
  writer.Write(bytes.data(), bytes.size());
}

void WriteWide(TBinXmlWriter& writer, std::u16string_view units) {
  writer.WriteInt(LengthOf(units.size()));
  writer.Write(units.data(), units.size() * 2);
}

}  // namespace

// ---- TBinXmlWriter.

void TBinXmlWriter::WriteHeader() {
  Write(kBinXmlSignature.data(), kBinXmlSignature.size());
  WriteRaw(*this, options_);
}

void TBinXmlWriter::WriteIntSlowly(std::int32_t value) {
  if (value >= 0 && value <= 0x7F) {
    WriteByte(std::uint8_t(value));
  } else if (value >= 0 && value <= 0x7EFF) {
    WriteByte(std::uint8_t(value >> 8 | 0x80));
    WriteByte(std::uint8_t(value));
  } else {
    WriteByte(0xFF);
    WriteRaw(*this, value);
  }
}

void TBinXmlWriter::WriteString(std::string_view text) {
  if (options_ & kBinXmlWideStrings)
    WriteWide(*this, platform::AnsiToWide(text));
  else
    WriteBytes(*this, text);
}

void TBinXmlWriter::WriteValue(const XmlValue& value) {
  const std::uint16_t type = value.Type();
  if (!IsXmlValueType(type)) RaiseBadValueType();
  WriteInt(type);
  switch (type) {
    case xvtEmpty:
    case xvtNull:
      return;
    case xvtInt8:
    case xvtUInt8:
      return WriteRaw(*this, std::uint8_t(value.Int()));
    case xvtInt16:
    case xvtUInt16:
    case xvtBoolean:
      return WriteRaw(*this, std::uint16_t(value.Int()));
    case xvtInt32:
    case xvtUInt32:
      return WriteRaw(*this, std::uint32_t(value.Int()));
    case xvtInt64:
    case xvtCurrency:
      return WriteRaw(*this, value.Int());
    case xvtFloat32:
      return WriteRaw(*this, value.Float32());
    case xvtFloat64:
    case xvtDateTime:
      return WriteRaw(*this, value.Float64());
    case xvtWideString: {
      const std::string_view bytes = value.ByteView();
      WriteInt(LengthOf(bytes.size() / 2));
      return Write(bytes.data(), bytes.size() / 2 * 2);
    }
    default:  // byte strings and byte arrays
      return WriteBytes(*this, value.ByteView());
  }
}

// ---- TStrXmlWriter.

TStrXmlWriter::TStrXmlWriter(std::uint32_t options, std::size_t blockSize)
    : TBinXmlWriter(options),
      buffer_(new char[std::max<std::size_t>(blockSize, 1)]),
      blockSize_(std::max<std::size_t>(blockSize, 1)) {
  pos_ = buffer_.get();
  end_ = pos_ + blockSize_;
  WriteHeader();
}

void TStrXmlWriter::Flush() {
  result_.append(buffer_.get(), std::size_t(pos_ - buffer_.get()));
  pos_ = buffer_.get();
}

std::string TStrXmlWriter::TakeResult() {
  Flush();
  return std::move(result_);
}

void TStrXmlWriter::WriteBuf(const void* data, std::size_t count) {
  Flush();
  result_.append(static_cast<const char*>(data), count);
}

// ---- TStmXmlWriter.

TStmXmlWriter::TStmXmlWriter(TXmlStream& stream, std::size_t blockSize, std::uint32_t options)
    : TBinXmlWriter(options),
      stream_(stream),
      buffer_(new char[std::max<std::size_t>(blockSize, 1)]),
      blockSize_(std::max<std::size_t>(blockSize, 1)) {
  pos_ = buffer_.get();
  end_ = pos_ + blockSize_;
  WriteHeader();
}

TStmXmlWriter::~TStmXmlWriter() {
  try {
    Flush();
  } catch (...) {
    // Nothing can be reported from here; a caller that needs to know calls Flush itself.
  }
}

void TStmXmlWriter::Flush() {
  const std::size_t size = std::size_t(pos_ - buffer_.get());
  // Emptied first: a failed write is not repeated by the destructor.
  pos_ = buffer_.get();
  if (size > 0) stream_.Write(buffer_.get(), size);
}

void TStmXmlWriter::WriteBuf(const void* data, std::size_t count) {
  Flush();
  if (count >= blockSize_) {
    stream_.Write(data, count);
    return;
  }
  std::memcpy(pos_, data, count);
  pos_ += count;
}

}  // namespace xmldom
