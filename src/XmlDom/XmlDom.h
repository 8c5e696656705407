#pragma once

// The XML document library in one include: documents and every node kind, node lists, name
// tables, typed values and their text forms.

#include "XmlDom/Base64.h"
#include "XmlDom/IXmlDocument.h"
#include "XmlDom/IXmlNameTable.h"
#include "XmlDom/IXmlNode.h"
#include "XmlDom/IXmlNodeList.h"
#include "XmlDom/XmlConvert.h"
#include "XmlDom/XmlValue.h"
#include "XmlDom/XmlValueText.h"

namespace xmldom {}  // namespace xmldom
