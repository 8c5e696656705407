-- Paths, selection by name, and walks along siblings.
x = new(xtra "zelXMLParser")
x.loadFromFile(the moviePath & "catalog.xml")
put x.pathNode("book/title") && x.getText()
x.startXML()
put x.pathNode("/magazine/title/") && x.getText()
x.startXML()
put x.pathNode("book/isbn") && x.getNodeName()  -- stops at the book

-- Every child of the third book, whatever its kind.
x.startXML()
x.selectNode("book", 3)
x.selectChild(1)
repeat while x.getNodeName() <> EMPTY
  put x.getNodeName() && x.getText()
  x.nextNode()  -- after the last one there is no current node
end repeat
put x.isNoError()

-- Back up to the document.
x.startXML()
x.pathNode("book/author")
repeat while x.parentNode()
  put x.getNodeName()
end repeat

-- A node's XML.
x.startXML()
x.selectNode("book", 2)
put x.getXML()
