-- Every failure becomes the object's error state: no call ever stops the script.
x = new(xtra "zelXMLParser")
put x.loadFromText("<order><item qty='2'>pen</item>")  -- the order is never closed
put x.isNoError()
put x.errorMsg()

-- The state stays until the next load (or xtraVersion), whatever succeeds meanwhile.
put x.loadFromText("<order><item qty='2'>pen</item></order>")
put x.isNoError()
put x.selectSingleNode("item/qty")  -- selection takes plain names only: use pathNode
put x.errorMsg()
put x.selectSingleNode("item")
put x.isNoError()

-- While authoring, each failure can also show a box.
x.errorDialog(TRUE)
put x.selectChild(5)
x.errorDialog(FALSE)

-- A file that is not there.
put x.loadFromFile(the moviePath & "no-such-file.xml")
put x.errorMsg() starts "Cannot open file"
