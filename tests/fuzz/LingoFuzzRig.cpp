#include "LingoFuzzRig.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>

#include "XmlDom/XmlDocument.h"
#include "platform/Desktop.h"

#ifdef _WIN32
#include <process.h>
#define ZEL_GETPID _getpid
#else
#include <unistd.h>
#define ZEL_GETPID getpid
#endif

using namespace xmldom;

namespace fuzzing {
namespace {

[[noreturn]] void Fail(const std::string& why) {
  std::fprintf(stderr, "lingo fuzz rig: %s\n", why.c_str());
  std::abort();
}

constexpr std::string_view kCatalog =
    "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n"
    "<catalog updated='2026-03-07'>\n"
    "  <book id='1' price='12.5' stock='true' count=' 7 '><title>First</title><!--c--></book>\n"
    "  <book id='x' price='cheap' stock='maybe'><title>Second<![CDATA[ & more]]></title>"
    "<title/></book>\n"
    "  text between <?note keep?><empty/>\n"
    "</catalog>";

std::string Nested(int depth) {
  std::string text;
  for (int i = 0; i < depth; ++i) text += "<n>";
  for (int i = 0; i < depth; ++i) text += "</n>";
  return text;
}

std::string BinaryOf(std::string_view xml) {
  auto document = MakeXmlDocument({}, "1.0", {}, nullptr);
  document->LoadXML(xml);
  return document->ToBinaryString();
}

// Nested(999) and Nested(1001), at kFirstDeepDocument, lie just inside the nesting limit and
// just past it.
std::vector<std::string> Documents() {
  const std::string binary = BinaryOf(kCatalog);
  return {std::string(kCatalog),
          "",
          "<a><b></a>",
          binary,
          binary.substr(0, binary.size() / 2),
          binary.substr(0, 20) + std::string(binary.size(), '\xFF'),
          "<!--only a comment-->",
          "plain text",
          "<n a='x' b='1' c='2.5' d='true' e='yes' f='-0' g='1e400' h='2147483648' i=''/>",
          "<!DOCTYPE r [<!ELEMENT r ANY>]><r xmlns:p='u'><p:q p:a='1'/>&amp;&#65;&lt;</r>",
          "<\xCA\xED\xE8\xE3\xE0 "
          "\xE8\xEC\xFF='\xC7\xE5\xEB'>\xD2\xE5\xEA\xF1\xF2</\xCA\xED\xE8\xE3\xE0>",
          Nested(999),
          Nested(1001),
          "<a><b/><b/><c/>t<b/></a>",
          "<a b='1' b='2'/>",
          "< binary-xml >"};
}

std::vector<std::string> Names() {
  return {"catalog",
          "book",
          "title",
          "id",
          "price",
          "stock",
          "count",
          "updated",
          "a",
          "b",
          "c",
          "n",
          "#text",
          "",
          "*",
          "a/b",
          "@id",
          "book ",
          "BOOK",
          "p:q",
          "_a-b.c",
          "1a",
          "\xCA\xED\xE8\xE3\xE0",
          "\xE8\xEC\xFF"};
}

std::vector<std::string> Paths() {
  return {"book/title",
          "/book/",
          "book//title",
          "a///b",
          "",
          "/",
          "//",
          "catalog/book",
          "book/title/x",
          "b/../b",
          "book/*",
          std::string(300, 'n'),
          [] {
            std::string path;
            for (int i = 0; i < 140; ++i) path += "n/";
            return path;
          }()};
}

// The folder of the files goes with the process.
struct TFolderRemover {
  std::filesystem::path Folder;
  ~TFolderRemover() {
    std::error_code ignored;
    std::filesystem::remove_all(Folder, ignored);
  }
};

void WriteFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
  if (!out) Fail("cannot write " + path);
}

}  // namespace

std::string_view TByteReader::Bytes(std::size_t count) {
  count = std::min(count, size_ - std::min(position_, size_));
  const std::string_view bytes(reinterpret_cast<const char*>(data_) + position_, count);
  position_ += count;
  return bytes;
}

