// Our library in the load benchmark: text loading with LoadXML, binary loading with
// LoadBinaryString of the same document's binary form, and GetXML of the loaded tree.
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

#include "Engine.h"
#include "XmlDom/XmlDocument.h"
#include "common/Error.h"

using namespace xmldom;

namespace {

class TOwnEngine : public TEngine {
 public:
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

// Loads the binary form made once from the text, whatever text it is handed.
class TBinaryEngine final : public TOwnEngine {
 public:
  explicit TBinaryEngine(const std::string& binary) : binary_(binary) {}
  std::string Name() const override { return "zelXML binary"; }
  void Load(const std::string&) override { document_->LoadBinaryString(binary_); }

 private:
  const std::string& binary_;
};

// The binary form is made in a child process: the library keeps freed node memory for reuse,
// and memory used here would hide the growth that the benchmark measures in later children.
std::string MakeBinaryForm(const std::string& text) {
  int channel[2];
  if (pipe(channel) != 0) throw std::runtime_error("no pipe");
  const pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    int status = 0;
    try {
      auto document = MakeXmlDocument();
      document->LoadXML(text);
      const std::string binary = document->ToBinaryString();
      for (std::size_t done = 0; done < binary.size();) {
        const ssize_t n = write(channel[1], binary.data() + done, binary.size() - done);
        if (n <= 0) break;
        done += std::size_t(n);
      }
    } catch (const EXmlError& error) {
      (void)!write(2, error.Message().data(), error.Message().size());
      status = 1;
    }
    _exit(status);
  }
  close(channel[1]);
  std::string binary;
  char buffer[65536];
  for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;) binary.append(buffer, n);
  close(channel[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (status != 0) throw std::runtime_error("the input could not be turned into binary XML");
  return binary;
}

// Made once per input, before the first child is forked, which then inherits it.
const std::string& BinaryFormOf(const std::string& text) {
  static const std::string* madeFor = nullptr;
  static std::string binary;
  if (madeFor != &text) {
    binary = MakeBinaryForm(text);
    madeFor = &text;
  }
  return binary;
}

}  // namespace

std::vector<std::unique_ptr<TEngine>> MakeOwnEngines(const std::string& text) {
  std::vector<std::unique_ptr<TEngine>> engines;
  engines.push_back(std::make_unique<TTextEngine>());
  engines.push_back(std::make_unique<TBinaryEngine>(BinaryFormOf(text)));
  return engines;
}
