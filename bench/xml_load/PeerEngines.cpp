// The peers, each used the way its documentation recommends for a whole document held in
// memory, keeping comments and processing instructions like our tree does.
#include <expat.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <tinyxml2.h>
#include <pugixml.hpp>
#include <stdexcept>

#include "Engine.h"

namespace {

class TPugiEngine : public TEngine {
 public:
  std::string Name() const override { return "pugixml"; }
  void Load(const std::string& text) override {
    const auto result = doc_.load_buffer(
        text.data(), text.size(),
        pugi::parse_default | pugi::parse_pi | pugi::parse_comments | pugi::parse_declaration);
    if (!result) throw std::runtime_error(result.description());
  }
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
  pugi::xml_document doc_;
};

class TTinyEngine : public TEngine {
 public:
  std::string Name() const override { return "TinyXML-2"; }
  void Load(const std::string& text) override {
    if (doc_.Parse(text.data(), text.size()) != tinyxml2::XML_SUCCESS)
      throw std::runtime_error(doc_.ErrorStr());
  }
  std::size_t Save() override {
    tinyxml2::XMLPrinter printer;
    doc_.Print(&printer);
    return std::size_t(printer.CStrSize());
  }
  void Clear() override { doc_.Clear(); }

 private:
  tinyxml2::XMLDocument doc_;
};

class TLibxml2Engine : public TEngine {
 public:
  ~TLibxml2Engine() override { Clear(); }
  std::string Name() const override { return "libxml2"; }
  void Load(const std::string& text) override {
    doc_ = xmlReadMemory(text.data(), int(text.size()), "bench.xml", nullptr,
                         XML_PARSE_NOBLANKS | XML_PARSE_HUGE | XML_PARSE_NONET);
    if (!doc_) throw std::runtime_error("libxml2 could not parse the input");
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
  void Clear() override { elements_ = 0; }

 private:
  long elements_ = 0;
};

}  // namespace

std::vector<std::unique_ptr<TEngine>> MakePeerEngines() {
  std::vector<std::unique_ptr<TEngine>> engines;
  engines.push_back(std::make_unique<TPugiEngine>());
  engines.push_back(std::make_unique<TTinyEngine>());
  engines.push_back(std::make_unique<TLibxml2Engine>());
  engines.push_back(std::make_unique<TExpatEngine>());
  return engines;
}