TLingoRig& TLingoRig::Get() {
  // Never destroyed: the module stays loaded until the process ends, as the fuzzer's coverage
  // counters of the module must stay mapped.
  static TLingoRig* rig = new TLingoRig;
  return *rig;
}

TLingoRig::TLingoRig() {
  platform::SetProcessDesktop({.Box = [](std::string_view, std::string_view) {}, .Clock = {}});
  // The first instance reads the run mode: authoring, so that the box and the log can be on.
  host_.SetRunMode("Author");
  if (!host_.Load(ZELXML_MODULE) || !platform::AttachModuleToDesktop(ZELXML_MODULE) ||
      host_.Register() != kMoaOk)
    Fail("the module does not load: " + host_.LastError());
  WriteFiles();
}

void TLingoRig::WriteFiles() {
  const auto folder = std::filesystem::temp_directory_path() /
                      ("zelxml-fuzz-lingo-" + std::to_string(ZEL_GETPID()));
  std::filesystem::create_directories(folder);
  static const TFolderRemover remover{folder};
  folder_ = folder.string();
  const auto path = [&](const char* name) { return (folder / name).string(); };
  pools_.Documents = Documents();
  WriteFile(path("catalog.xml"), pools_.Documents[0]);
  WriteFile(path("catalog.bin"), pools_.Documents[3]);
  WriteFile(path("damaged.xml"), pools_.Documents[2]);
  WriteFile(path("broken.bin"), pools_.Documents[5]);
  WriteFile(path("empty.xml"), "");
  WriteFile(path("deep.xml"), pools_.Documents[kFirstDeepDocument + 1]);
  pools_.Files = {path("catalog.xml"),
                  path("catalog.bin"),
                  path("damaged.xml"),
                  path("broken.bin"),
                  path("empty.xml"),
                  path("deep.xml"),
                  path("missing.xml"),
                  folder_,
                  "",
                  "catalog.xml",
                  path("no/such/folder.xml")};
  pools_.Names = Names();
  pools_.Paths = Paths();
  pools_.LogFile = path("errors.log");
  pools_.LogFiles = {pools_.LogFile, "", path("no/such/errors.log")};
}

// ---- Values

dxhost::THostValue TValueMaker::Argument(int declaredKind, TStringRole role) {
  const std::uint8_t choice = bytes_.Byte();
  if (choice >= 200) return AnyValue(0);
  switch (declaredKind) {
    case 2:
      return Integer();
    case 3:
      return String(role);
    case 10:
      return choice % 2 ? PropertyList(0) : List(0);
    default:
      return AnyValue(0);
  }
}

dxhost::THostValue TValueMaker::AnyValue(int depth) {
  dxhost::THostValues& values = host_.Values();
  switch (bytes_.Byte() % 12) {
    case 0:
      return values.Void();
    case 1:
      return Integer();
    case 2:
      return Float();
    case 3:
      return String(TStringRole::Any);
    case 4:
      return Symbol();
    case 5:
      return List(depth);
    case 6:
      return PropertyList(depth);
    case 7:
      return values.Point(bytes_.Byte(), -1);
    case 8:
      return values.Rect(0, 1, 2, bytes_.Byte());
    case 9:
      return values.RGB(bytes_.Byte(), 0, 255);
    case 10:
      return values.Object("zelXMLParser");
    default:
      return String(TStringRole::Name);
  }
}

dxhost::THostValue TValueMaker::Integer() {
  constexpr MoaLong kTelling[] = {std::numeric_limits<MoaLong>::min(),
                                  std::numeric_limits<MoaLong>::max(),
                                  -1,
                                  0,
                                  1,
                                  2,
                                  3,
                                  255,
                                  256,
                                  65536};
  const std::uint8_t choice = bytes_.Byte();
  if (choice < 200) return host_.Values().Integer(MoaLong(choice % 8) - 2);
  if (choice < 250) return host_.Values().Integer(kTelling[choice % std::size(kTelling)]);
  std::uint32_t raw = 0;
  for (int i = 0; i < 4; ++i) raw = raw << 8 | bytes_.Byte();
  return host_.Values().Integer(MoaLong(raw));
}

