// Registration of the other Xtra kinds: the class table, the registry entries each kind writes
// (keys in order, dictionary types, sizes and values), icons, and failures during the pass.

#include <cstring>
#include <vector>

#include "KindsFixture.h"
#include "common/TestSupport.h"
#include "host/HostSlots.h"

namespace {

using dxhost::THostDictionary;

std::string NameOf(const MoaID& id) {
  const std::pair<MoaID, const char*> names[] = {
      {kKindAssetClassID, "asset"},
      {kKindTransitionAssetClassID, "transitionAsset"},
      {kPlainAssetClassID, "plainAsset"},
      {kKindSpriteClassID, "sprite"},
      {kKindTransitionClassID, "transition"},
      {kKindToolClassID, "tool"},
      {kKindPageClassID, "page"},
      {kWrapperProbeClassID, "wrappers"},
      {kKindsRegisterClassID, "register"},
      {kIID_IMoaClassFactory, "factory"},
      {kIID_IMoaAsset, "assetInterface"},
      {kIID_IMoaSprite, "spriteInterface"},
      {kIID_IMoaTransition, "transitionInterface"},
      {kIID_IMoaTool, "toolInterface"},
      {kIID_IMoaPropertyPage, "pageInterface"},
      {kIID_IMoaScriptCall, "scriptCall"},
      {kIID_IMoaRegister, "registerInterface"},
  };
  for (const auto& [known, name] : names)
    if (known == id) return name;
  return "?";
}

// A bitmap file as a module's bitmap resource holds it: without the 14-byte file header.
std::string BitmapResource(const char* path) {
  return testing_support::ReadWholeFile(path).substr(14);
}

std::string Word(std::uint32_t value) {
  return std::string(reinterpret_cast<const char*>(&value), 4);
}

}  // namespace

using KindsRegistrationTest = KindsTest;

TEST_F(KindsRegistrationTest, ClassTableOffersEachKindsInterface) {
  std::vector<MoaClassTableEntry> table;
  ASSERT_EQ(host.ReadClassTable(table), kMoaOk);
  std::vector<std::string> lines;
  for (const MoaClassTableEntry& entry : table)
    lines.push_back(NameOf(entry.ClassID) + " " + NameOf(entry.InterfaceID));
  EXPECT_EQ(lines,
            (std::vector<std::string>{
                "asset factory", "asset assetInterface", "transitionAsset factory",
                "transitionAsset assetInterface", "plainAsset factory", "plainAsset assetInterface",
                "sprite factory", "sprite spriteInterface", "transition factory",
                "transition transitionInterface", "tool factory", "tool toolInterface",
                "page factory", "page pageInterface", "wrappers factory", "wrappers scriptCall",
                "register factory", "register registerInterface"}));
}

TEST_F(KindsRegistrationTest, AssetEntryHasItsKeysTypesSizesAndDefaultIcons) {
  const THostDictionary* assetEntry = host.RegistryEntry(kKindAssetClassID, kIID_IMoaAsset);
  ASSERT_TRUE(assetEntry);
  const THostDictionary& asset = *assetEntry;
  EXPECT_EQ(asset.Keys(),
            (std::vector<std::string>{"symbolString", "displayNameString", "displayCategoryString",
                                      "actorType", "assetCaps", "colorIcon", "BWIcon",
                                      "safeForShockwave"}));
  EXPECT_EQ(asset.String("symbolString"), "KindAsset");
  EXPECT_EQ(asset.TypeOf("symbolString"), kMoaDictString);
  EXPECT_EQ(asset.PutSize("symbolString"), 0);
  EXPECT_EQ(asset.String("displayNameString"), "Kind asset");
  EXPECT_EQ(asset.String("displayCategoryString"), "Test kinds");
  EXPECT_EQ(asset.TypeOf("actorType"), kMoaDictInteger);
  EXPECT_EQ(asset.PutSize("actorType"), 4);
  EXPECT_EQ(asset.Integer("actorType"), 1);
  // Flags 0x5F: bit 0 0x2, bit 1 0x1, bit 2 0x8, bit 3 0x30, bit 4 0x200, bit 6 0x100.
  EXPECT_EQ(asset.TypeOf("assetCaps"), kMoaDictBytes);
  EXPECT_EQ(asset.Bytes("assetCaps"), Word(0x33B));
  EXPECT_EQ(asset.TypeOf("colorIcon"), kMoaDictBytes);
  EXPECT_EQ(asset.Bytes("colorIcon"), BitmapResource(DXLIB_ICON_FILE));
  EXPECT_EQ(asset.PutSize("colorIcon"), MoaLong(asset.Bytes("colorIcon")->size()));
  EXPECT_EQ(asset.Bytes("BWIcon"), BitmapResource(DXLIB_ICON_BW_FILE));
  EXPECT_EQ(asset.TypeOf("safeForShockwave"), kMoaDictBoolean);
  EXPECT_EQ(asset.Bytes("safeForShockwave"), std::string(1, '\xFF'));
}

