#pragma once

// What every test of a loaded module checks at its end: the module gave back everything it took
// from the host (objects, memory, values, service references, contexts, handles).

#include <gtest/gtest.h>

#include <string>

#include "host/XtraHost.h"

inline void ExpectEverythingGivenBack(const dxhost::TXtraHost& host) {
  for (const std::string& held : host.HeldByModule()) ADD_FAILURE() << held;
}
