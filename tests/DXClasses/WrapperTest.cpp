// The movie, cast, member, media and dictionary wrappers against the host's own services,
// driven through the dxWrappers scripting class.

#include <cstdlib>

#include "KindsFixture.h"
#include "common/TestSupport.h"
#include "host/HostSlots.h"

namespace {

using dxhost::THostValue;

}  // namespace

class WrapperTest : public KindsTest {
 protected:
  void SetUp() override {
    KindsTest::SetUp();
    if (HasFatalFailure()) return;
    dxhost::THostMovie& movie = host.Movie();
    dxhost::THostCast& internal = movie.AddCast("Internal");
    internal.AddMember(1, "logo");
    internal.AddMember(3, "intro text");
    movie.AddCast("Sounds", "casts/sounds.cst").AddMember(2, "beep");
    movie.SetLabel("Intro", 5);
    // sum(a, b): integers, or strings of digits.
    movie.DefineHandler("sum", [this](std::span<const MoaMmValue> args) {
      MoaLong sum = 0;
      for (const MoaMmValue& arg : args) {
        const dxhost::THostBox* box = V().Find(arg);
        if (box) sum += box->Type == kMoaValueString ? std::atoi(box->Text.c_str()) : box->Integer;
      }
      return V().Integer(sum);
    });
  }

  dxhost::THostCastMember& Member(MoaLong cast, MoaLong number) {
    return *host.Movie().Cast(cast)->Member(number);
  }
  // The host's log since the last look.
  std::vector<std::string> Log() {
    std::vector<std::string> log(host.Movie().Log().begin() + logSeen_, host.Movie().Log().end());
    logSeen_ = host.Movie().Log().size();
    return log;
  }

  std::size_t logSeen_ = 0;
};

TEST_F(WrapperTest, MovieFrameLabelsAndCasts) {
  EXPECT_EQ(Wrappers("movieInfo"), "\"frame=1 casts=2 label5=Intro intro=5 missing=0/\"");
  EXPECT_EQ(Wrappers("setFrame", {V().Integer(12)}), "12");
  EXPECT_EQ(host.Movie().Frame(), 12);
}

// Label names come back through a buffer of 64 bytes: 63 characters and the terminating zero.
TEST_F(WrapperTest, LabelNamesComeBackWholeUpTo63Characters) {
  const std::string longest(63, 'n');
  host.Movie().SetLabel(longest, 20);
  host.Movie().SetLabel(std::string(63, 'm') + "LOST", 21);
  EXPECT_EQ(Wrappers("labelOf", {V().Integer(20)}), "\"" + longest + "\"");
  EXPECT_EQ(Wrappers("labelOf", {V().Integer(21)}), "\"" + std::string(63, 'm') + "\"");
  EXPECT_EQ(Wrappers("labelOf", {V().Integer(22)}), "\"\"");
}

TEST_F(WrapperTest, MovieWithoutAnActiveMovie) {
  host.Player().SetMovie(nullptr);
  EXPECT_EQ(Wrappers("movieInfo"), "\"no movie\"");
}

TEST_F(WrapperTest, MovieHandlersGetTheArgumentsAndGiveTheirResult) {
  EXPECT_EQ(Wrappers("callHandler", {V().String("sum"), V().Integer(2), V().Integer(3)}), "\"5\"");
  EXPECT_EQ(Wrappers("callHandler", {V().String("nonesuch"), V().Integer(2), V().Integer(3)}),
            "\"nothing\"");
  // Place 0 is the host's; the handler gets the arguments after it.
  EXPECT_EQ(Wrappers("callHandlerFor", {V().Integer(7), V().String("sum"), V().Integer(4)}),
            "\"4\"");
  EXPECT_EQ(Log(), std::vector<std::string>{"handlerFor 7 sum 2 first void"});
  // A refused call still reads back what the host left: nothing.
  EXPECT_EQ(Wrappers("callHandlerFor", {V().Integer(7), V().String("nonesuch"), V().Integer(4)}),
            "\"void\"");
}

