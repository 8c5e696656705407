#include <exception>

#include "Commands.h"
#include "InputDocument.h"
#include "SourcePosition.h"
#include "XmlDom/XmlDocument.h"
#include "XmlDom/XmlElement.h"
#include "common/Error.h"
#include "common/FormatText.h"
#include "common/Messages.h"
#include "platform/File.h"

using namespace xmldom;

const char* const kCheckHelp =
    "usage: zelxml check FILE...\n"
    "\n"
    "Loads each file (text XML, or binary XML told by its signature; - is the standard\n"
    "input) and prints one line for it, naming the file once: \"FILE: ok\" on the output,\n"
    "or on the error output the library's message after the place the parse stopped, as\n"
    "editors count lines and columns (from 1):\n"
    "  FILE:LINE:COLUMN: message\n"
    "  FILE: message          (no place: damaged binary XML)\n"
    "  FILE: cannot open: REASON\n"
    "  FILE: no document element   (it loads, but holds no element)\n"
    "Every file is checked; the exit status is 1 when any of them failed.\n";

namespace {

// The library's message without the file name it repeats: the name a load adds at the end,
// and the full path of a file that cannot be opened.
std::string WithoutFileName(const std::string& message, const std::string& file) {
  const std::string cannotOpen =
      FormatText(msg::kCannotOpenFile, {platform::FullPathName(file), ""});
  if (!IsStandardInput(file) && message.starts_with(cannotOpen))
    return "cannot open: " + message.substr(cannotOpen.size());
  return std::string(MessageWithoutFileName(message, InputName(file)));
}

// One file: true when it loads and holds an element, else its failure line on Err.
bool CheckFile(const std::string& file, const TZelXmlOutput& output) {
  const std::string name = InputName(file);
  std::string message;
  std::optional<TSourcePosition> position;
  try {
    auto document = MakeXmlDocument();
    LoadInput(*document, file, output);
    if (document->GetDocumentElement()) {
      output.Out << name << ": ok\n";
      return true;
    }
    message = "no document element";
  } catch (const EXmlError& error) {
    message = Shown(output, WithoutFileName(error.Message(), file), {file});
    position = MessagePosition(error.Message(), name);
  } catch (const std::exception& error) {
    message = Shown(output, error.what(), {file});
  }
  output.Err << name;
  if (position) output.Err << ':' << position->Line << ':' << position->Column;
  output.Err << ": " << message << "\n";
  return false;
}

}  // namespace

int RunCheck(const TArgs& args, const TZelXmlOutput& output) {
  if (AsksForHelp(args)) {
    output.Out << kCheckHelp;
    return kZelXmlOk;
  }
  if (args.empty()) {
    output.Err << "zelxml check: needs at least one FILE\n\n" << kCheckHelp;
    return kZelXmlUsage;
  }
  for (const std::string& arg : args)
    if (IsOption(arg)) {
      output.Err << "zelxml check: unknown option \"" << arg << "\"\n\n" << kCheckHelp;
      return kZelXmlUsage;
    }
  bool allLoaded = true;
  for (const std::string& file : args) allLoaded = CheckFile(file, output) && allLoaded;
  return allLoaded ? kZelXmlOk : kZelXmlFailed;
}
