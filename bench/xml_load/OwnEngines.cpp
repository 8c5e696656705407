// Our library in the load benchmark: text loading with LoadXML (Load of the file when cold),
// binary loading with LoadBinaryString of the same document's binary form, and GetXML of the
// loaded tree.
#include "Engine.h"
#include "XmlDom/XmlDocument.h"

using namespace xmldom;

namespace {

class TOwnEngine : public TEngine {
 public:
  void LoadFile(const std::string& path) override { document_->Load(path); }
  std::size_t Save() override { return document_->GetXML().size(); }
  void Clear() override { document_->ClearChildren(); }

 protected:
  Ref<IXmlDocument> document_ = MakeXmlDocument();
};

class TTextEngine final : public TOwnEngine {
 public:
  std::string Name() const override { return "zelXML text"; }
  void Load(const std::string& text) override { document_->LoadXML(text); }
};

class TBinaryEngine final : public TOwnEngine {
 public:
  std::string Name() const override { return "zelXML binary"; }
  bool ReadsBinary() const override { return true; }
  void Load(const std::string& binary) override { document_->LoadBinaryString(binary); }
};

}  // namespace

std::vector<std::unique_ptr<TEngine>> MakeOwnEngines() {
  std::vector<std::unique_ptr<TEngine>> engines;
  engines.push_back(std::make_unique<TTextEngine>());
  engines.push_back(std::make_unique<TBinaryEngine>());
  return engines;
}

std::string MakeOwnBinaryForm(const std::string& text) {
  auto document = MakeXmlDocument();
  document->LoadXML(text);
  return document->ToBinaryString();
}
