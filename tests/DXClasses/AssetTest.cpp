// An asset object through the asset interface: the property and function routes, the size it
// keeps, the recursion guard, its hooks, drawing and its texts for the authoring environment.

#include <cstdio>

#include "KindsFixture.h"
#include "host/HostAssetCallback.h"
#include "platform/DeviceContext.h"

namespace {

using dxhost::THostValue;

// A raster mode that is neither the copy pen nor the one the asset draws with.
constexpr int kHostRasterMode = 4;

// A result code and the value's text, as one string: "0 \"text\"".
std::string Answer(MoaError code, const std::string& text) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "%X", unsigned(code));
  return (code == kMoaOk ? std::string("0") : std::string(hex)) + " " + text;
}

}  // namespace

class AssetTest : public KindsTest {
 protected:
  void SetUp() override {
    KindsTest::SetUp();
    if (HasFatalFailure()) return;
    asset = host.Make<IMoaAsset>(kKindAssetClassID, kIID_IMoaAsset);
    ASSERT_TRUE(asset) << host.LastError();
    Events();  // the class's preparation
  }
  void TearDown() override {
    asset.Reset();
    KindsTest::TearDown();
  }

  std::string Get(std::string_view property) {
    THostValue value;
    const MoaError code = host.GetProperty(*asset, property, value);
    return Answer(code, Text(value));
  }
  MoaError Set(std::string_view property, const THostValue& value) {
    return host.SetProperty(*asset, property, value);
  }
  std::string Call(std::string_view function, std::initializer_list<THostValue> args = {}) {
    THostValue result;
    const MoaError code = host.CallFunction(*asset, function, args, result);
    return Answer(code, Text(result));
  }
  MoaRectRecord DefaultRect() {
    MoaRectRecord rect{-1, -1, -1, -1};
    EXPECT_EQ(asset->GetDefaultRect(&rect), kMoaOk);
    return rect;
  }

  Ref<IMoaAsset> asset;
};

TEST_F(AssetTest, PropertiesGoThroughPublishedMethodsThenTheVirtuals) {
  EXPECT_EQ(Get("title"), "0 \"untitled\"");
  // Published as "SET_TITLE": names compare without regard to case.
  EXPECT_EQ(Set("Title", V().String("Blue")), kMoaOk);
  EXPECT_EQ(Get("TITLE"), "0 \"Blue\"");
  // The published getter declines: the virtual answers.
  EXPECT_EQ(Get("declined"), "0 \"from the virtual\"");
  EXPECT_EQ(Set("count", V().Integer(5)), kMoaOk);
  EXPECT_EQ(Get("count"), "0 5");
}

TEST_F(AssetTest, UnknownPropertiesAreNotFoundAndTheHostValueStaysUntouched) {
  EXPECT_EQ(Get("colour"), "800407D5 <Void>");
  // A get that raises counts as not handled: what it had put in the result stays inside.
  EXPECT_EQ(Get("explosive"), "800407D5 <Void>");
  EXPECT_EQ(Get("count"), "0 0");
  EXPECT_EQ(Set("colour", V().Integer(1)), kDXErrPropertyNotFound);
  // A set that raises counts as not handled.
  EXPECT_EQ(Set("throwIn", V().String("adjust")), kMoaOk);
  EXPECT_EQ(Set("width", V().Integer(80)), kDXErrPropertyNotFound);
  EXPECT_EQ(DefaultRect().Right, 64);
}

TEST_F(AssetTest, WidthAndHeightAreAdjustedKeptAndReported) {
  dxhost::THostAssetCallback callback(host.Faults(), nullptr);
  ASSERT_EQ(asset->SetCallback(&callback), kMoaOk);
  MoaRectRecord rect = DefaultRect();
  EXPECT_EQ(rect.Top, 0);
  EXPECT_EQ(rect.Left, 0);
  EXPECT_EQ(rect.Bottom, 32);
  EXPECT_EQ(rect.Right, 64);
  // 61 becomes 64, the width kept already: nothing changes.
  EXPECT_EQ(Set("width", V().Integer(61)), kMoaOk);
  EXPECT_EQ(callback.Changes(), 0);
  EXPECT_EQ(Set("width", V().Integer(70)), kMoaOk);
  EXPECT_EQ(callback.Changes(), 1);
  EXPECT_EQ(Set("HEIGHT", V().Integer(150)), kMoaOk);
  EXPECT_EQ(callback.Changes(), 2);
  rect = DefaultRect();
  EXPECT_EQ(rect.Bottom, 100);
  EXPECT_EQ(rect.Right, 72);
  EXPECT_EQ(Get("width"), "0 72");
  // The callback is let go with the next one.
  EXPECT_EQ(asset->SetCallback(nullptr), kMoaOk);
  EXPECT_EQ(callback.Outstanding(), 0);
  EXPECT_EQ(Set("width", V().Integer(8)), kMoaOk);
  EXPECT_EQ(DefaultRect().Right, 8);
}

