#pragma once

// The kinds module loaded and registered afresh for each test; at the end the host checks that
// the module gave back everything.

#include "common/HostChecks.h"
#include "KindIds.h"

class KindsTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.Load(DXTEST_KINDS_MODULE)) << host.LastError();
    ASSERT_EQ(host.Register(), kMoaOk) << host.LastError();
  }

  void TearDown() override {
    host.Faults().Clear();
    wrappers.Release();
    ExpectEverythingGivenBack(host);
    EXPECT_TRUE(host.Unload());
  }

  dxhost::THostValues& V() { return host.Values(); }
  std::string Text(const dxhost::THostValue& value) { return host.Text(value); }

  // The module's event log since the last look.
  std::string Events() {
    if (!wrappers) wrappers = host.New("dxWrappers");
    return Text(host.Call(wrappers, "events"));
  }

  // A Lingo call of dxWrappers, as text.
  std::string Wrappers(std::string_view method,
                       std::initializer_list<dxhost::THostValue> args = {}) {
    if (!wrappers) wrappers = host.New("dxWrappers");
    return Text(host.Call(wrappers, method, args));
  }

  dxhost::TXtraHost host;
  dxhost::TXtraInstance wrappers;
};
