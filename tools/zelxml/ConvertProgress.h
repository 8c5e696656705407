#pragma once

// What a long convert shows while it runs, on one line of a terminal that is rewritten in
// place: the share of IN read, then the megabytes of OUT written. The line is cleared when
// the conversion ends, however it ends, so that what follows starts on a clean line.
//
//   zelxml convert: reading big.xml 42%
//   zelxml convert: writing big.bin 12 MB

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>

#include "XmlDom/XmlStream.h"

// Inputs smaller than this convert too fast for progress to be read: the release build turns
// 64 MiB of record-style XML into binary XML in 0.9 s of processor time, so 8 MiB take about
// a tenth of a second.
inline constexpr std::int64_t kProgressMinimumBytes = std::int64_t(8) << 20;

class TConvertProgress {
 public:
  // Shows nothing when shown is false. in and out are the names as shown.
  TConvertProgress(std::ostream& terminal, bool shown, std::string in, std::string out);
  TConvertProgress(const TConvertProgress&) = delete;
  TConvertProgress& operator=(const TConvertProgress&) = delete;
  ~TConvertProgress();

  // From now on nothing is shown (the input turned out to be small).
  void Hide() { shown_ = false; }
  void Reading(std::int64_t done, std::int64_t total);
  void Writing(std::int64_t done);

 private:
  void Show(const std::string& line);

  std::ostream& terminal_;
  bool shown_;
  std::string in_, out_;
  int percent_ = -1;
  std::int64_t megabytes_ = -1;
  std::size_t width_ = 0;  // of the line shown last
};

// A stream that passes everything to another and tells how far reading or writing has got.
class TWatchedStream final : public xmldom::TXmlStream {
 public:
  using TWatcher = std::function<void(std::int64_t bytes)>;

  // reading: the stream's position after each read; writing: the bytes written through it.
  TWatchedStream(xmldom::TXmlStream& stream, TWatcher reading, TWatcher writing);

  std::int64_t Size() override { return stream_.Size(); }
  std::int64_t Position() override { return position_; }
  void Seek(std::int64_t position) override;
  std::size_t Read(void* buffer, std::size_t count) override;
  void Write(const void* buffer, std::size_t count) override;

 private:
  xmldom::TXmlStream& stream_;
  TWatcher reading_, writing_;
  std::int64_t position_, written_ = 0;
};
