#pragma once

// The library's own classes behind its interfaces, for code of this project that works on them
// directly (the Xtra, the tools, the tests): every node class, node lists and name tables.

#include "XmlDom/XmlCharacterData.h"
#include "XmlDom/XmlDocument.h"
#include "XmlDom/XmlDom.h"
#include "XmlDom/XmlElement.h"
#include "XmlDom/XmlNameTable.h"
#include "XmlDom/XmlNode.h"
#include "XmlDom/XmlNodeList.h"
#include "XmlDom/XmlProcessingInstruction.h"
#include "XmlDom/XmlText.h"
