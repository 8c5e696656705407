#include <exception>

#include "Commands.h"
#include "SourcePosition.h"
#include "XmlDom/XmlDocument.h"
#include "common/Error.h"

using namespace xmldom;

const char* const kCheckHelp =
    "usage: zelxml check FILE...\n"
    "\n"
    "Loads each file (text XML, or binary XML told by its signature) and prints one\n"
    "line for it: \"FILE: ok\" on the output, or on the error output the library's\n"
    "message after the place the parse stopped, as editors count lines and columns\n"
    "(from 1):\n"
    "  FILE:LINE:COLUMN: message\n"
    "  FILE: message          (no place: a file that cannot be opened, binary XML)\n"
    "Every file is checked; the exit status is 1 when any of them failed.\n";

namespace {

// One file: true when it loads, else its failure line on Err.
bool CheckFile(const std::string& file, const TZelXmlOutput& output) {
  std::string message;
  std::optional<TSourcePosition> position;
  try {
    MakeXmlDocument()->Load(file);
    output.Out << file << ": ok\n";
    return true;
  } catch (const EXmlError& error) {
    message = Shown(output, error.Message(), {file});
    position = MessagePosition(error.Message(), file);
  } catch (const std::exception& error) {
    message = Shown(output, error.what(), {file});
  }
  output.Err << file;
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
