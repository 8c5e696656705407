#include "ParserFixture.h"

#include "common/HostChecks.h"
#include "platform/MessageBox.h"

void ParserTest::Start(const std::string& runMode) {
  platform::SetProcessDesktop(
      {.Box = [](std::string_view caption,
                 std::string_view text) { platform::ShowMessageBox(caption, text); },
       .Clock = [this] { return fixedTime ? *fixedTime : platform::LocalNow(); }});
  testing_support::TakeCapturedBoxes();
  host.SetRunMode(runMode);
  ASSERT_TRUE(host.Load(ZELXML_MODULE)) << host.LastError();
  ASSERT_TRUE(platform::AttachModuleToDesktop(ZELXML_MODULE));
  ASSERT_EQ(host.Register(), kMoaOk) << host.LastError();
  parser = host.New("zelXMLParser");
  ASSERT_TRUE(parser) << host.LastError();
}

void ParserTest::Stop() {
  parser.Release();
  ExpectEverythingGivenBack(host);
  EXPECT_TRUE(host.Unload());
}

void ParserTest::TearDown() {
  host.Faults().Clear();
  if (host.IsLoaded()) Stop();
  platform::SetProcessDesktop(std::move(previousDesktop_));
  testing_support::TakeCapturedBoxes();
}

MoaLong ParserTest::Selector(std::string_view method) {
  // The host finds a name by lowering every name of the table; once per name is enough.
  const auto known = selectors_.find(method);
  if (known != selectors_.end()) return known->second;
  const dxhost::TScriptClass* parserClass = parser.Class();
  const MoaLong selector = parserClass ? parserClass->Selector(method) : -1;
  EXPECT_GE(selector, 0) << method;
  selectors_.emplace(std::string(method), selector);
  return selector;
}

std::string ParserTest::Call(std::string_view method,
                             std::initializer_list<dxhost::THostValue> args) {
  return host.Text(host.Call(parser, Selector(method), args));
}

std::string ParserTest::Call(MoaLong selector, std::initializer_list<dxhost::THostValue> args) {
  return host.Text(host.Call(parser, selector, args));
}

std::string ParserTest::Text(std::string_view method,
                             std::initializer_list<dxhost::THostValue> args) {
  const dxhost::THostValue result = host.Call(parser, Selector(method), args);
  if (host.Values().TypeOf(result.Raw()) != kMoaValueString) {
    ADD_FAILURE() << method << " answered " << host.Text(result) << ", not a string";
    return {};
  }
  return host.Values().Find(result.Raw())->Text;
}

void ParserTest::LoadText(std::string_view xml) {
  ASSERT_EQ(Call("loadFromText", {S(xml)}), "1") << ErrorMsg();
}

std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  quoted.append(text);
  return quoted += '"';
}
