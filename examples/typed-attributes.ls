-- Attributes as strings, integers, Booleans and floats.
x = new(xtra "zelXMLParser")
x.loadFromFile(the moviePath & "catalog.xml")
x.pathNode("book")
put x.getTextAttr("id")
put x.getIntAttr("year") + 100
put x.getDoubleAttr("price")
put x.getBoolAttr("inStock")

-- A missing attribute gives the default, and is no failure.
put x.getIntAttr("pages")
put x.isNoError()

-- A value that does not convert gives the default too: the error state tells them apart.
put x.getIntAttr("id")
put x.isNoError()
put x.errorMsg()

-- Every book in turn.
x.startXML()
repeat with i = 1 to x.nodeCount("book")
  x.selectNode("book", i)
  put x.getTextAttr("id") && x.getIntAttr("year") && x.getDoubleAttr("price") && x.getBoolAttr("inStock")
  x.parentNode()
end repeat
