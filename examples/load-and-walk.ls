-- Load a file and walk the children of its document element.
parser = new(xtra "zelXMLParser")
if not parser.loadFromFile(the moviePath & "catalog.xml") then
  put "cannot load:" && parser.errorMsg()
else
  put parser.getNodeName() && "updated" && parser.getTextAttr("updated")
  n = parser.childCount()
  put n && "children"
  repeat with i = 1 to n
    parser.selectChild(i)
    put i && parser.getNodeName() && parser.getTextAttr("id")
    if parser.selectSingleNode("title") then
      put "  title:" && parser.getText()
      parser.parentNode()
    end if
    parser.parentNode()
  end repeat
end if
