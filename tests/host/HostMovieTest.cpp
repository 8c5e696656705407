// Our host's movie, casts, members, handles and streams, as a module sees them through their
// slots.

#include <gtest/gtest.h>

#include "host/HostSlots.h"
#include "host/XtraHost.h"

namespace {

using dxhost::THostValue;

class HostMovieTest : public testing::Test {
 protected:
  void TearDown() override {
    EXPECT_EQ(host.OutstandingReferences(), 0);
    EXPECT_EQ(host.LiveValues(), 0u);
    EXPECT_EQ(host.Handles().LiveHandles(), 0u);
    EXPECT_EQ(host.Handles().BadUses(), 0);
  }

  dxhost::TXtraHost host;
  dxhost::THostValues& V = host.Values();
};

TEST_F(HostMovieTest, PlayerHandsOutTheMovieWhileThereIsOne) {
  void* movie = nullptr;
  ASSERT_EQ(host.Player().GetActiveMovie(&movie), kMoaOk);
  EXPECT_EQ(movie, static_cast<IMoaDrMovie*>(&host.Movie()));
  static_cast<IMoaUnknown*>(movie)->Release();
  host.Player().SetMovie(nullptr);
  EXPECT_EQ(host.Player().GetActiveMovie(&movie), dxhost::kHostErrNotFound);
  EXPECT_EQ(movie, nullptr);
}

TEST_F(HostMovieTest, PropertiesAreNewReferencesAndTheMovieKeepsItsOwn) {
  IMoaDrMovie& movie = host.Movie();
  MoaMmValue frame{};
  ASSERT_EQ(movie.GetProp(V.Intern("FRAME"), &frame), kMoaOk);
  EXPECT_EQ(host.Text(THostValue(V, frame)), "1");
  ASSERT_EQ(movie.SetProp(V.Intern("title"), &V.String("title").Raw()), kMoaOk);
  MoaMmValue kept{};
  ASSERT_EQ(movie.GetProp(V.Intern("title"), &kept), kMoaOk);
  // A module that keeps a value it got holds a reference the host counts.
  EXPECT_EQ(host.OutstandingReferences(), 1);
  V.Release(kept);
  EXPECT_EQ(movie.GetProp(V.Intern("missing"), &kept), dxhost::kHostErrNotFound);
}

TEST_F(HostMovieTest, CastsNumberTheirUsedAndFreeMembers) {
  dxhost::THostCast& cast = host.Movie().AddCast("Internal");
  cast.AddMember(2, "two");
  cast.AddMember(5, "five");
  MoaLong number = 0;
  EXPECT_EQ(cast.FirstUsedMember(&number), kMoaOk);
  EXPECT_EQ(number, 2);
  EXPECT_EQ(cast.NextUsedMember(2, &number), kMoaOk);
  EXPECT_EQ(number, 5);
  EXPECT_EQ(cast.NextUsedMember(5, &number), dxhost::kHostErrNotFound);
  EXPECT_EQ(cast.FirstFreeMember(&number), kMoaOk);
  EXPECT_EQ(number, 1);
  EXPECT_EQ(cast.NextFreeMember(1, &number), kMoaOk);
  EXPECT_EQ(number, 3);
  EXPECT_EQ(cast.MemberNumberOfName("FIVE", &number), kMoaOk);
  EXPECT_EQ(number, 5);
  MoaDrMemberRef ref{};
  EXPECT_EQ(host.Movie().GetMemberRefFromName("two", &ref), kMoaOk);
  EXPECT_EQ(ref.Cast, 1);
  EXPECT_EQ(ref.Member, 2);
  // A member deleted while a module holds it stays usable until it is released.
  IMoaDrCastMem* held = nullptr;
  ASSERT_EQ(host.Movie().GetMemberFromRef(&ref, &held), kMoaOk);
  EXPECT_EQ(cast.DeleteMember(2), kMoaOk);
  MoaMmValue value{};
  EXPECT_EQ(held->GetProp(V.Intern("name"), &value), dxhost::kHostErrNotFound);
  held->Release();
}

TEST_F(HostMovieTest, MediaTravelsInNewHandles) {
  dxhost::THostCastMember& member = host.Movie().AddCast("Internal").AddMember(1, "m");
  member.PutMedia("Text", "moaHandle", "abc");
  MoaDrMediaInfo info{V.Intern("text"), V.Intern("MOAHANDLE"), nullptr, {}};
  ASSERT_EQ(member.GetMedia(&info), kMoaOk);
  IMoaHandleService& handles = host.Handles();
  EXPECT_EQ(handles.GetSize(info.Media), 3u);
  EXPECT_EQ(std::string(static_cast<char*>(handles.Lock(info.Media)), 3), "abc");
  handles.Unlock(info.Media);
  handles.Free(info.Media);
  info.Media = host.Handles().Make("xy");
  ASSERT_EQ(member.SetMedia(&info), kMoaOk);
  handles.Free(info.Media);
  EXPECT_EQ(*member.Media("Text", "moaHandle"), "xy");
  EXPECT_EQ(member.SetMedia(&info), dxhost::kHostErrBadValue);  // a freed handle
  EXPECT_EQ(host.Handles().OpenLocks(), 0);
  handles.Free(handles.Alloc(0));
  host.Faults().Fail(dxhost::kHandlesAlloc);
  EXPECT_EQ(handles.Alloc(4), nullptr);
  host.Faults().Clear();
}

TEST(HostHandles, NoticeUsesOfHandlesTheyDidNotGiveOut) {
  dxhost::TXtraHost host;
  IMoaHandleService& handles = host.Handles();
  MoaHandle handle = handles.Alloc(2);
  handles.Unlock(handle);  // not locked
  handles.Free(handle);
  handles.Free(handle);  // freed twice
  EXPECT_EQ(host.Handles().BadUses(), 2);
  EXPECT_EQ(host.Handles().LiveHandles(), 0u);
}

TEST_F(HostMovieTest, StreamsReadWhatWasWrittenAndRefuseShortReads) {
  dxhost::THostStream stream = host.NewStream();
  MoaLong moved = -1;
  ASSERT_EQ(stream.Write("abcd", 4, &moved), kMoaOk);
  EXPECT_EQ(moved, 4);
  char buffer[4] = {};
  ASSERT_EQ(stream.Read(buffer, 3, &moved), kMoaOk);
  EXPECT_EQ(std::string(buffer, 3), "abc");
  EXPECT_EQ(stream.Read(buffer, 2, &moved), dxhost::kHostErrNotFound);
  EXPECT_EQ(moved, 0);
  EXPECT_EQ(stream.Position(), 3u);
  host.Faults().Fail(dxhost::kStreamWrite, dxhost::kHostErrInjected, 0, 1);
  EXPECT_EQ(stream.Write("e", 1, nullptr), dxhost::kHostErrInjected);
  EXPECT_EQ(stream.Write("e", 1, nullptr), kMoaOk);
  EXPECT_EQ(stream.Bytes(), "abcde");
}

}  // namespace
