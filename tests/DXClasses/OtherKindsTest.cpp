// Sprites, transitions, tools and property pages through their host interfaces.

#include "DXClasses/DXSprite.h"
#include "KindsFixture.h"
#include "platform/DeviceContext.h"

namespace {

using dxhost::THostValue;

constexpr int kHostRasterMode = 4;

MoaSpriteEvent SpriteEvent(MoaLong type, MoaLong h = 0, MoaLong v = 0, MoaLong modifiers = 0,
                           MoaLong key = 0) {
  MoaSpriteEvent event{};
  event.Type = type;
  event.Where = {v, h};
  event.Modifiers = modifiers;
  event.Key = key;
  return event;
}

// A device context with a raster mode of the host's own, deleted with the scope.
class THostContext {
 public:
  THostContext() : context_(platform::CreateMemoryContext()) {
    platform::SetRasterMode(context_, kHostRasterMode);
  }
  ~THostContext() { platform::DeleteMemoryContext(context_); }
  platform::TDeviceContext Get() const { return context_; }

 private:
  platform::TDeviceContext context_;
};

}  // namespace

using OtherKindsTest = KindsTest;

TEST_F(OtherKindsTest, SpritePropertiesAndFunctionsTakeTheAssetsRoutes) {
  Ref<IMoaSprite> sprite = host.Make<IMoaSprite>(kKindSpriteClassID, kIID_IMoaSprite);
  ASSERT_TRUE(sprite);
  EXPECT_EQ(host.SetProperty(*sprite, "label", V().String("moving")), kMoaOk);
  THostValue value;
  EXPECT_EQ(host.GetProperty(*sprite, "label", value), kMoaOk);
  EXPECT_EQ(Text(value), "\"moving\"");
  EXPECT_EQ(host.GetProperty(*sprite, "width", value), kDXErrPropertyNotFound);
  EXPECT_EQ(host.CallFunction(*sprite, "anything", {}, value), kDXErrCallFailed);
}

TEST_F(OtherKindsTest, SpriteEventsGoToTheirHandlersRelativeToTheOrigin) {
  Ref<IMoaSprite> sprite = host.Make<IMoaSprite>(kKindSpriteClassID, kIID_IMoaSprite);
  const MoaRectRecord bounds{20, 10, 60, 110};  // top, left, bottom, right
  ASSERT_EQ(sprite->SetBounds(&bounds), kMoaOk);
  const auto handled = [&](const MoaSpriteEvent& event) {
    MoaLong taken = -1;
    const MoaError code = sprite->Event(&event, &taken);
    return std::to_string(code) + "/" + std::to_string(taken);
  };
  EXPECT_EQ(handled(SpriteEvent(seMouseDown, 15, 27, 3)), "0/1");
  EXPECT_EQ(handled(SpriteEvent(seMouseUp, 10, 20)), "0/0");
  EXPECT_EQ(handled(SpriteEvent(seKeyDown, 0, 0, 1, 65)), "0/1");
  EXPECT_EQ(handled(SpriteEvent(seBeginSprite)), "0/1");
  EXPECT_EQ(handled(SpriteEvent(seDoubleClick, 1, 1)), "0/0");  // no handler: not taken
  EXPECT_EQ(handled(SpriteEvent(17)), "0/0");
  EXPECT_EQ(handled(SpriteEvent(0)), "0/0");
  EXPECT_EQ(handled(SpriteEvent(seIdle)), std::to_string(kDXErrCallFailed) + "/0");
  EXPECT_EQ(Events(), "\"mouseDown 5,7 3;mouseUp 0,0;keyDown 65 1;beginSprite;\"");
  EXPECT_EQ(sprite->Event(nullptr, nullptr), kDXErrInvalid);
}

TEST_F(OtherKindsTest, SpriteDrawsInAPreparedContext) {
  Ref<IMoaSprite> sprite = host.Make<IMoaSprite>(kKindSpriteClassID, kIID_IMoaSprite);
  const MoaRectRecord bounds{1, 2, 3, 4};
  ASSERT_EQ(sprite->SetBounds(&bounds), kMoaOk);
  const THostContext context;
  const MoaRectRecord rect{5, 6, 7, 8};
  EXPECT_EQ(sprite->Draw(context.Get(), &rect), kMoaOk);
  EXPECT_EQ(platform::RasterMode(context.Get()), kHostRasterMode);
  EXPECT_EQ(Events(), "\"spriteDraw mode=13 rect=6,5,8,7 bounds=2,1,4,3;\"");
}