TEST_F(WrapperTest, CastsByIndexAndNameWithTheirMemberNumbers) {
  EXPECT_EQ(Wrappers("castInfo", {V().Integer(1)}),
            "\"index=1 name=Internal used=1,3,3 free=2,2,1000\"");
  EXPECT_EQ(Wrappers("castInfo", {V().Integer(3)}), "\"nothing\"");
  const auto find = [&](const char* how, const char* name, THostValue extra) {
    return Wrappers("findCast", {V().String(how), V().String(name), std::move(extra)});
  };
  EXPECT_EQ(find("byName", "sounds", V().Void()), "\"index=2 name=Sounds\"");
  EXPECT_EQ(find("byName", "none", V().Void()), "\"nothing\"");
  EXPECT_EQ(find("ofName", "Sounds", V().Integer(1)), "\"index=2 name=Sounds\"");
  EXPECT_EQ(find("ofName", "Internal", V().Integer(0)), "\"index=1 name=Internal\"");
  EXPECT_EQ(find("ofName", "none", V().Integer(0)), "\"nothing\"");
  EXPECT_EQ(Log(), (std::vector<std::string>{"castIndexFromName Sounds flag -1",
                                             "castIndexFromName Internal flag 0",
                                             "castIndexFromName none flag 0"}));
  EXPECT_EQ(find("ofNameAndPath", "Sounds", V().String("casts/sounds.cst")),
            "\"index=2 name=Sounds\"");
  EXPECT_EQ(find("ofNameAndPath", "Sounds", V().String("elsewhere")), "\"nothing\"");
  EXPECT_EQ(Wrappers("renameCast", {V().Integer(2), V().String("Noises")}), "\"Noises\"");
  EXPECT_EQ(host.Movie().Cast(2)->Properties().Name(), "Noises");
}

TEST_F(WrapperTest, MembersByReferenceAndByName) {
  EXPECT_EQ(Wrappers("memberInfo", {V().Integer(1), V().Integer(3)}),
            "\"ref=1,3 name=intro text\"");
  EXPECT_EQ(Wrappers("memberInfo", {V().Integer(2), V().Integer(9)}), "\"nothing\"");
  const auto find = [&](const char* how, const char* name, MoaLong cast) {
    return Wrappers("findMember", {V().String(how), V().String(name), V().Integer(cast)});
  };
  EXPECT_EQ(find("movie", "BEEP", 0), "\"ref=2,2 name=beep\"");
  EXPECT_EQ(find("movie", "none", 0), "\"nothing\"");
  EXPECT_EQ(find("cast", "logo", 1), "\"ref=1,1 name=logo\"");
  EXPECT_EQ(find("cast", "beep", 1), "\"nothing\"");
  EXPECT_EQ(find("castNumber", "intro text", 1), "\"3 ref=1,3 name=intro text\"");
  EXPECT_EQ(find("castNumber", "none", 1), "\"0 nothing\"");
}

TEST_F(WrapperTest, MemberPropertiesAndNames) {
  const auto prop = [&](const char* name) {
    return Wrappers("memberProp", {V().Integer(1), V().Integer(1), V().String(name)});
  };
  EXPECT_EQ(prop("colour"), "\"nothing\"");
  EXPECT_EQ(Wrappers("setMemberProp",
                     {V().Integer(1), V().Integer(1), V().String("colour"), V().Integer(42)}),
            "\"1\"");
  EXPECT_EQ(prop("colour"), "\"42\"");
  EXPECT_EQ(Wrappers("setMemberProp",
                     {V().Integer(1), V().Integer(1), V().String("name"), V().String("renamed")}),
            "\"renamed\"");
  EXPECT_EQ(prop("Name"), "\"\"renamed\"\"");
  host.Faults().Fail(dxhost::kMemberSetProp);
  EXPECT_EQ(Wrappers("setMemberProp",
                     {V().Integer(1), V().Integer(1), V().String("colour"), V().Integer(1)}),
            "\"0\"");
}

TEST_F(WrapperTest, MovieAndCastPropertiesBySymbol) {
  const auto prop = [&](MoaLong cast, const char* name, THostValue value) {
    return Wrappers("objectProp", {V().Integer(cast), V().String(name), std::move(value)});
  };
  EXPECT_EQ(prop(0, "tempo", V().Void()), "\"nothing\"");
  EXPECT_EQ(prop(0, "tempo", V().Integer(30)), "\"set 1 30\"");
  EXPECT_EQ(prop(0, "frame", V().Void()), "\"1\"");
  EXPECT_EQ(prop(2, "Name", V().Void()), "\"\"Sounds\"\"");
  EXPECT_EQ(prop(2, "preload", V().Integer(1)), "\"set 1 1\"");
  EXPECT_EQ(prop(1, "preload", V().Void()), "\"nothing\"");
  host.Faults().Fail(dxhost::kCastSetProp);
  EXPECT_EQ(prop(1, "preload", V().Integer(1)), "\"set 0 nothing\"");
  host.Faults().Fail(dxhost::kMovieSetProp);
  EXPECT_EQ(prop(0, "tempo", V().Integer(60)), "\"set 0 30\"");
}

