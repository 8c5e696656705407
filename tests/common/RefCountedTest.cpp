#include "common/RefCounted.h"

#include <gtest/gtest.h>

namespace {

int gLive = 0;

class TCounted : public TRefCounted {
 public:
  TCounted() { ++gLive; }
  ~TCounted() override { --gLive; }
};

class TDerived : public TCounted {};

}  // namespace

TEST(Ref, CountsHoldersAndDestroysAtZero) {
  {
    Ref<TDerived> a = MakeRef<TDerived>();
    EXPECT_EQ(a->RefCount(), 1);
    Ref<TCounted> b = a;
    EXPECT_EQ(a->RefCount(), 2);
    Ref<TCounted> c = std::move(b);
    EXPECT_FALSE(b);
    EXPECT_EQ(a->RefCount(), 2);
    a.Reset();
    EXPECT_EQ(gLive, 1);
    c = nullptr;
    EXPECT_EQ(gLive, 0);
  }
  EXPECT_EQ(gLive, 0);
}

TEST(Ref, RetainAndAdoptAreDistinct) {
  auto* raw = new TCounted;
  Ref<TCounted> first = Ref<TCounted>::Retain(raw);
  raw->AddRef();  // a reference counted elsewhere, handed over below
  Ref<TCounted> second = Ref<TCounted>::Adopt(raw);
  EXPECT_EQ(raw->RefCount(), 2);
  TCounted* detached = second.Detach();
  EXPECT_EQ(raw->RefCount(), 2);
  detached->Release();
  first.Reset();
  EXPECT_EQ(gLive, 0);
}