TEST_F(AssetTest, FunctionsGoToPublishedMethodsThenToTheVirtual) {
  EXPECT_EQ(Call("greet", {V().String("Ann")}), "0 \"hello Ann of 1\"");
  EXPECT_EQ(Call("GREET", {V().String("Bo"), V().Integer(2)}), "0 \"hello Bo of 2\"");
  EXPECT_EQ(Call("virtualOnly", {V().Integer(1), V().Integer(2)}), "0 \"virtual virtualOnly 2\"");
  // A name of a property method is never a published function: the virtual gets it.
  EXPECT_EQ(Call("get_hidden"), "0 \"virtual get_hidden 0\"");
  EXPECT_EQ(Call("Set_Title", {V().String("x")}), "800407DF <Void>");
  EXPECT_EQ(Get("title"), "0 \"untitled\"");
}

// Names of symbols come back through a buffer of 64 bytes: 63 characters and the zero.
TEST_F(AssetTest, FunctionNamesAreReadUpTo63Characters) {
  const std::string longest = "long" + std::string(59, 'f');
  EXPECT_EQ(Call(longest), "0 \"virtual " + longest + " 0\"");
  EXPECT_EQ(Call(longest + "LOST"), "0 \"virtual " + longest + " 0\"");
}

TEST_F(AssetTest, UnhandledAndFailingFunctionsStillWriteTheirResult) {
  EXPECT_EQ(Call("nonesuch"), "800407DF <Void>");
  EXPECT_EQ(Call("decline"), "800407DF \"declined\"");
  EXPECT_EQ(Call("explode"), "800407DF \"half done\"");
  EXPECT_EQ(Call("greet", {V().String("again")}), "0 \"hello again of 1\"");
}

TEST_F(AssetTest, RecursionIsCutAtAHundredNestedCalls) {
  EXPECT_EQ(Call("recurse"), "0 \"reached 1\"");
  EXPECT_EQ(host.Messages().Printed(),
            std::vector<std::string>{"ERR: Recursive loop detected: \"recurse\"\r"});
  // The hundredth nested call was the last one let in.
  EXPECT_EQ(Events(), "\"refused at 100;\"");
  // The count starts afresh: the next loop is cut at the same depth, calls in between work.
  EXPECT_EQ(Call("greet", {V().String("Ann")}), "0 \"hello Ann of 1\"");
  EXPECT_EQ(Call("recurse"), "0 \"reached 1\"");
  EXPECT_EQ(Events(), "\"refused at 100;\"");
  EXPECT_EQ(host.Messages().Printed().size(), 2u);
}

TEST_F(AssetTest, HooksAnswerWithTheirKindsCodes) {
  EXPECT_EQ(asset->Notify(7, 8), kMoaOk);
  EXPECT_EQ(asset->Notify(1, 2), kDXErrNotAccepted);
  // Bit 0 says the media is needed, bit 1 that it may be purged; the hook answers "needed".
  EXPECT_EQ(asset->SetMediaState(0), kDXErrMediaState);
  EXPECT_EQ(asset->SetMediaState(1), kMoaOk);
  EXPECT_EQ(asset->SetMediaState(2), kDXErrMediaState);
  EXPECT_EQ(asset->SetMediaState(3), kMoaOk);
  EXPECT_EQ(asset->SetMediaState(4), kDXErrMediaState) << "other bits mean nothing";
  EXPECT_EQ(Events(),
            "\"notify 7 8;notify 1 2;mediaState 0 0;mediaState 1 0;mediaState 0 1;"
            "mediaState 1 1;mediaState 0 0;\"");

  EXPECT_EQ(asset->CheckProperties(), kMoaOk);
  EXPECT_EQ(Set("valid", V().Integer(0)), kMoaOk);
  EXPECT_EQ(asset->CheckProperties(), kDXErrInvalid);
  EXPECT_EQ(asset->CheckMedia(), kDXErrInvalid);
  EXPECT_EQ(Set("media", V().String("abc")), kMoaOk);
  EXPECT_EQ(asset->CheckMedia(), kMoaOk);

  MoaLong value = -1;
  EXPECT_EQ(asset->GetPropertiesVersion(&value), kMoaOk);
  EXPECT_EQ(value, 2);
  EXPECT_EQ(asset->GetMediaVersion(&value), kMoaOk);
  EXPECT_EQ(value, 3);
  EXPECT_EQ(asset->GetEditFlags(&value), kMoaOk);
  EXPECT_EQ(value, 1);
  EXPECT_EQ(asset->GetPlaybackFlags(&value), kMoaOk);
  EXPECT_EQ(value, 2);
  EXPECT_EQ(asset->Reserved26(), kMoaOk);
  EXPECT_EQ(asset->Reserved27(), kMoaOk);
  EXPECT_EQ(asset->Reserved28(), kMoaOk);
}

