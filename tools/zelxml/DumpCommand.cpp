#include <exception>

#include "Commands.h"
#include "TreeOutline.h"
#include "XmlDom/XmlDocument.h"
#include "common/Error.h"

using namespace xmldom;

const char* const kDumpHelp =
    "usage: zelxml dump FILE [--compact]\n"
    "\n"
    "Loads FILE (text XML, or binary XML told by its signature) and prints its tree,\n"
    "one node per line, indented by level: node types, names, attributes, and values\n"
    "in their text form followed by their type codes (256 for text). With --compact,\n"
    "text input keeps its whitespace-only text.\n";

int RunDump(const TArgs& args, std::ostream& out, std::ostream& err) {
  if (AsksForHelp(args)) {
    out << kDumpHelp;
    return kZelXmlOk;
  }
  std::vector<std::string> files;
  bool compact = false;
  for (const std::string& arg : args) {
    if (arg == "--compact")
      compact = true;
    else
      files.push_back(arg);
  }
  if (files.size() != 1) {
    err << kDumpHelp;
    return kZelXmlUsage;
  }
  try {
    auto document = MakeXmlDocument();
    document->SetKeepWhitespace(compact);
    document->Load(files[0]);
    WriteTreeOutline(*document, out);
  } catch (const EXmlError& error) {
    err << error.Message() << "\n";
    return kZelXmlFailed;
  } catch (const std::exception& error) {
    err << "zelxml dump: " << error.what() << "\n";
    return kZelXmlFailed;
  }
  return kZelXmlOk;
}
