#pragma once

// What every test of a loaded module checks at its end: the module gave back everything it took
// from the host (objects, memory, values, service references, contexts, handles).

#include <gtest/gtest.h>

#include "host/XtraHost.h"

inline void ExpectEverythingGivenBack(dxhost::TXtraHost& host) {
  EXPECT_TRUE(host.ModuleCanUnload()) << "framework objects still alive";
  EXPECT_EQ(host.LiveBlocks(), 0u) << "host memory not given back";
  EXPECT_EQ(host.LiveValues(), 0u) << "host values not released";
  EXPECT_EQ(host.OutstandingReferences(), 0) << "host service references not released";
  EXPECT_EQ(host.Values().BadUses(), 0) << "values used after release, or of a wrong type";
  EXPECT_EQ(host.Allocator().BadFrees(), 0);
  EXPECT_EQ(host.Utility().OpenContexts(), 0);
  EXPECT_EQ(host.Utility().BadReleases(), 0);
  EXPECT_EQ(host.Handles().LiveHandles(), 0u) << "handles not freed";
  EXPECT_EQ(host.Handles().OpenLocks(), 0);
  EXPECT_EQ(host.Handles().BadUses(), 0);
}
