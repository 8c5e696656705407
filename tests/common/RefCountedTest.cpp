#include "common/RefCounted.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <type_traits>

namespace {

int gLive = 0;

class TCounted : public TRefCounted {
 public:
  TCounted() { ++gLive; }
  ~TCounted() override { --gLive; }
};

class TDerived : public TCounted {};
class TUnrelated : public TRefCounted {};

// A holder converts exactly where the pointer would: up the class tree, never down or across,
// and never from a raw pointer without saying whether it retains or adopts.
static_assert(std::is_convertible_v<Ref<TDerived>, Ref<TCounted>>);
static_assert(std::is_convertible_v<Ref<TDerived>&&, Ref<TCounted>>);
static_assert(std::is_convertible_v<Ref<TDerived>, Ref<const TCounted>>);
static_assert(!std::is_convertible_v<Ref<TCounted>, Ref<TDerived>>);
static_assert(!std::is_constructible_v<Ref<TDerived>, Ref<TCounted>>);
static_assert(!std::is_constructible_v<Ref<TDerived>, Ref<TCounted>&&>);
static_assert(!std::is_convertible_v<Ref<TUnrelated>, Ref<TCounted>>);
static_assert(!std::is_constructible_v<Ref<TCounted>, Ref<TUnrelated>>);
static_assert(!std::is_convertible_v<Ref<const TCounted>, Ref<TCounted>>);
static_assert(!std::is_convertible_v<TCounted*, Ref<TCounted>>);
static_assert(!std::is_constructible_v<Ref<TCounted>, TCounted*>);
static_assert(std::is_convertible_v<std::nullptr_t, Ref<TCounted>>);

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
