#include "ConvertProgress.h"

#include <algorithm>

TConvertProgress::TConvertProgress(std::ostream& terminal, bool shown, std::string in,
                                   std::string out)
    : terminal_(terminal), shown_(shown), in_(std::move(in)), out_(std::move(out)) {}

TConvertProgress::~TConvertProgress() {
  if (width_ == 0) return;
  terminal_ << '\r' << std::string(width_, ' ') << '\r' << std::flush;
}

void TConvertProgress::Reading(std::int64_t done, std::int64_t total) {
  const int percent = total > 0 ? int(done * 100 / total) : 100;
  if (!shown_ || percent == percent_) return;
  percent_ = percent;
  Show("zelxml convert: reading " + in_ + ' ' + std::to_string(percent) + '%');
}

void TConvertProgress::Writing(std::int64_t done) {
  const std::int64_t megabytes = done >> 20;
  if (!shown_ || megabytes == megabytes_) return;
  megabytes_ = megabytes;
  Show("zelxml convert: writing " + out_ + ' ' + std::to_string(megabytes) + " MB");
}

// A shorter line than the one before is padded, so that nothing of that one stays visible.
void TConvertProgress::Show(const std::string& line) {
  terminal_ << '\r' << line;
  if (line.size() < width_) terminal_ << std::string(width_ - line.size(), ' ');
  terminal_ << std::flush;
  width_ = std::max(width_, line.size());
}

TWatchedStream::TWatchedStream(TXmlStream& stream, TWatcher reading, TWatcher writing)
    : stream_(stream),
      reading_(std::move(reading)),
      writing_(std::move(writing)),
      position_(stream.Position()) {}

void TWatchedStream::Seek(std::int64_t position) {
  stream_.Seek(position);
  position_ = position;
}

std::size_t TWatchedStream::Read(void* buffer, std::size_t count) {
  const std::size_t got = stream_.Read(buffer, count);
  position_ += std::int64_t(got);
  if (reading_) reading_(position_);
  return got;
}

void TWatchedStream::Write(const void* buffer, std::size_t count) {
  stream_.Write(buffer, count);
  position_ += std::int64_t(count);
  written_ += std::int64_t(count);
  if (writing_) writing_(written_);
}