TEST_F(WrapperTest, CastsCreateDeleteAndAssignMembers) {
  EXPECT_EQ(Wrappers("createMember", {V().Integer(1), V().Integer(5), V().String("bitmap")}),
            "\"ref=1,5 name= type 1\"");
  EXPECT_EQ(Wrappers("createMember", {V().Integer(1), V().Integer(5), V().String("bitmap")}),
            "\"nothing\"");
  EXPECT_EQ(Wrappers("deleteMember", {V().Integer(1), V().Integer(5)}), "\"1\"");
  EXPECT_EQ(Wrappers("deleteMember", {V().Integer(1), V().Integer(5)}), "\"0\"");
  Member(1, 1).PutMedia("Text", "moaHandle", std::string("logo text\0", 10));
  EXPECT_EQ(Wrappers("assignMember", {V().Integer(2), V().Integer(7), V().Integer(1),
                                      V().Integer(1), V().Integer(9)}),
            "\"1 ref=2,7 name=logo\"");
  EXPECT_EQ(*Member(2, 7).Media("Text", "moaHandle"), std::string("logo text\0", 10));
  EXPECT_EQ(Log(), std::vector<std::string>{"assignMember 2 7 flag 9"});
  // A refused assignment gives no member, not the one that stands at that number already.
  host.Faults().Fail(dxhost::kCastAssignMember);
  EXPECT_EQ(Wrappers("assignMember", {V().Integer(2), V().Integer(7), V().Integer(1),
                                      V().Integer(3), V().Integer(9)}),
            "\"0 nothing\"");
  EXPECT_EQ(host.Movie().Cast(2)->Member(7)->Properties().Name(), "logo");
  EXPECT_TRUE(Log().empty());
}

TEST_F(WrapperTest, CommandsReachTheMovieAndItsCasts) {
  EXPECT_EQ(
      Wrappers("commands", {V().Integer(3), V().Integer(4), V().Integer(2), V().String("compact")}),
      "\"movie=1 castIndex=1 cast=1\"");
  EXPECT_EQ(Log(), (std::vector<std::string>{"movieCommand 3 4", "castIndexCommand 2",
                                             "castCommand 2 compact"}));
  // Each command answers for itself: a refusal of one leaves the others true.
  host.Faults().Fail(dxhost::kCastCastCommand);
  EXPECT_EQ(
      Wrappers("commands", {V().Integer(3), V().Integer(4), V().Integer(2), V().String("compact")}),
      "\"movie=1 castIndex=1 cast=0\"");
  host.Faults().Clear();
  host.Faults().Fail(dxhost::kMovieMovieCommand);
  EXPECT_EQ(
      Wrappers("commands", {V().Integer(3), V().Integer(4), V().Integer(9), V().String("compact")}),
      "\"movie=0 castIndex=0 cast=0\"");
}

TEST_F(WrapperTest, TextMediaEndsWithAZeroByteThatIsNotPartOfIt) {
  const auto text = [&] { return Wrappers("memberText", {V().Integer(1), V().Integer(1)}); };
  EXPECT_EQ(text(), "\"\"");
  Member(1, 1).PutMedia("Text", "moaHandle", std::string("hello\0", 6));
  EXPECT_EQ(text(), "\"hello\"");
  EXPECT_EQ(Wrappers("setMemberText", {V().Integer(1), V().Integer(1), V().String("bye")}),
            "\"1\"");
  EXPECT_EQ(*Member(1, 1).Media("Text", "moaHandle"), std::string("bye\0", 4));
  EXPECT_EQ(text(), "\"bye\"");
  Member(1, 1).PutMedia("Text", "moaHandle", "");
  EXPECT_EQ(text(), "\"\"");
}

TEST_F(WrapperTest, BytesMediaThroughHandlesThatAreAlwaysFreed) {
  const auto bytes = [&](THostValue written) {
    return Wrappers("memberBytes",
                    {V().Integer(1), V().Integer(3), V().String("Custom"), std::move(written)});
  };
  EXPECT_EQ(bytes(V().Void()), "\"0 []\"");
  EXPECT_EQ(bytes(V().String("raw")), "\"1\"");
  EXPECT_EQ(*Member(1, 3).Media("Custom", "moaHandle"), "raw");
  EXPECT_EQ(bytes(V().Void()), "\"1 [raw]\"");
  // The handle service refuses: nothing is read or written, every handle goes back.
  host.Faults().Fail(dxhost::kHandlesLock);
  EXPECT_EQ(bytes(V().Void()), "\"0 []\"");
  EXPECT_EQ(bytes(V().String("new")), "\"0\"");
  host.Faults().Clear();
  host.Faults().Fail(dxhost::kHandlesAlloc);
  EXPECT_EQ(bytes(V().String("new")), "\"0\"");
  EXPECT_EQ(*Member(1, 3).Media("Custom", "moaHandle"), "raw");
  EXPECT_EQ(host.Handles().LiveHandles(), 0u);
}

