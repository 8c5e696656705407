#include <exception>

#include "CarefulOutput.h"
#include "CarefulStream.h"
#include "Commands.h"
#include "ConvertProgress.h"
#include "XmlDom/BinXmlReader.h"
#include "XmlDom/XmlDocument.h"
#include "XmlDom/XmlFileStream.h"
#include "common/Error.h"
#include "common/FormatText.h"
#include "platform/File.h"

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
    "OUT - is the standard output. A file OUT is written to a temporary file first,\n"
    "which replaces it only when complete, with its mode and owner; a file with other\n"
    "hard links is overwritten in place instead, and a device, FIFO or socket is written\n"
    "into; a symbolic link is followed. On failure OUT is left as it was. On a terminal,\n"
    "a conversion of a large IN shows how far it has got on the error output.\n";

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
    } else if (IsOption(arg)) {
      err << "zelxml convert: unknown option \"" << arg << "\"\n";
      return false;
    } else {
      files.push_back(arg);
    }
  }
  if (files.size() != 2) {
    err << "zelxml convert: needs IN and OUT, " << files.size() << " file name"
        << (files.size() == 1 ? "" : "s") << " given\n";
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

// Loads the file as the library's own Load does (failures while reading name the file), with
// the reading watched. Progress is shown for a large file on a terminal only. The file is
// closed again before the output is written, which may replace it.
void LoadWatched(IXmlDocument& document, const std::string& name, TConvertProgress& progress) {
  platform::TFile file = platform::TFile::OpenRead(name);
  const std::int64_t size = file.Size();
  if (size < kProgressMinimumBytes) progress.Hide();
  TXmlFileStream fileStream(file);
  TWatchedStream stream(fileStream, [&](std::int64_t done) { progress.Reading(done, size); }, {});
  try {
    document.Load(stream);
  } catch (const EXmlError& error) {
    throw EXmlError(FormatText(msg::kWithFileName, {error.Message(), name}));
  }
}

// Writes the document to OUT the careful way (CarefulOutput.h), with the writing watched.
void SaveWatched(IXmlDocument& document, const TConvertOptions& options, TConvertProgress& progress,
                 std::ostream& standardOutput) {
  careful_output::TCarefulOutput output(options.Out, standardOutput);
  TCarefulStream outputStream(output);
  TWatchedStream stream(outputStream, {}, [&](std::int64_t done) { progress.Writing(done); });
  progress.Writing(0);
  if (options.Binary)
    document.SaveAsBinary(stream, options.Wide ? int(kBinXmlWideStrings) : 0);
  else
    document.Save(stream);
  output.Commit();
}

}  // namespace

int RunConvert(const TArgs& args, const TZelXmlOutput& output) {
  if (AsksForHelp(args)) {
    output.Out << kConvertHelp;
    return kZelXmlOk;
  }
  TConvertOptions options;
  if (!ParseOptions(args, options, output.Err)) {
    output.Err << "\n" << kConvertHelp;
    return kZelXmlUsage;
  }
  const std::vector<std::string> names = {options.In, options.Out};
  try {
    TConvertProgress progress(output.Err, output.ErrIsTerminal, options.In, options.Out);
    auto document = MakeXmlDocument();
    document->SetKeepWhitespace(options.Compact);
    LoadWatched(*document, options.In, progress);
    SaveWatched(*document, options, progress, output.Out);
  } catch (const careful_output::ECannotWrite& error) {
    output.Err << "zelxml: " << Shown(output, error.what(), names) << "\n";
    return kZelXmlFailed;
  } catch (const EXmlError& error) {
    output.Err << Shown(output, error.Message(), names) << "\n";
    return kZelXmlFailed;
  } catch (const std::exception& error) {
    output.Err << "zelxml convert: " << Shown(output, error.what(), names) << "\n";
    return kZelXmlFailed;
  }
  return kZelXmlOk;
}
