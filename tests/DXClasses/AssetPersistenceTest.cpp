// An asset's properties and media saved to and loaded from the host's streams, the sizes the
// counting pass measures, and what failures on either side give.

#include <cstring>

#include "KindsFixture.h"
#include "host/HostSlots.h"

namespace {

using dxhost::THostStream;
using dxhost::THostValue;

template <class T>
std::string Bytes(T value) {
  return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

// What the kinds asset saves: its title, count, ratio, a flag byte and a word.
std::string SavedProperties(const std::string& title, std::int32_t count) {
  return Bytes(std::uint16_t(title.size())) + title + Bytes(count) + Bytes(0.5) +
         Bytes(std::uint8_t(0xA5)) + Bytes(std::uint16_t(0xBEEF));
}

}  // namespace

class AssetPersistenceTest : public KindsTest {
 protected:
  Ref<IMoaAsset> NewAsset() {
    Ref<IMoaAsset> asset = host.Make<IMoaAsset>(kKindAssetClassID, kIID_IMoaAsset);
    EXPECT_TRUE(asset) << host.LastError();
    return asset;
  }
  std::string Get(IMoaAsset& asset, std::string_view property) {
    THostValue value;
    EXPECT_EQ(host.GetProperty(asset, property, value), kMoaOk);
    return Text(value);
  }
  MoaLong PropertiesSize(IMoaAsset& asset) {
    MoaLong size = -2;
    EXPECT_EQ(asset.GetPropertiesSize(&size), kMoaOk);
    return size;
  }
};

TEST_F(AssetPersistenceTest, PropertiesSaveInTheStreamFormatAndLoadBack) {
  Ref<IMoaAsset> saved = NewAsset();
  ASSERT_EQ(host.SetProperty(*saved, "title", V().String("ab")), kMoaOk);
  ASSERT_EQ(host.SetProperty(*saved, "count", V().Integer(-5)), kMoaOk);
  THostStream stream = host.NewStream();
  ASSERT_EQ(saved->SaveProperties(&stream), kMoaOk);
  EXPECT_EQ(stream.Bytes(), SavedProperties("ab", -5));
  EXPECT_EQ(stream.Outstanding(), 0);

  Ref<IMoaAsset> loaded = NewAsset();
  ASSERT_EQ(loaded->LoadProperties(&stream), kMoaOk);
  EXPECT_EQ(Get(*loaded, "title"), "\"ab\"");
  EXPECT_EQ(Get(*loaded, "count"), "-5");
  EXPECT_EQ(stream.Position(), stream.Bytes().size());
}

TEST_F(AssetPersistenceTest, SizeQueriesRunTheSaveOnACountingStream) {
  Ref<IMoaAsset> asset = NewAsset();
  ASSERT_EQ(host.SetProperty(*asset, "title", V().String("four")), kMoaOk);
  EXPECT_EQ(PropertiesSize(*asset), MoaLong(SavedProperties("four", 0).size()));
  ASSERT_EQ(host.SetProperty(*asset, "media", V().String("xyz")), kMoaOk);
  MoaLong size = -2;
  ASSERT_EQ(asset->GetMediaSize(&size), kMoaOk);
  EXPECT_EQ(size, 7);
  // Counting writes nothing anywhere, and a host that refuses every write does not matter.
  host.Faults().Fail(dxhost::kStreamWrite);
  EXPECT_EQ(PropertiesSize(*asset), MoaLong(SavedProperties("four", 0).size()));
  EXPECT_EQ(host.Faults().Calls(dxhost::kStreamWrite), 0);
  EXPECT_EQ(asset->GetMediaSize(nullptr), kDXErrInvalid);
}

TEST_F(AssetPersistenceTest, MediaSaveAndLoad) {
  Ref<IMoaAsset> saved = NewAsset();
  ASSERT_EQ(host.SetProperty(*saved, "media", V().String("pixels")), kMoaOk);
  THostStream stream = host.NewStream();
  ASSERT_EQ(saved->SaveMedia(&stream), kMoaOk);
  EXPECT_EQ(stream.Bytes(), Bytes(std::int32_t(6)) + "pixels");
  Ref<IMoaAsset> loaded = NewAsset();
  ASSERT_EQ(loaded->LoadMedia(&stream), kMoaOk);
  EXPECT_EQ(Get(*loaded, "media"), "\"pixels\"");
  EXPECT_EQ(loaded->CheckMedia(), kMoaOk);
}

TEST_F(AssetPersistenceTest, SavesThatFailGiveTheSaveCodeAndNoSize) {
  Ref<IMoaAsset> asset = NewAsset();
  // The save hook answers false.
  ASSERT_EQ(host.SetProperty(*asset, "title", V().String("unsaveable")), kMoaOk);
  THostStream refused = host.NewStream();
  EXPECT_EQ(asset->SaveProperties(&refused), kDXErrSaveFailed);
  EXPECT_EQ(PropertiesSize(*asset), -1);
  // The save hook raises.
  ASSERT_EQ(host.SetProperty(*asset, "title", V().String("fine")), kMoaOk);
  ASSERT_EQ(host.SetProperty(*asset, "throwIn", V().String("saveProperties")), kMoaOk);
  THostStream raised = host.NewStream();
  EXPECT_EQ(asset->SaveProperties(&raised), kDXErrSaveFailed);
  EXPECT_EQ(PropertiesSize(*asset), -1);
  // The host's stream refuses the third write.
  ASSERT_EQ(host.SetProperty(*asset, "throwIn", V().String("")), kMoaOk);
  host.Faults().Fail(dxhost::kStreamWrite, dxhost::kHostErrInjected, 2, 1);
  THostStream broken = host.NewStream();
  EXPECT_EQ(asset->SaveProperties(&broken), kDXErrSaveFailed);
  EXPECT_EQ(broken.Bytes(), Bytes(std::uint16_t(4)) + "fine");
  // No stream at all.
  EXPECT_EQ(asset->SaveProperties(nullptr), kDXErrSaveFailed);
  EXPECT_EQ(asset->SaveMedia(nullptr), kDXErrSaveFailed);
}

TEST_F(AssetPersistenceTest, LoadsThatFailGiveTheLoadCodeAndTheStreamsMessage) {
  Ref<IMoaAsset> asset = NewAsset();
  const std::string whole = SavedProperties("title", 9);
  THostStream cut = host.NewStream(whole.substr(0, whole.size() - 1));
  EXPECT_EQ(asset->LoadProperties(&cut), kDXErrLoadFailed);
  EXPECT_EQ(Get(*asset, "lastError"), "\"Could not read from stream\"");

  ASSERT_EQ(host.SetProperty(*asset, "throwIn", V().String("")), kMoaOk);
  host.Faults().Fail(dxhost::kStreamRead, dxhost::kHostErrInjected, 0, 1);
  THostStream refused = host.NewStream(whole);
  EXPECT_EQ(asset->LoadProperties(&refused), kDXErrLoadFailed);

  // A size no media of this asset has: the hook's own failure.
  THostStream bogus = host.NewStream(Bytes(std::int32_t(-3)));
  EXPECT_EQ(asset->LoadMedia(&bogus), kDXErrLoadFailed);
  EXPECT_EQ(asset->LoadProperties(nullptr), kDXErrLoadFailed);
}
