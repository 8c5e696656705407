#include <exception>
#include <sstream>

#include "Commands.h"
#include "InputDocument.h"
#include "TreeOutline.h"
#include "XmlDom/XmlDocument.h"
#include "common/Error.h"

using namespace xmldom;

const char* const kDumpHelp =
    "usage: zelxml dump FILE [--compact]\n"
    "\n"
    "Loads FILE (text XML, or binary XML told by its signature; - is the standard input)\n"
    "and prints its tree,\n"
    "one node per line, indented by level: node types, names, attributes, and values\n"
    "in their text form followed by their type codes (256 for text). With --compact,\n"
    "text input keeps its whitespace-only text.\n";

int RunDump(const TArgs& args, const TZelXmlOutput& output) {
  if (AsksForHelp(args)) {
    output.Out << kDumpHelp;
    return kZelXmlOk;
  }
  std::vector<std::string> files;
  bool compact = false;
  for (const std::string& arg : args) {
    if (arg == "--compact") {
      compact = true;
    } else if (IsOption(arg)) {
      output.Err << "zelxml dump: unknown option \"" << arg << "\"\n\n" << kDumpHelp;
      return kZelXmlUsage;
    } else {
      files.push_back(arg);
    }
  }
  if (files.size() != 1) {
    output.Err << "zelxml dump: needs one FILE, " << (files.empty() ? "none" : "more")
               << " given\n\n"
               << kDumpHelp;
    return kZelXmlUsage;
  }
  try {
    auto document = MakeXmlDocument();
    document->SetKeepWhitespace(compact);
    LoadInput(*document, files[0], output);
    std::ostringstream outline;
    WriteTreeOutline(NodeOf(document.Get()), outline);
    output.Out << Shown(output, outline.str());
  } catch (const EXmlError& error) {
    output.Err << Shown(output, error.Message(), {files[0]}) << "\n";
    return kZelXmlFailed;
  } catch (const std::exception& error) {
    output.Err << "zelxml dump: " << Shown(output, error.what(), {files[0]}) << "\n";
    return kZelXmlFailed;
  }
  return kZelXmlOk;
}
