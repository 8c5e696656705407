// The stream wrappers over a host stream, in this process: the record formats, the counting
// pass, and the exact messages of failures.

#include <gtest/gtest.h>

#include "DXClasses/DXStreams.h"
#include "host/HostSlots.h"
#include "host/XtraHost.h"

namespace {

using dxhost::THostStream;

template <class T>
std::string Bytes(T value) {
  return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

class DXStreamsTest : public testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(stream.Outstanding(), 0); }

  Ref<IMoaStream> Held() { return Ref<IMoaStream>::Retain(&stream); }
  Ref<TDXWriteStream> Writer() { return MakeRef<TDXWriteStream>(Held(), false); }
  Ref<TDXReadStream> Reader() { return MakeRef<TDXReadStream>(Held()); }

  // Every kind of record once.
  static void WriteAll(IDXWriteStream& out) {
    out.WriteByte(0x7F);
    out.WriteWord(0x1234);
    out.WriteInteger(-2);
    out.WriteFloat(2.5);
    out.WriteString("text");
    out.WriteString("");
    out.Write("raw", 3);
  }

  // The message of what body raises, or "" when it raises nothing.
  template <class TBody>
  static std::string Raised(TBody&& body) {
    try {
      body();
    } catch (const EDXStreamException& e) {
      return e.what();
    }
    return {};
  }

  dxhost::THostFaults faults;
  THostStream stream{faults};
};

TEST_F(DXStreamsTest, RecordsAreLittleEndianAndStringsCarryALengthWord) {
  const Ref<TDXWriteStream> out = Writer();
  WriteAll(*out);
  // Appended piece by piece: the 32-bit compiler misreads a literal chained onto temporaries.
  std::string expected = "\x7F";
  for (const std::string& piece :
       {Bytes(std::uint16_t(0x1234)), Bytes(std::int32_t(-2)), Bytes(2.5), Bytes(std::uint16_t(4)),
        std::string("text"), Bytes(std::uint16_t(0)), std::string("raw")})
    expected += piece;
  EXPECT_EQ(stream.Bytes(), expected);
  EXPECT_EQ(out->Total(), std::int32_t(expected.size()));

  const Ref<TDXReadStream> in = Reader();
  EXPECT_EQ(in->ReadByte(), 0x7F);
  EXPECT_EQ(in->ReadWord(), 0x1234);
  EXPECT_EQ(in->ReadInteger(), -2);
  EXPECT_EQ(in->ReadFloat(), 2.5);
  EXPECT_EQ(in->ReadString(), "text");
  EXPECT_EQ(in->ReadString(), "");
  char raw[3] = {};
  EXPECT_TRUE(in->Read(raw, 3));
  EXPECT_EQ(std::string(raw, 3), "raw");
  EXPECT_EQ(stream.Position(), expected.size());
}

TEST_F(DXStreamsTest, CountingMeasuresWhatTheRealPassWrites) {
  const Ref<TDXWriteStream> counter = MakeRef<TDXWriteStream>(nullptr, true);
  WriteAll(*counter);
  const Ref<TDXWriteStream> out = Writer();
  WriteAll(*out);
  EXPECT_EQ(counter->Total(), out->Total());
  EXPECT_EQ(counter->Total(), std::int32_t(stream.Bytes().size()));
  // A counting pass over a host stream writes nothing to it, even one that would fail.
  faults.Fail(dxhost::kStreamWrite);
  const Ref<TDXWriteStream> counting = MakeRef<TDXWriteStream>(Held(), true);
  WriteAll(*counting);
  EXPECT_EQ(counting->Total(), counter->Total());
  EXPECT_EQ(faults.Calls(dxhost::kStreamWrite), 8);  // the real pass only
}

TEST_F(DXStreamsTest, FailedWritesRaiseTheirMessageAndCountNothing) {
  const Ref<TDXWriteStream> out = Writer();
  out->WriteInteger(1);
  faults.Fail(dxhost::kStreamWrite);
  EXPECT_EQ(Raised([&] { out->WriteInteger(2); }), "Could not write to stream");
  EXPECT_EQ(Raised([&] { out->Write("ab", 2); }), "Could not write to stream");
  EXPECT_EQ(Raised([&] { out->WriteString("ab"); }), "Could not write to stream");
  EXPECT_EQ(out->Total(), 4);
  // Nothing to write asks nothing of the host.
  EXPECT_TRUE(out->Write(nullptr, 0));
  EXPECT_EQ(Raised([&] { MakeRef<TDXWriteStream>(nullptr, false)->WriteByte(1); }),
            "Could not write to stream");
}

TEST_F(DXStreamsTest, StringBytesThatFailAfterTheirLengthRaiseToo) {
  const Ref<TDXWriteStream> out = Writer();
  faults.Fail(dxhost::kStreamWrite, dxhost::kHostErrInjected, 1, 1);
  EXPECT_EQ(Raised([&] { out->WriteString("lost"); }), "Could not write to stream");
  EXPECT_EQ(out->Total(), 2);
  EXPECT_EQ(stream.Bytes(), Bytes(std::uint16_t(4)));
}

TEST_F(DXStreamsTest, StringsLongerThanTheirLengthWordAreRefusedWhole) {
  const Ref<TDXWriteStream> out = Writer();
  EXPECT_EQ(Raised([&] { out->WriteString(std::string(65536, 'x')); }),
            "Could not write to stream");
  EXPECT_EQ(out->Total(), 0);
  EXPECT_TRUE(stream.Bytes().empty());
  out->WriteString(std::string(65535, 'y'));
  EXPECT_EQ(out->Total(), 65537);
  EXPECT_EQ(Reader()->ReadString(), std::string(65535, 'y'));
}

TEST_F(DXStreamsTest, FailedReadsRaiseTheirMessage) {
  stream.Write(
      "\x05\x00"
      "abc",
      5, nullptr);
  const Ref<TDXReadStream> in = Reader();
  // The length promises five bytes, three follow.
  EXPECT_EQ(Raised([&] { in->ReadString(); }), "Could not read from stream");
  stream.Rewind();
  EXPECT_EQ(in->ReadWord(), 5);
  faults.Fail(dxhost::kStreamRead);
  EXPECT_EQ(Raised([&] { in->ReadByte(); }), "Could not read from stream");
  char buffer[2];
  EXPECT_EQ(Raised([&] { in->Read(buffer, 2); }), "Could not read from stream");
  EXPECT_TRUE(in->Read(buffer, 0));
  EXPECT_EQ(Raised([&] { MakeRef<TDXReadStream>(nullptr)->ReadInteger(); }),
            "Could not read from stream");
}

}  // namespace