TEST_F(WrapperTest, CompositeMediaByHandle) {
  Member(1, 1).PutMedia("Composite", "moaHandle", "abc");
  EXPECT_EQ(Wrappers("composite", {V().Integer(1), V().Integer(1)}), "\"abc 1\"");
  EXPECT_EQ(*Member(1, 1).Media("Composite", "moaHandle"), "xyz");
  EXPECT_EQ(Wrappers("composite", {V().Integer(1), V().Integer(3)}), "\"none 1\"");
}

TEST_F(WrapperTest, ImagesAsDeviceIndependentBitmaps) {
  EXPECT_EQ(Wrappers("image", {V().Integer(1), V().Integer(1), V().Integer(1)}), "\"1\"");
  const std::string* written = Member(1, 1).Media("Image", "winDIB");
  ASSERT_TRUE(written);
  EXPECT_EQ(written->size(), 40u + 2 * 12);
  EXPECT_EQ(Wrappers("image", {V().Integer(1), V().Integer(1), V().Integer(0)}),
            "\"3x2 bits 24 top-left FFFFFF bottom-right FF0000\"");
  // A bitmap of the host's own: the framework's black-and-white icon.
  Member(1, 3).PutMedia("Image", "winDIB",
                        testing_support::ReadWholeFile(DXLIB_ICON_BW_FILE).substr(14));
  EXPECT_EQ(Wrappers("image", {V().Integer(1), V().Integer(3), V().Integer(0)}),
            "\"32x32 bits 1 top-left FFFFFF bottom-right FFFFFF\"");
  Member(1, 3).PutMedia("Image", "winDIB", "not a bitmap");
  EXPECT_EQ(Wrappers("image", {V().Integer(1), V().Integer(3), V().Integer(0)}), "\"no image\"");
}

TEST_F(WrapperTest, RegistryDictionaryOfTheRegisterClass) {
  const auto dictionary = [&](const char* op, const char* key, THostValue value) {
    return Wrappers("dictionary", {V().String(op), V().String(key), std::move(value)});
  };
  EXPECT_EQ(dictionary("has", "name", V().Void()), "0");
  EXPECT_EQ(dictionary("getString", "name", V().Void()), "\"\"");
  dictionary("setString", "name", V().String("value"));
  EXPECT_EQ(dictionary("getString", "name", V().Void()), "\"value\"");
  EXPECT_EQ(dictionary("has", "name", V().Void()), "1");
  dictionary("setInteger", "n", V().Integer(42));
  EXPECT_EQ(dictionary("getInteger", "n", V().Void()), "42");
  const dxhost::THostDictionary* entry =
      host.RegistryEntry(kKindsRegisterClassID, kIID_IMoaRegister);
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->String("name"), "value");
  EXPECT_EQ(entry->Integer("n"), 42);
}

TEST_F(WrapperTest, LookupsTheHostRefusesGiveNothing) {
  host.Faults().Fail(dxhost::kMovieGetNthCast);
  EXPECT_EQ(Wrappers("castInfo", {V().Integer(1)}), "\"nothing\"");
  host.Faults().Fail(dxhost::kMovieGetMemberFromRef);
  EXPECT_EQ(Wrappers("memberInfo", {V().Integer(1), V().Integer(1)}), "\"nothing\"");
  host.Faults().Fail(dxhost::kMovieGetProp);
  EXPECT_EQ(Wrappers("movieInfo"), "\"frame=0 casts=2 label5=Intro intro=5 missing=0/\"");
}

// A host that hands back an interface together with a failure code has still counted a
// reference: the lookup gives nothing and the reference goes back.
TEST_F(WrapperTest, InterfacesHandedBackWithAFailureAreGivenBack) {
  const int castHeld = host.Movie().Cast(1)->OutstandingAll();
  host.Faults().FailAfterWork(dxhost::kMovieGetNthCast);
  EXPECT_EQ(Wrappers("castInfo", {V().Integer(1)}), "\"nothing\"");
  EXPECT_EQ(host.Movie().Cast(1)->OutstandingAll(), castHeld);
  host.Faults().Clear();
  host.Faults().FailAfterWork(dxhost::kMovieGetMemberFromRef);
  EXPECT_EQ(Wrappers("memberInfo", {V().Integer(1), V().Integer(3)}), "\"nothing\"");
  EXPECT_EQ(host.Movie().Cast(1)->OutstandingAll(), castHeld);
  host.Faults().Clear();
  EXPECT_EQ(Wrappers("memberInfo", {V().Integer(1), V().Integer(3)}),
            "\"ref=1,3 name=intro text\"");
}
