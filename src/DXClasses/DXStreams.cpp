#include "DXClasses/DXStreams.h"

#include <limits>

#include "common/Messages.h"

namespace {

[[noreturn]] void ReadFailed() {
  throw EDXStreamException(std::string(msg::kCouldNotReadStream));
}

[[noreturn]] void WriteFailed() {
  throw EDXStreamException(std::string(msg::kCouldNotWriteStream));
}

}  // namespace

bool TDXReadStream::Read(void* buffer, std::int32_t count) {
  if (count < 0 || (count > 0 && !buffer)) ReadFailed();
  if (count == 0) return true;
  if (!stream_ || stream_->Read(buffer, count, nullptr) != kMoaOk) ReadFailed();
  return true;
}

std::string TDXReadStream::ReadString() {
  std::string text(ReadWord(), '\0');
  if (!text.empty()) Read(text.data(), std::int32_t(text.size()));
  return text;
}

bool TDXWriteStream::Write(const void* buffer, std::int32_t count) {
  if (count < 0 || (count > 0 && !buffer)) WriteFailed();
  if (count == 0) return true;
  if (!countOnly_ && (!stream_ || stream_->Write(buffer, count, nullptr) != kMoaOk)) WriteFailed();
  total_ += count;
  return true;
}

void TDXWriteStream::WriteString(std::string_view value) {
  // A longer text would not fit its length word: read back, it would come out cut short and
  // misplace everything after it.
  if (value.size() > std::numeric_limits<std::uint16_t>::max()) WriteFailed();
  WriteWord(std::uint16_t(value.size()));
  // The bytes raise when they cannot be written, like every other write. Letting that pass
  // quietly would leave a length word that promises bytes the stream does not hold, and the
  // save would report success: the next load would read the following records out of place.
  Write(value.data(), std::int32_t(value.size()));
}