dxhost::THostValue TValueMaker::Float() {
  constexpr double kTelling[] = {0.0,
                                 -0.0,
                                 0.5,
                                 -1.5,
                                 2.9999999,
                                 1e308,
                                 std::numeric_limits<double>::infinity(),
                                 std::numeric_limits<double>::quiet_NaN(),
                                 4294967296.0,
                                 -2147483649.0};
  return host_.Values().Float(kTelling[bytes_.Byte() % std::size(kTelling)]);
}

dxhost::THostValue TValueMaker::String(TStringRole role) {
  const std::uint8_t choice = bytes_.Byte();
  // File names come from the pools only: a name from the bytes could be any file at all, and a
  // log is written wherever it names.
  const bool fileName = role == TStringRole::File || role == TStringRole::LogFile;
  if (choice >= 200 && !fileName) return host_.Values().String(bytes_.Bytes(bytes_.Byte()));
  const std::vector<std::string>* pool = &pools_.Names;
  switch (role) {
    case TStringRole::Document:
      return host_.Values().String(pools_.Documents[DocumentIndex(choice)]);
    case TStringRole::File:
      pool = &pools_.Files;
      break;
    case TStringRole::Path:
      pool = &pools_.Paths;
      break;
    case TStringRole::LogFile:
      pool = &pools_.LogFiles;
      break;
    case TStringRole::Name:
      break;
    case TStringRole::Any:
      pool = choice % 2 ? &pools_.Paths : &pools_.Names;
      break;
  }
  return host_.Values().String((*pool)[choice % pool->size()]);
}

std::size_t TValueMaker::DocumentIndex(std::uint8_t choice) const {
  // A document nested a thousand deep makes each call on it a hundred times dearer than one on
  // any other (its XML alone runs to a megabyte): only the byte that is its index chooses it,
  // where an even share of the pool would spend most of the fuzzer's time on them.
  const std::size_t index = choice % pools_.Documents.size();
  const bool deep = index >= kFirstDeepDocument && index < kFirstDeepDocument + kDeepDocuments;
  return deep && choice != index ? choice % kFirstDeepDocument : index;
}

dxhost::THostValue TValueMaker::Symbol() {
  const std::string& name = pools_.Names[bytes_.Byte() % pools_.Names.size()];
  return host_.Values().Symbol(name.empty() ? "void" : name);
}

dxhost::THostValue TValueMaker::List(int depth) {
  dxhost::THostValue list = host_.Values().List({});
  const int count = depth >= 3 ? 0 : bytes_.Byte() % 5;
  for (int i = 0; i < count; ++i) {
    MoaMmValue raw = list.Raw();
    const dxhost::THostValue item = AnyValue(depth + 1);
    host_.ValueService().Lists().AppendValue(&raw, &item.Raw());
  }
  return list;
}

dxhost::THostValue TValueMaker::PropertyList(int depth) {
  dxhost::THostValue list = host_.Values().PropertyList({});
  const int count = depth >= 3 ? 0 : bytes_.Byte() % 5;
  for (int i = 0; i < count; ++i) {
    MoaMmValue raw = list.Raw();
    const std::uint8_t nameKind = bytes_.Byte();
    const dxhost::THostValue name = nameKind < 200   ? Symbol()
                                    : nameKind < 230 ? String(TStringRole::Name)
                                                     : Integer();
    const dxhost::THostValue value = AnyValue(depth + 1);
    host_.ValueService().Lists().AppendProperty(&raw, &name.Raw(), &value.Raw());
  }
  return list;
}

}  // namespace fuzzing
