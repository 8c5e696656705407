#pragma once

// A host that loads a test module afresh for each test and, at the end, checks that the
// module gave back everything it took: objects, host memory, host values, service references,
// contexts.

#include <gtest/gtest.h>

#include "host/XtraHost.h"

class ModuleTest : public testing::Test {
 protected:
  void SetUp() override { Load(DXTEST_FULL_MODULE); }

  void TearDown() override {
    EXPECT_TRUE(host.ModuleCanUnload()) << "framework objects still alive";
    EXPECT_EQ(host.LiveBlocks(), 0u) << "host memory not given back";
    EXPECT_EQ(host.LiveValues(), 0u) << "host values not released";
    EXPECT_EQ(host.OutstandingReferences(), 0) << "host service references not released";
    EXPECT_EQ(host.Values().BadUses(), 0) << "values used after release, or of a wrong type";
    EXPECT_EQ(host.Allocator().BadFrees(), 0);
    EXPECT_EQ(host.Utility().OpenContexts(), 0);
    EXPECT_EQ(host.Utility().BadReleases(), 0);
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