TEST_F(OtherKindsTest, TransitionRunsFromCueToFinish) {
  Ref<IMoaTransition> transition =
      host.Make<IMoaTransition>(kKindTransitionClassID, kIID_IMoaTransition);
  ASSERT_TRUE(transition);
  const THostContext context;
  const MoaRectRecord area{0, 0, 10, 20};
  MoaLong finished = -1;
  EXPECT_EQ(transition->Cue(1000, 4, 1), kMoaOk);
  EXPECT_EQ(transition->Render(context.Get(), &area, 500, &finished), kMoaOk);
  EXPECT_EQ(finished, 0);
  EXPECT_EQ(platform::RasterMode(context.Get()), kHostRasterMode);
  // The transition says it is complete before its time is up.
  EXPECT_EQ(transition->Render(context.Get(), &area, 800, &finished), kMoaOk);
  EXPECT_EQ(finished, 1);
  EXPECT_EQ(transition->Finish(), kMoaOk);
  // Without a duration it is complete at once; time past the end counts as the end.
  EXPECT_EQ(transition->Cue(0, 1, 0), kMoaOk);
  EXPECT_EQ(transition->Render(context.Get(), &area, 0, &finished), kMoaOk);
  EXPECT_EQ(finished, 1);
  EXPECT_EQ(transition->Render(nullptr, &area, 0, &finished), kDXErrInvalid);
  EXPECT_EQ(finished, 0);
  EXPECT_EQ(Events(),
            "\"begin 1000 4 1;step 0.50 mode=13 rect=0,0,20,10;step 0.80 mode=13 rect=0,0,20,10;"
            "end;begin 0 1 0;step 1.00 mode=13 rect=0,0,20,10;\"");
}

TEST_F(OtherKindsTest, ToolInvokeSwallowsWhatExecuteRaises) {
  Ref<IMoaTool> tool = host.Make<IMoaTool>(kKindToolClassID, kIID_IMoaTool);
  ASSERT_TRUE(tool);
  Wrappers("setTool", {V().Integer(0), V().Integer(0)});
  const int before = host.Utility().Acquisitions();
  EXPECT_EQ(tool->Invoke(), kMoaOk);
  Wrappers("setTool", {V().Integer(1), V().Integer(0)});
  EXPECT_EQ(tool->Invoke(), kMoaOk);
  EXPECT_EQ(host.Utility().Acquisitions(), before + 2);
  EXPECT_EQ(host.Utility().OpenContexts(), 0);
  EXPECT_EQ(Events(), "\"execute;execute;\"");
  MoaLong enabled = -1;
  EXPECT_EQ(tool->GetEnabled(&enabled), kMoaOk);
  EXPECT_EQ(enabled, 0);
  Wrappers("setTool", {V().Integer(0), V().Integer(1)});
  EXPECT_EQ(tool->GetEnabled(&enabled), kMoaOk);
  EXPECT_EQ(enabled, 1);
  EXPECT_EQ(tool->GetEnabled(nullptr), kDXErrInvalid);
}

TEST_F(OtherKindsTest, PropertyPageDescribesItselfByteForByte) {
  Ref<IMoaPropertyPage> page = host.Make<IMoaPropertyPage>(kKindPageClassID, kIID_IMoaPropertyPage);
  ASSERT_TRUE(page);
  const std::string expected =
      "\"[ #KindAssetPropPage: [ #comment: \"Kind asset\", #propertyDescriptionList: [ "
      "#title: [#format: #string, #default: \"untitled\"] ], #itemDescriptionList: [ "
      "[#type: #label, #text: \"Title:\", #loc: point(8, 8), #width: 184, #height: 12] ] ] ]\"";
  // Twice: the layout starts from its defaults for every description.
  for (int i = 0; i < 2; ++i) {
    MoaMmValue out{};
    ASSERT_EQ(page->GetPageDescription(&out), kMoaOk);
    EXPECT_EQ(Text(THostValue(V(), out)), expected);
  }
  EXPECT_EQ(page->GetPageDescription(nullptr), kDXErrInvalid);
}
