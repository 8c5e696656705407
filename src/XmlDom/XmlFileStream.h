#pragma once

// A file of the platform layer seen as a TXmlStream, for loading and saving documents.

#include "XmlDom/XmlStream.h"
#include "platform/File.h"

namespace xmldom {

class TXmlFileStream final : public TXmlStream {
 public:
  // The file stays open (and owned by the caller) for the stream's lifetime.
  explicit TXmlFileStream(platform::TFile& file) noexcept : file_(file) {}

  std::int64_t Size() override { return file_.Size(); }
  std::int64_t Position() override { return file_.Position(); }
  void Seek(std::int64_t position) override { file_.Seek(position); }
  std::size_t Read(void* buffer, std::size_t count) override { return file_.Read(buffer, count); }
  void Write(const void* buffer, std::size_t count) override { file_.Write(buffer, count); }

 private:
  platform::TFile& file_;
};

}  // namespace xmldom
