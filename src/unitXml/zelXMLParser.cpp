#include "unitXml/zelXMLParser.h"

#include "DXClasses/DXClassRegistry.h"
#include "unitXml/ErrorOutput.h"

namespace {

// Entered in the class registry while the module loads, ahead of the register class that the
// module's start-up adds.
const TDXClassRegistration<TzelXMLParser> kRegistration{
    MakeMoaID("740B13D1-F782-4932-84B5-20B457FF7239")};

}  // namespace

// ---- Error state.

void TzelXMLParser::RecordError(const std::string& message) {
  ErrorText = message;
  if (DialogOn) ShowErrorDialog(ErrorText);
  if (LogOn) AppendErrorLog(LogFileName, ErrorText);
}

std::string_view TzelXMLParser::errorMsg() const {
  return ErrorText;
}

bool TzelXMLParser::isNoError() const {
  return ErrorText.empty();
}

// Both switches work only while authoring: a projector or a browser never shows the box or
// writes the log, whatever the movie asks.
void TzelXMLParser::errorDialog(bool dialog) {
  DialogOn = dialog && IsAuthoringRunMode(GetAppInfo().RunMode());
}

void TzelXMLParser::errorLog(std::string_view logFile, bool logSave) {
  LogFileName = logFile;
  LogOn = logSave && IsAuthoringRunMode(GetAppInfo().RunMode());
}
