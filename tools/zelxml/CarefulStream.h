#pragma once

// A careful output (tools/careful-output) as the stream a document saves to. Saving only ever
// writes on, so the stream goes nowhere but forward.

#include "CarefulOutput.h"
#include "XmlDom/XmlStream.h"
#include "common/Error.h"
#include "common/Messages.h"

class TCarefulStream final : public xmldom::TXmlStream {
 public:
  explicit TCarefulStream(careful_output::TCarefulOutput& output) noexcept : output_(output) {}

  std::int64_t Size() override { return output_.Written(); }
  std::int64_t Position() override { return output_.Written(); }
  void Seek(std::int64_t position) override {
    if (position != output_.Written()) throw EXmlError(msg::kStreamWriteError);
  }
  std::size_t Read(void*, std::size_t) override { return 0; }
  void Write(const void* buffer, std::size_t count) override { output_.Write(buffer, count); }

 private:
  careful_output::TCarefulOutput& output_;
};
