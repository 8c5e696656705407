#pragma once

// The XML document library in one include: documents and every node kind, node lists, name
// tables, typed values and their text forms.

#include "XmlDom/Base64.h"
#include "XmlDom/IXmlNode.h"
#include "XmlDom/XmlCharacterData.h"
#include "XmlDom/XmlConvert.h"
#include "XmlDom/XmlDocument.h"
#include "XmlDom/XmlElement.h"
#include "XmlDom/XmlNameTable.h"
#include "XmlDom/XmlNodeList.h"
#include "XmlDom/XmlProcessingInstruction.h"
#include "XmlDom/XmlText.h"
#include "XmlDom/XmlValue.h"
#include "XmlDom/XmlValueText.h"

namespace xmldom {}  // namespace xmldom
