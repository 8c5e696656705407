#include <exception>

#include "CarefulOutput.h"
#include "CarefulStream.h"
#include "Commands.h"
#include "ConvertProgress.h"
#include "InputDocument.h"
#include "Windows1251Conversion.h"
#include "XmlDom/BinXmlReader.h"
#include "XmlDom/XmlDocument.h"
#include "XmlDom/XmlFileStream.h"
#include "common/Error.h"
#include "common/FormatText.h"
#include "platform/File.h"

using namespace xmldom;

const char* const kConvertHelp =
    "usage: zelxml convert IN OUT [--from utf-8|utf-16|auto] [--binary [--utf16]]\n"
    "                             [--compact | --indented]\n"
    "\n"
    "Loads IN (text XML, or binary XML told by its signature; - is the standard input)\n"
    "and writes it to OUT:\n"
    "  (default)     as XML text\n"
    "  --binary      as binary XML\n"
    "  --utf16       in binary XML, store names, CDATA sections, comments and processing\n"
    "                instructions as UTF-16 (option bit 0); text and attribute values\n"
    "                stay in the code page's bytes\n"
    "  --indented    keep no whitespace-only text: text input drops it, and XML text is\n"
    "                written with every element on a line of its own, indented with\n"
    "                tabs (the default)\n"
    "  --compact     keep whitespace: text input keeps every text run, and XML text is\n"
    "                written exactly as the tree holds it\n"
    "  --from ENC    IN is XML text in ENC, made into the windows-1251 text that the\n"
    "                module reads as intended: utf-8, utf-16, or auto (a byte-order\n"
    "                mark, else the XML declaration, else UTF-8). A byte-order mark\n"
    "                decides and is dropped; the XML declaration is made to say\n"
    "                windows-1251; a character that windows-1251 lacks becomes \"?\",\n"
    "                and how many did is said on the error output.\n"
    "Without --from, IN is read byte for byte, as the module reads it.\n"
    "OUT - is the standard output. A file OUT is written to a temporary file first,\n"
    "which replaces it only when complete, with its mode and owner; a file with other\n"
    "hard links is overwritten in place instead, and a device, FIFO or socket is written\n"
    "into; a symbolic link is followed. On failure OUT is left as it was. On a terminal,\n"
    "a conversion of a large IN shows how far it has got on the error output.\n";

namespace {

struct TConvertOptions {
  std::string In, Out;
  bool Binary = false, Wide = false, Compact = false;
  std::optional<TSourceEncoding> From;
};

// --from ENC, or --from=ENC, at args[i] (i then moves past the value). False, with the reason
// on err, when the encoding is missing or unknown.
bool TakeFrom(const TArgs& args, std::size_t& i, TConvertOptions& options, std::ostream& err) {
  constexpr std::string_view kOption = "--from";
  std::string value;
  if (args[i] == kOption) {
    if (i + 1 == args.size()) {
      err << "zelxml convert: --from needs utf-8, utf-16 or auto\n";
      return false;
    }
    value = args[++i];
  } else {
    value = args[i].substr(kOption.size() + 1);
  }
  options.From = SourceEncodingNamed(value);
  if (!options.From)
    err << "zelxml convert: --from takes utf-8, utf-16 or auto, not \"" << value << "\"\n";
  return options.From.has_value();
}

// False, with the reason in err, when the arguments do not make a conversion.
bool ParseOptions(const TArgs& args, TConvertOptions& options, std::ostream& err) {
  std::vector<std::string> files;
  bool compact = false, indented = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--from" || arg.starts_with("--from=")) {
      if (!TakeFrom(args, i, options, err)) return false;
    } else if (arg == "--binary") {
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

// Loads the bytes as LoadXML does, failures followed by the name.
void LoadNamed(IXmlDocument& document, std::string_view bytes, const std::string& name) {
  try {
    document.LoadXML(bytes);
  } catch (const EXmlError& error) {
    throw EXmlError(FormatText(msg::kWithFileName, {error.Message(), name}));
  }
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

// Reads IN in the encoding it is in and loads the windows-1251 text made of it; failures while
// reading name the input as the library's loads do. How many characters became "?" is said on
// err. Binary XML is loaded as it is.
void LoadConverted(IXmlDocument& document, const TConvertOptions& options,
                   const TZelXmlOutput& output) {
  const std::string bytes = ReadInput(options.In, output);
  const std::string name = InputName(options.In);
  if (bytes.starts_with(kBinXmlSignature)) return LoadNamed(document, bytes, name);
  TWindows1251Text text;
  try {
    text = ConvertToWindows1251(bytes, *options.From);
  } catch (const EEncodingError& error) {
    throw EEncodingError(name + ": " + error.what());
  }
  if (text.Replaced > 0)
    output.Err << "zelxml convert: " << text.Replaced << " character"
               << (text.Replaced == 1 ? "" : "s") << " not in windows-1251 written as \"?\"\n";
  LoadNamed(document, text.Text, name);
}

void Load(IXmlDocument& document, const TConvertOptions& options, const TZelXmlOutput& output,
          TConvertProgress& progress) {
  if (options.From) {
    progress.Hide();
    LoadConverted(document, options, output);
  } else if (IsStandardInput(options.In)) {
    progress.Hide();
    LoadInput(document, options.In, output);
  } else {
    LoadWatched(document, options.In, progress);
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
    Load(*document, options, output, progress);
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
