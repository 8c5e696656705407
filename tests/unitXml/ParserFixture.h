#pragma once

// zelXML loaded by our host for each test, with one zelXMLParser instance, called as Lingo
// calls it. The process plays the desktop: the module's boxes are captured (TakeCapturedBoxes)
// and its clock can be fixed. At the end every test checks that the module gave back all it
// took from the host.

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "common/TestSupport.h"
#include "host/XtraHost.h"
#include "platform/Desktop.h"

class ParserTest : public testing::Test {
 protected:
  void SetUp() override {
    previousDesktop_ = platform::SetProcessDesktop({});
    Start("Projector");
  }
  void TearDown() override;

  // Loads the module afresh with the host in that run mode and makes an instance.
  void Start(const std::string& runMode);
  void Stop();

  dxhost::THostValue S(std::string_view text) { return host.Values().String(text); }
  dxhost::THostValue I(MoaLong value) { return host.Values().Integer(value); }
  dxhost::THostValue Sym(std::string_view name) { return host.Values().Symbol(name); }

  MoaLong Selector(std::string_view method);
  // The call's result in Lingo's text form: "1", "\"text\"", "2.5000", "<Void>".
  std::string Call(std::string_view method, std::initializer_list<dxhost::THostValue> args = {});
  std::string Call(MoaLong selector, std::initializer_list<dxhost::THostValue> args = {});
  // The result as a plain string, for methods that answer one.
  std::string Text(std::string_view method, std::initializer_list<dxhost::THostValue> args = {});
  std::string ErrorMsg() { return Text("errorMsg"); }
  bool IsNoError() { return Call("isNoError") == "1"; }
  std::string NodeName() { return Text("getNodeName"); }
  void LoadText(std::string_view xml);

  dxhost::TXtraHost host;
  dxhost::TXtraInstance parser;
  std::optional<platform::TLocalDateTime> fixedTime;

 private:
  platform::TDesktop previousDesktop_;
  std::map<std::string, MoaLong, std::less<>> selectors_;
};

// Lingo's text of a string value.
std::string Quoted(std::string_view text);
