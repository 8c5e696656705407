// The peers, each used the way its documentation recommends for a whole document, from memory
// and from a file, keeping comments and processing instructions like our tree does.
#include <expat.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <tinyxml2.h>
#include <fstream>
#include <iterator>
#include <pugixml.hpp>
#include <sstream>
#include <stdexcept>

#include "Engine.h"
#include "RapidXml.h"

namespace {

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

class TPugiEngine : public TEngine {
 public:
  std::string Name() const override { return "pugixml"; }
  void Load(const std::string& text) override {
    Check(doc_.load_buffer(text.data(), text.size(), kOptions));
  }
  void LoadFile(const std::string& path) override { Check(doc_.load_file(path.c_str(), kOptions)); }
  std::size_t Save() override {
    struct TWriter : pugi::xml_writer {
      std::string out;
      void write(const void* data, size_t size) override {
        out.append(static_cast<const char*>(data), size);
      }
    } writer;
    doc_.save(writer);
    return writer.out.size();
  }
  void Clear() override { doc_.reset(); }

 private:
  static constexpr unsigned kOptions =
      pugi::parse_default | pugi::parse_pi | pugi::parse_comments | pugi::parse_declaration;

  static void Check(const pugi::xml_parse_result& result) {
    if (!result) throw std::runtime_error(result.description());
  }

  pugi::xml_document doc_;
};

// Parses in place, so it works on a copy of the text that it owns until the tree is dropped.
class TRapidXmlEngine : public TEngine {
 public:
  std::string Name() const override { return "RapidXML"; }
  void Load(const std::string& text) override {
    buffer_.assign(text.begin(), text.end());
    buffer_.push_back('\0');
    doc_.parse<kOptions>(buffer_.data());
  }
  // Its file helper reads the whole file into a buffer, which the tree then points into.
  void LoadFile(const std::string& path) override {
    file_ = std::make_unique<rapidxml::file<>>(path.c_str());
    doc_.parse<kOptions>(file_->data());
  }
  std::size_t Save() override {
    std::string out;
    rapidxml::print(std::back_inserter(out), doc_, 0);
    return out.size();
  }
  void Clear() override {
    doc_.clear();
    std::vector<char>().swap(buffer_);
    file_.reset();
  }

 private:
  static constexpr int kOptions =
      rapidxml::parse_comment_nodes | rapidxml::parse_pi_nodes | rapidxml::parse_declaration_node;

  rapidxml::xml_document<> doc_;
  std::vector<char> buffer_;
  std::unique_ptr<rapidxml::file<>> file_;
};

class TTinyEngine : public TEngine {
 public:
  std::string Name() const override { return "TinyXML-2"; }
  void Load(const std::string& text) override { Check(doc_.Parse(text.data(), text.size())); }
  void LoadFile(const std::string& path) override { Check(doc_.LoadFile(path.c_str())); }
  std::size_t Save() override {
    tinyxml2::XMLPrinter printer;
    doc_.Print(&printer);
    return std::size_t(printer.CStrSize());
  }
  void Clear() override { doc_.Clear(); }

 private:
  void Check(tinyxml2::XMLError result) {
    if (result != tinyxml2::XML_SUCCESS) throw std::runtime_error(doc_.ErrorStr());
  }

  tinyxml2::XMLDocument doc_;
};

class TLibxml2Engine : public TEngine {
 public:
  ~TLibxml2Engine() override { Clear(); }
  std::string Name() const override { return "libxml2"; }
  void Load(const std::string& text) override {
    Check(xmlReadMemory(text.data(), int(text.size()), "bench.xml", nullptr, kOptions));
  }
  void LoadFile(const std::string& path) override {
    Check(xmlReadFile(path.c_str(), nullptr, kOptions));
  }
  std::size_t Save() override {
    xmlChar* out = nullptr;
    int size = 0;
    xmlDocDumpFormatMemory(doc_, &out, &size, 1);
    xmlFree(out);
    return std::size_t(size);
  }
  void Clear() override {
    if (doc_) xmlFreeDoc(doc_);
    doc_ = nullptr;
  }

 private:
  static constexpr int kOptions = XML_PARSE_NOBLANKS | XML_PARSE_HUGE | XML_PARSE_NONET;

  void Check(xmlDocPtr doc) {
    if (!doc) throw std::runtime_error("libxml2 could not parse the input");
    doc_ = doc;
  }

  xmlDocPtr doc_ = nullptr;
};

class TExpatEngine : public TEngine {
 public:
  std::string Name() const override { return "expat (events)"; }
  void Load(const std::string& text) override {
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_SetElementHandler(
        parser,
        [](void* counter, const XML_Char*, const XML_Char**) { ++*static_cast<long*>(counter); },
        [](void*, const XML_Char*) {});
    XML_SetCharacterDataHandler(parser, [](void*, const XML_Char*, int) {});
    XML_SetUserData(parser, &elements_);
    const bool ok = XML_Parse(parser, text.data(), int(text.size()), 1) == XML_STATUS_OK;
    XML_ParserFree(parser);
    if (!ok) throw std::runtime_error("expat could not parse the input");
  }
  // It has no file reader of its own.
  void LoadFile(const std::string& path) override { Load(ReadWholeFile(path)); }
  void Clear() override { elements_ = 0; }

 private:
  long elements_ = 0;
};

}  // namespace

std::vector<std::unique_ptr<TEngine>> MakePeerEngines() {
  std::vector<std::unique_ptr<TEngine>> engines;
  engines.push_back(std::make_unique<TPugiEngine>());
  engines.push_back(std::make_unique<TRapidXmlEngine>());
  engines.push_back(std::make_unique<TTinyEngine>());
  engines.push_back(std::make_unique<TLibxml2Engine>());
  engines.push_back(std::make_unique<TExpatEngine>());
  return engines;
}

std::vector<std::unique_ptr<TEngine>> MakeAllEngines() {
  auto engines = MakeOwnEngines();
  for (auto& peer : MakePeerEngines()) engines.push_back(std::move(peer));
  return engines;
}