TEST_F(KindsRegistrationTest, TransitionAssetEntryAddsItsTransitionKeys) {
  const THostDictionary* transitionEntry =
      host.RegistryEntry(kKindTransitionAssetClassID, kIID_IMoaAsset);
  ASSERT_TRUE(transitionEntry);
  const THostDictionary& transition = *transitionEntry;
  EXPECT_EQ(transition.Keys(), (std::vector<std::string>{
                                   "symbolString", "displayNameString", "displayCategoryString",
                                   "actorType", "assetCaps", "transitionCaps",
                                   "transitionDefaultChunkSize", "transitionDefaultArea",
                                   "transitionDefaultDuration", "colorIcon", "safeForShockwave"}));
  EXPECT_EQ(transition.String("symbolString"), "KindTransition");
  EXPECT_EQ(transition.Integer("actorType"), 2);
  // The same flags without the two bits only plain assets register.
  EXPECT_EQ(transition.Bytes("assetCaps"), Word(0x03B));
  // Flag1 0x1 and Flag2 0x4; Flag3 (0x2) is off.
  EXPECT_EQ(transition.TypeOf("transitionCaps"), kMoaDictBytes);
  EXPECT_EQ(transition.Bytes("transitionCaps"), Word(0x5));
  for (const char* key :
       {"transitionDefaultChunkSize", "transitionDefaultArea", "transitionDefaultDuration"}) {
    EXPECT_EQ(transition.TypeOf(key), kMoaDictInteger) << key;
    EXPECT_EQ(transition.PutSize(key), 0) << key;
  }
  EXPECT_EQ(transition.Integer("transitionDefaultChunkSize"), 4);
  EXPECT_EQ(transition.Integer("transitionDefaultArea"), 1);  // Flag1 and Flag4
  EXPECT_EQ(transition.Integer("transitionDefaultDuration"), 1500);
  // Its own colour icon; no black-and-white one of that name exists.
  EXPECT_EQ(transition.Bytes("colorIcon"), BitmapResource(KIND_ICON_FILE));
  EXPECT_FALSE(transition.Has("BWIcon"));
  EXPECT_EQ(transition.Bytes("safeForShockwave"), std::string(1, '\0'));
}

TEST_F(KindsRegistrationTest, MissingIconsAndFlagBitsWithoutCapsAreLeftOut) {
  const THostDictionary* plainEntry = host.RegistryEntry(kPlainAssetClassID, kIID_IMoaAsset);
  ASSERT_TRUE(plainEntry);
  const THostDictionary& plain = *plainEntry;
  EXPECT_FALSE(plain.Has("colorIcon"));
  EXPECT_FALSE(plain.Has("BWIcon"));
  EXPECT_EQ(plain.Bytes("assetCaps"), Word(0));
  EXPECT_EQ(plain.Size(), 6u);
}

TEST_F(KindsRegistrationTest, ToolPageAndScriptEntries) {
  const THostDictionary* toolEntry = host.RegistryEntry(kKindToolClassID, kIID_IMoaTool);
  ASSERT_TRUE(toolEntry);
  const THostDictionary& tool = *toolEntry;
  EXPECT_EQ(tool.Keys(), (std::vector<std::string>{"displayNameString", "displayCategoryString",
                                                   "alwaysEnabled"}));
  EXPECT_EQ(tool.String("displayNameString"), "Kind tool");
  EXPECT_EQ(tool.String("displayCategoryString"), "Test kinds");
  EXPECT_EQ(tool.TypeOf("alwaysEnabled"), kMoaDictInteger);
  EXPECT_EQ(tool.PutSize("alwaysEnabled"), 4);
  EXPECT_EQ(tool.Integer("alwaysEnabled"), 0);

  const THostDictionary* pageEntry = host.RegistryEntry(kKindPageClassID, kIID_IMoaPropertyPage);
  ASSERT_TRUE(pageEntry);
  const THostDictionary& page = *pageEntry;
  EXPECT_EQ(page.Keys(), std::vector<std::string>{"VDLPath"});
  EXPECT_EQ(page.TypeOf("VDLPath"), kMoaDictString);
  EXPECT_EQ(page.String("VDLPath"), "member\nKindAsset");

  // Sprites and transitions register nothing of their own.
  EXPECT_FALSE(host.RegistryEntry(kKindSpriteClassID, kIID_IMoaSprite));
  EXPECT_FALSE(host.RegistryEntry(kKindTransitionClassID, kIID_IMoaTransition));
  EXPECT_TRUE(host.RegistryEntry(kWrapperProbeClassID, kIID_IMoaScriptCall));
  EXPECT_TRUE(host.RegistryEntry(kKindsRegisterClassID, kIID_IMoaRegister));
  EXPECT_EQ(host.Registry().Count(), 7u);
}