TEST_F(AssetTest, HooksThatRaiseGiveTheirFailureCodes) {
  for (const char* hook : {"notify", "checkProperties", "mediaVersion", "about"}) {
    EXPECT_EQ(Set("throwIn", V().String(hook)), kMoaOk);
    MoaLong version = -1;
    EXPECT_EQ(asset->Notify(7, 0), std::string(hook) == "notify" ? kDXErrNotAccepted : kMoaOk);
    EXPECT_EQ(asset->CheckProperties(),
              std::string(hook) == "checkProperties" ? kDXErrInvalid : kMoaOk);
    const bool versionFails = std::string(hook) == "mediaVersion";
    EXPECT_EQ(asset->GetMediaVersion(&version), versionFails ? kDXErrCallFailed : kMoaOk);
    EXPECT_EQ(version, versionFails ? 0 : 3);
    EXPECT_EQ(asset->ShowAbout(), std::string(hook) == "about" ? kDXErrCallFailed : kMoaOk);
  }
  EXPECT_EQ(host.Utility().OpenContexts(), 0);
}

TEST_F(AssetTest, EditingAndTheAboutBoxRunInsideTheHostsContext) {
  const int before = host.Utility().Acquisitions();
  EXPECT_EQ(asset->Edit(), kMoaOk);
  EXPECT_EQ(asset->ShowAbout(), kMoaOk);
  EXPECT_EQ(host.Utility().Acquisitions(), before + 2);
  EXPECT_EQ(host.Utility().OpenContexts(), 0);
  EXPECT_EQ(Events(), "\"edit;about;\"");
}

TEST_F(AssetTest, NewSpriteMakesAnObjectOfTheAssetsSpriteClass) {
  void* made = nullptr;
  ASSERT_EQ(asset->NewSprite(&made), kMoaOk);
  const auto sprite = Ref<IMoaSprite>::Adopt(static_cast<IMoaSprite*>(made));
  THostValue label;
  EXPECT_EQ(host.GetProperty(*sprite, "label", label), kMoaOk);
  EXPECT_EQ(Text(label), "\"sprite\"");
  EXPECT_EQ(asset->NewSprite(nullptr), kDXErrInvalid);
}

TEST_F(AssetTest, DrawingGetsAPreparedContextWhoseStateIsRestored) {
  const platform::TDeviceContext context = platform::CreateMemoryContext();
  ASSERT_TRUE(context);
  platform::SetRasterMode(context, kHostRasterMode);
  const MoaRectRecord rect{2, 1, 4, 3};  // top, left, bottom, right
  EXPECT_EQ(asset->Draw(context, &rect), kMoaOk);
  EXPECT_EQ(platform::RasterMode(context), kHostRasterMode);
  EXPECT_EQ(Set("throwIn", V().String("draw")), kMoaOk);
  EXPECT_EQ(asset->Draw(context, &rect), kDXErrCallFailed);
  EXPECT_EQ(platform::RasterMode(context), kHostRasterMode);
  EXPECT_EQ(asset->Draw(nullptr, &rect), kDXErrInvalid);
  EXPECT_EQ(asset->Draw(context, nullptr), kDXErrInvalid);
  platform::DeleteMemoryContext(context);
  EXPECT_EQ(Events(), "\"draw mode=13 rect=1,2,3,4;draw mode=13 rect=1,2,3,4;\"");
}

TEST_F(AssetTest, DescriptionGivesTheAuthoringEventsAndTheDisplayName) {
  Ref<IMoaAssetDescription> description =
      host.Make<IMoaAssetDescription>(kKindAssetClassID, kIID_IMoaAssetDescription);
  ASSERT_TRUE(description);
  char buffer[128] = {};
  ASSERT_EQ(description->GetAuthoringEvents(buffer, sizeof buffer), kMoaOk);
  EXPECT_STREQ(buffer, "kindClicked object me, integer count -- when clicked\nkindReset\n");
  ASSERT_EQ(description->GetAuthoringEvents(buffer, 10), kMoaOk);
  EXPECT_STREQ(buffer, "kindClick");
  ASSERT_EQ(description->GetDisplayName(buffer, sizeof buffer), kMoaOk);
  EXPECT_STREQ(buffer, "Kind asset");
  EXPECT_EQ(description->GetDisplayName(buffer, 0), kDXErrInvalid);
}

TEST_F(AssetTest, AnAssetReachesTheMediaOfItsOwnMember) {
  EXPECT_EQ(Get("ownMedia"), "0 \"none\"");
  dxhost::THostCastMember& member = host.Movie().AddCast("Internal").AddMember(1, "content");
  member.PutMedia("Text", "moaHandle", std::string("inside\0", 7));
  dxhost::THostAssetCallback callback(host.Faults(), &member);
  ASSERT_EQ(asset->SetCallback(&callback), kMoaOk);
  EXPECT_EQ(Get("ownMedia"), "0 \"inside\"");
  asset.Reset();
  EXPECT_EQ(member.Outstanding(), 0);
  EXPECT_EQ(callback.Outstanding(), 0);
}

TEST_F(AssetTest, StubInterfaceAnswersZero) {
  Ref<IMoaScriptStub> stub = host.Make<IMoaScriptStub>(kKindAssetClassID, kIID_IMoaScriptStub);
  ASSERT_TRUE(stub);
  MoaLong value = 7;
  EXPECT_EQ(stub->StubGet(&value), kMoaOk);
  EXPECT_EQ(value, 0);
  EXPECT_EQ(stub->StubSet(1), kMoaOk);
  EXPECT_EQ(stub->StubNotify(1), kMoaOk);
}
