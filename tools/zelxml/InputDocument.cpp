#include "InputDocument.h"

#include "common/Error.h"
#include "common/FormatText.h"
#include "common/Messages.h"
#include "platform/File.h"
#include "platform/WholeFile.h"

bool IsStandardInput(const std::string& name) {
  return name == kStandardInputArgument;
}

std::string InputName(const std::string& name) {
  return IsStandardInput(name) ? "<stdin>" : name;
}

std::string ReadInput(const std::string& name, const TZelXmlOutput& output) {
  if (IsStandardInput(name))
    return output.ReadStandardInput ? output.ReadStandardInput() : platform::ReadStandardInput();
  platform::TFile file = platform::TFile::OpenRead(name);
  std::string bytes(std::size_t(file.Size()), '\0');
  bytes.resize(file.Read(bytes.data(), bytes.size()));
  return bytes;
}

void LoadInput(xmldom::IXmlDocument& document, const std::string& name,
               const TZelXmlOutput& output) {
  if (!IsStandardInput(name)) return document.Load(name);
  const std::string bytes = ReadInput(name, output);
  try {
    document.LoadXML(bytes);
  } catch (const EXmlError& error) {
    throw EXmlError(FormatText(msg::kWithFileName, {error.Message(), InputName(name)}));
  }
}
