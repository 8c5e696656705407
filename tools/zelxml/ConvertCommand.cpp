#include <exception>

#include "Commands.h"
#include "ReplacingOutput.h"
#include "XmlDom/BinXmlReader.h"
#include "XmlDom/XmlDocument.h"
#include "common/Error.h"

using namespace xmldom;

const char* const kConvertHelp =
    "usage: zelxml convert IN OUT [--binary [--utf16]] [--compact | --indented]\n"
    "\n"
    "Loads IN (text XML, or binary XML told by its signature) and writes it to OUT:\n"
    "  (default)     as XML text\n"
    "  --binary      as binary XML\n"
    "  --utf16       in binary XML, store names and texts as UTF-16 (option bit 0)\n"
    "  --indented    keep no whitespace-only text: text input drops it, and XML text is\n"
    "                written with every element on a line of its own, indented with\n"
    "                tabs (the default)\n"
    "  --compact     keep whitespace: text input keeps every text run, and XML text is\n"
    "                written exactly as the tree holds it\n"
    "OUT is written to a temporary file first and replaces an existing OUT only when\n"
    "complete; on failure it is left as it was.\n";

namespace {

struct TConvertOptions {
  std::string In, Out;
  bool Binary = false, Wide = false, Compact = false;
};

// False, with the reason in err, when the arguments do not make a conversion.
bool ParseOptions(const TArgs& args, TConvertOptions& options, std::ostream& err) {
  std::vector<std::string> files;
  bool compact = false, indented = false;
  for (const std::string& arg : args) {
    if (arg == "--binary") {
      options.Binary = true;
    } else if (arg == "--utf16") {
      options.Wide = true;
    } else if (arg == "--compact") {
      compact = true;
    } else if (arg == "--indented") {
      indented = true;
    } else if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
      err << "zelxml convert: unknown option " << arg << "\n";
      return false;
    } else {
      files.push_back(arg);
    }
  }
  if (files.size() != 2) {
    err << "zelxml convert: needs IN and OUT\n";
    return false;
  }
  if (compact && indented) {
    err << "zelxml convert: --compact and --indented exclude each other\n";
    return false;
  }
  if (options.Wide && !options.Binary) {
    err << "zelxml convert: --utf16 applies to --binary output only\n";
    return false;
  }
  options.In = files[0];
  options.Out = files[1];
  options.Compact = compact;
  return true;
}

}  // namespace

int RunConvert(const TArgs& args, std::ostream& out, std::ostream& err) {
  if (AsksForHelp(args)) {
    out << kConvertHelp;
    return kZelXmlOk;
  }
  TConvertOptions options;
  if (!ParseOptions(args, options, err)) {
    err << "\n" << kConvertHelp;
    return kZelXmlUsage;
  }
  try {
    auto document = MakeXmlDocument();
    document->SetKeepWhitespace(options.Compact);
    document->Load(options.In);
    WriteReplacing(options.Out, [&](const std::string& path) {
      if (options.Binary)
        document->SaveAsBinary(path, options.Wide ? int(kBinXmlWideStrings) : 0);
      else
        document->Save(path);
    });
  } catch (const EXmlError& error) {
    err << error.Message() << "\n";
    return kZelXmlFailed;
  } catch (const std::exception& error) {
    err << "zelxml convert: " << error.what() << "\n";
    return kZelXmlFailed;
  }
  return kZelXmlOk;
}
