// The dictionary wrapper over a host dictionary, in this process.

#include <gtest/gtest.h>

#include "DXClasses/DXDictionary.h"
#include "host/HostSlots.h"
#include "host/XtraHost.h"

namespace {

class DXDictionaryTest : public testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(host.OutstandingReferences(), 0); }

  Ref<TDXDictionary> Wrap() {
    IMoaDict* entry = nullptr;
    EXPECT_EQ(host.Registry().AddRegistryEntry(nullptr, &kClassID, &kIID_IMoaRegister, &entry),
              kMoaOk);
    dictionary = host.RegistryEntry(kClassID, kIID_IMoaRegister);
    return MakeRef<TDXDictionary>(Ref<IMoaDict>::Adopt(entry));
  }

  static constexpr MoaClassID kClassID = MakeMoaID("0D1C7A55-2B3C-4D5E-8F90-A1B2C3D4E5F6");
  dxhost::TXtraHost host;
  dxhost::THostDictionary* dictionary = nullptr;
};

TEST_F(DXDictionaryTest, StringsAndIntegersByKey) {
  const Ref<TDXDictionary> wrapper = Wrap();
  EXPECT_FALSE(wrapper->HasKey("name"));
  EXPECT_EQ(wrapper->GetString("name"), "");
  EXPECT_EQ(wrapper->GetInteger("n"), 0);
  wrapper->SetString("name", "value");
  wrapper->SetString("empty", "");
  wrapper->SetInteger("n", -7);
  EXPECT_TRUE(wrapper->HasKey("name"));
  EXPECT_EQ(wrapper->GetString("name"), "value");
  EXPECT_EQ(wrapper->GetString("empty"), "");
  EXPECT_EQ(wrapper->GetInteger("n"), -7);
  EXPECT_EQ(dictionary->TypeOf("name"), kMoaDictString);
  EXPECT_EQ(dictionary->PutSize("name"), 0);
  EXPECT_EQ(dictionary->TypeOf("n"), kMoaDictInteger);
  EXPECT_EQ(dictionary->PutSize("n"), 4);
}

TEST_F(DXDictionaryTest, TypedPutsAnswerTheHostsResult) {
  const Ref<TDXDictionary> wrapper = Wrap();
  EXPECT_EQ(wrapper->PutInteger("natural", 9, 0), kMoaOk);
  EXPECT_EQ(dictionary->PutSize("natural"), 0);
  EXPECT_EQ(dictionary->Integer("natural"), 9);
  EXPECT_EQ(wrapper->PutBoolean("yes", true), kMoaOk);
  EXPECT_EQ(wrapper->PutBoolean("no", false), kMoaOk);
  EXPECT_EQ(dictionary->Bytes("yes"), std::string(1, '\xFF'));
  EXPECT_EQ(dictionary->Bytes("no"), std::string(1, '\0'));
  EXPECT_EQ(wrapper->PutBytes("raw", std::string("a\0b", 3)), kMoaOk);
  EXPECT_EQ(dictionary->TypeOf("raw"), kMoaDictBytes);
  EXPECT_EQ(dictionary->Bytes("raw"), std::string("a\0b", 3));
  host.Faults().Fail(dxhost::kDictionaryPut, dxhost::kHostErrInjected);
  EXPECT_EQ(wrapper->PutString("late", "x"), dxhost::kHostErrInjected);
  EXPECT_FALSE(dictionary->Has("late"));
}

}  // namespace
