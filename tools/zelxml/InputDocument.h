#pragma once

// What the commands read: a file by its name, or the standard input for "-".

#include <string>

#include "XmlDom/XmlDocument.h"
#include "ZelXml.h"

inline constexpr std::string_view kStandardInputArgument = "-";

bool IsStandardInput(const std::string& name);
// The name as reports show it: "<stdin>" for "-".
std::string InputName(const std::string& name);

// The bytes of the input. A file that cannot be opened raises the file layer's "Cannot open
// file ..." as loads do.
std::string ReadInput(const std::string& name, const TZelXmlOutput& output);

// Loads the document from the input, as the library's Load of a file does: text or binary
// XML, failures while reading followed by the input's name, "MESSAGE (NAME)".
void LoadInput(xmldom::IXmlDocument& document, const std::string& name,
               const TZelXmlOutput& output);
