#include <exception>

#include "Commands.h"
#include "XmlDom/XmlDocument.h"
#include "common/Error.h"

using namespace xmldom;

const char* const kCheckHelp =
    "usage: zelxml check FILE...\n"
    "\n"
    "Loads each file (text XML, or binary XML told by its signature) and prints\n"
    "\"FILE: ok\". At the first file that does not load, prints the library's message\n"
    "(with the line and position of a syntax error, counted from 0, and the file\n"
    "name) to the error output and stops with exit status 1.\n";

int RunCheck(const TArgs& args, std::ostream& out, std::ostream& err) {
  if (AsksForHelp(args)) {
    out << kCheckHelp;
    return kZelXmlOk;
  }
  if (args.empty()) {
    err << kCheckHelp;
    return kZelXmlUsage;
  }
  for (const std::string& file : args) {
    try {
      MakeXmlDocument()->Load(file);
    } catch (const EXmlError& error) {
      err << error.Message() << "\n";
      return kZelXmlFailed;
    } catch (const std::exception& error) {
      err << "zelxml check: " << file << ": " << error.what() << "\n";
      return kZelXmlFailed;
    }
    out << file << ": ok\n";
  }
  return kZelXmlOk;
}