TEST_F(KindsRegistrationTest, FirstFailingPutEndsTheRegistration) {
  host.Registry().Clear();
  const MoaError refused = MoaError(0x80045555);
  host.Faults().Fail(dxhost::kDictionaryPut, refused, 0, -1, "assetCaps");
  EXPECT_EQ(host.Register(), refused);
  const THostDictionary* assetEntry = host.RegistryEntry(kKindAssetClassID, kIID_IMoaAsset);
  ASSERT_TRUE(assetEntry);
  const THostDictionary& asset = *assetEntry;
  EXPECT_EQ(asset.Keys(), (std::vector<std::string>{"symbolString", "displayNameString",
                                                    "displayCategoryString", "actorType"}));
  EXPECT_FALSE(host.RegistryEntry(kKindTransitionAssetClassID, kIID_IMoaAsset));
  EXPECT_FALSE(host.RegistryEntry(kKindToolClassID, kIID_IMoaTool));

  host.Faults().Clear();
  host.Registry().Clear();
  host.Faults().Fail(dxhost::kDictionaryPut, refused, 0, -1, "transitionDefaultArea");
  EXPECT_EQ(host.Register(), refused);
  ASSERT_TRUE(host.RegistryEntry(kKindTransitionAssetClassID, kIID_IMoaAsset));
  EXPECT_FALSE(host.RegistryEntry(kKindTransitionAssetClassID, kIID_IMoaAsset)->Has("colorIcon"));
}

TEST_F(KindsRegistrationTest, AssetClassIsPreparedOnceBeforeItsFirstObject) {
  EXPECT_EQ(Events(), "\"\"");
  {
    Ref<IMoaAsset> first = host.Make<IMoaAsset>(kKindAssetClassID, kIID_IMoaAsset);
    Ref<IMoaAsset> second = host.Make<IMoaAsset>(kKindAssetClassID, kIID_IMoaAsset);
    ASSERT_TRUE(first && second) << host.LastError();
  }
  EXPECT_EQ(Events(),
            "\"assetClass host=" + std::to_string(dxhost::THostUtility::kHostValue) + ";\"");
  EXPECT_EQ(host.Utility().OpenContexts(), 0);
}

TEST_F(KindsRegistrationTest, EveryObjectAnswersOnlyTheInterfacesOfItsKind) {
  const struct {
    MoaClassID ClassID;
    MoaInterfaceID Own;
  } kinds[] = {{kKindAssetClassID, kIID_IMoaAsset},   {kKindTransitionAssetClassID, kIID_IMoaAsset},
               {kKindSpriteClassID, kIID_IMoaSprite}, {kKindTransitionClassID, kIID_IMoaTransition},
               {kKindToolClassID, kIID_IMoaTool},     {kKindPageClassID, kIID_IMoaPropertyPage}};
  for (const auto& kind : kinds) {
    Ref<IMoaUnknown> object = host.Make<IMoaUnknown>(kind.ClassID, kind.Own);
    ASSERT_TRUE(object) << NameOf(kind.ClassID);
    void* out = nullptr;
    EXPECT_EQ(object->QueryInterface(&kIID_IMoaClassFactory, &out), kMoaOk);
    static_cast<IMoaUnknown*>(out)->Release();
    EXPECT_EQ(object->QueryInterface(&kIID_IMoaScriptCall, &out), kMoaErrNoInterface);
    EXPECT_EQ(out, nullptr);
    const bool stub = kind.Own == kIID_IMoaAsset || kind.Own == kIID_IMoaSprite;
    EXPECT_EQ(object->QueryInterface(&kIID_IMoaScriptStub, &out) == kMoaOk, stub)
        << NameOf(kind.ClassID);
    if (out) static_cast<IMoaUnknown*>(out)->Release();
  }
}
