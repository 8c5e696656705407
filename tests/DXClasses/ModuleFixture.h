#pragma once

// A host that loads a test module afresh for each test and, at the end, checks that the
// module gave back everything it took.

#include "common/HostChecks.h"

class ModuleTest : public testing::Test {
 protected:
  void SetUp() override { Load(DXTEST_FULL_MODULE); }

  void TearDown() override {
    ExpectEverythingGivenBack(host);
    EXPECT_TRUE(host.Unload());
  }

  void Load(const char* path) { ASSERT_TRUE(host.Load(path)) << host.LastError(); }
  void Register() { ASSERT_EQ(host.Register(), kMoaOk) << host.LastError(); }

  dxhost::THostValues& V() { return host.Values(); }
  std::string Text(const dxhost::THostValue& value) { return host.Text(value); }

  dxhost::TXtraHost host;
};

// The full module registered, with one dxProbe instance.
class ProbeTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    if (HasFatalFailure()) return;
    Register();
    probe = host.New("dxProbe");
    ASSERT_TRUE(probe) << host.LastError();
  }
  void TearDown() override {
    host.Faults().Clear();
    probe.Release();
    ModuleTest::TearDown();
  }

  std::string Call(std::string_view method, std::initializer_list<dxhost::THostValue> args = {}) {
    return Text(host.Call(probe, method, args));
  }

  dxhost::TXtraInstance probe;
};
