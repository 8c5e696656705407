// The primitive fields of binary XML and the buffering of its readers and writers.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "BinaryTestSupport.h"
#include "XmlTestSupport.h"

using namespace xmldom;

namespace {

using namespace binary_testing;

std::string Header(std::uint32_t options = 0) {
  std::string header(kBinXmlSignature);
  header.append(reinterpret_cast<const char*>(&options), 4);
  return header;
}

// The bytes a writer produces after the header.
template <class Write>
std::string Written(Write write, std::uint32_t options = 0) {
  TStrXmlWriter writer(options, 16);
  write(writer);
  return writer.TakeResult().substr(Header().size());
}

TEST(BinaryFormat, CompactIntegersTakeOneTwoOrFiveBytes) {
  const std::pair<std::int32_t, std::string> cases[] = {
      {0, std::string(1, '\0')},
      {127, "\x7F"},
      {128, "\x80\x80"},
      {300, "\x81\x2C"},
      {32511, "\xFE\xFF"},
      {32512, std::string("\xFF\x00\x7F\x00\x00", 5)},
      {-1, "\xFF\xFF\xFF\xFF\xFF"},
      {std::numeric_limits<std::int32_t>::min(), std::string("\xFF\x00\x00\x00\x80", 5)}};
  for (const auto& [value, bytes] : cases) {
    EXPECT_EQ(Written([&](TBinXmlWriter& w) { w.WriteInt(value); }), bytes) << value;
    const std::string file = Header() + bytes;
    TStrXmlReader reader(file);
    EXPECT_EQ(reader.ReadInt(), value);
    EXPECT_EQ(reader.Remaining(), 0);
  }
}

TEST(BinaryFormat, CompactIntegersReadTheSameNearTheEndOfTheWindow) {
  // Fewer than five bytes left takes the careful path; the values must not differ.
  const std::string file = Header() + "\x05\x81\x2C\xFF\x01\x02\x03\x04";
  TStrXmlReader reader(file);
  EXPECT_EQ(reader.ReadInt(), 5);
  EXPECT_EQ(reader.ReadInt(), 300);
  EXPECT_EQ(reader.ReadInt(), 0x04030201);
  EXPECT_EQ(ErrorOf([&] { reader.ReadInt(); }), msg::kDataReadError.View());
  // The two-byte form cut after its first byte.
  const std::string cut = Header() + "\x81";
  TStrXmlReader cutReader(cut);
  EXPECT_EQ(ErrorOf([&] { cutReader.ReadInt(); }), msg::kDataReadError.View());
}

TEST(BinaryFormat, StringsFollowOptionBitZero) {
  const std::string name = "\xC8\xEC\xFF";  // a Cyrillic word in windows-1251
  EXPECT_EQ(Written([&](TBinXmlWriter& w) { w.WriteString(name); }), "\x03" + name);
  // UTF-16: three units, little-endian.
  EXPECT_EQ(Written([&](TBinXmlWriter& w) { w.WriteString(name); }, kBinXmlWideStrings),
            std::string("\x03\x18\x04\x3C\x04\x4F\x04", 7));
  EXPECT_EQ(Written([&](TBinXmlWriter& w) { w.WriteString(""); }), std::string(1, '\0'));
  EXPECT_EQ(Written([&](TBinXmlWriter& w) { w.WriteString(""); }, kBinXmlWideStrings),
            std::string(1, '\0'));
  for (std::uint32_t options : {0u, 1u, 3u}) {
    const std::string file =
        Header(options) + Written([&](TBinXmlWriter& w) { w.WriteString(name); }, options);
    TStrXmlReader reader(file);
    EXPECT_EQ(reader.Options(), options);
    EXPECT_EQ(reader.ReadString(), name);
  }
}

TEST(BinaryFormat, EveryValueKindRoundTripsWithItsPayload) {
  const XmlValue values[] = {XmlValue(),
                             XmlValue::Null(),
                             XmlValue::FromInt16(-2),
                             XmlValue::FromInt32(-70000),
                             XmlValue::FromFloat32(1.5f),
                             XmlValue::FromFloat64(-2.25),
                             XmlValue::FromCurrency(123456),
                             XmlValue::FromDateTime(45000.5),
                             XmlValue::FromWideString(u"\x0416x"),
                             XmlValue::FromBoolean(true),
                             XmlValue::FromBoolean(false),
                             XmlValue::FromInt8(-5),
                             XmlValue::FromUInt8(200),
                             XmlValue::FromUInt16(65535),
                             XmlValue::FromUInt32(4000000000u),
                             XmlValue::FromInt64(-(std::int64_t(1) << 40)),
                             XmlValue::FromString("a string longer than sixteen bytes"),
                             XmlValue::FromByteArray(std::string("\x00\x01\xFF", 3))};
  for (std::uint32_t options : {0u, kBinXmlWideStrings}) {
    std::string file = Header(options);
    for (const XmlValue& value : values)
      file += Written([&](TBinXmlWriter& w) { w.WriteValue(value); }, options);
    TStrXmlReader reader(file);
    for (const XmlValue& value : values) EXPECT_EQ(reader.ReadValue(), value) << value.Type();
    EXPECT_EQ(reader.Remaining(), 0);
  }
}

TEST(BinaryFormat, ValuePayloadsHaveTheirFixedLayout) {
  const auto bytesOf = [](const XmlValue& value) {
    return Written([&](TBinXmlWriter& w) { w.WriteValue(value); }, kBinXmlWideStrings);
  };
  EXPECT_EQ(bytesOf(XmlValue::FromBoolean(true)), std::string("\x0B\xFF\xFF", 3));
  EXPECT_EQ(bytesOf(XmlValue::FromInt32(5)), std::string("\x03\x05\x00\x00\x00", 5));
  EXPECT_EQ(bytesOf(XmlValue::FromUInt8(200)), std::string("\x11\xC8", 2));
  // Byte strings stay 8-bit whatever the options say; wide strings are UTF-16 whatever they say.
  EXPECT_EQ(bytesOf(XmlValue::FromString("\xC0")), std::string("\x81\x00\x01\xC0", 4));
  EXPECT_EQ(bytesOf(XmlValue::FromWideString(u"A")), std::string("\x08\x01\x41\x00", 4));
  EXPECT_EQ(bytesOf(XmlValue::FromByteArray("ab")), std::string("\xA0\x11\x02"
                                                                "ab",
                                                                5));
}

TEST(BinaryFormat, UnknownValueCodesAreRefused) {
  for (std::string code : {std::string("\x09"), std::string("\x0C"), std::string("\x15"),
                           std::string("\x81\x01"), std::string("\xFF\xFF\xFF\xFF\xFF")}) {
    const std::string file = Header() + code + std::string(8, '\0');
    TStrXmlReader reader(file);
    EXPECT_EQ(ErrorOf([&] { reader.ReadValue(); }), msg::kValueReadBadType.View());
  }
}

TEST(BinaryFormat, LengthsBeyondTheInputFailBeforeAnythingIsAllocated) {
  // A string that announces two gigabytes in a file of a few bytes.
  for (const std::string& field :
       {std::string("\xFF\xFF\xFF\xFF\x7F"), std::string("\xFF\xFF\xFF\xFF\xFF"),
        std::string("\x05"
                    "abcd")}) {
    const std::string file = Header() + field;
    TStrXmlReader strings(file);
    EXPECT_EQ(ErrorOf([&] { strings.ReadString(); }), msg::kDataReadError.View());
    const std::string wideFile = Header(kBinXmlWideStrings) + field;
    TStrXmlReader wide(wideFile);
    EXPECT_EQ(ErrorOf([&] { wide.ReadString(); }), msg::kDataReadError.View());
  }
  const std::string tooMany = Header() +
                              "\x03"
                              "ab";
  TStrXmlReader counts(tooMany);
  EXPECT_EQ(ErrorOf([&] { counts.ReadCount(1); }), msg::kDataReadError.View());
}

TEST(BinaryFormat, AStringReaderNeedsTheSignatureAndTheOptions) {
  EXPECT_EQ(ErrorOf([] { TStrXmlReader reader(kBinXmlSignature); }), msg::kDataReadError.View());
  EXPECT_EQ(ErrorOf([] { TStrXmlReader reader("short"); }), msg::kDataReadError.View());
  // The signature itself is not compared.
  const std::string other = std::string(14, '?') + std::string("\x07\x00\x00\x00", 4);
  EXPECT_EQ(TStrXmlReader(other).Options(), 7u);
}

TEST(BinaryFormat, StreamReaderServesEveryReadSizeAcrossItsBuffer) {
  // Fields of 1 to 40 bytes through buffers smaller and larger than the fields.
  std::string payload;
  for (int length = 1; length <= 40; ++length)
    payload += std::string(std::size_t(length), char('a' + length % 26));
  const std::string file = Header(5) + payload;
  for (std::size_t block : {1u, 3u, 7u, 16u, 64u, 65536u}) {
    for (std::size_t maxRead : {std::size_t(1), std::size_t(5), std::size_t(-1)}) {
      TMemoryStream stream(file);
      stream.LimitReads(maxRead);
      stream.Seek(std::int64_t(kBinXmlSignature.size()));
      TStmXmlReader reader(stream, block);
      EXPECT_EQ(reader.Options(), 5u);
      std::string scratch;
      for (int length = 1; length <= 40; ++length) {
        const std::string_view field = reader.ReadView(std::size_t(length), scratch);
        ASSERT_EQ(field, std::string(std::size_t(length), char('a' + length % 26)))
            << block << " " << length;
      }
      EXPECT_EQ(reader.Remaining(), 0);
      EXPECT_EQ(ErrorOf([&] { reader.ReadByte(); }), msg::kDataReadError.View());
    }
  }
}

TEST(BinaryFormat, StreamReaderReadsOnlyFromItsPositionAndInBlocks) {
  const std::string lead = "leading bytes";
  const std::string file = lead + Header(2) + std::string(100000, 'x');
  TMemoryStream stream(file);
  stream.Seek(std::int64_t(lead.size() + kBinXmlSignature.size()));
  TStmXmlReader reader(stream, 65536);
  EXPECT_EQ(reader.Options(), 2u);
  EXPECT_EQ(reader.Remaining(), 100000);
  std::string scratch;
  for (int i = 0; i < 100000; ++i) ASSERT_EQ(reader.ReadByte(), 'x');
  // The options word, then two blocks.
  EXPECT_LE(stream.Reads(), 4);
}

TEST(BinaryFormat, AStreamThatHoldsLessThanItAnnouncesFailsWithItsReadError) {
  TMemoryStream stream(Header() + "\x7F" + std::string(10, 'y'));
  stream.AnnounceExtra(1 << 30);
  stream.Seek(std::int64_t(kBinXmlSignature.size()));
  TStmXmlReader reader(stream, 8);
  std::string scratch;
  EXPECT_EQ(ErrorOf([&] { reader.ReadView(std::size_t(reader.ReadInt()), scratch); }),
            msg::kStreamReadError);
}

TEST(BinaryFormat, StringWriterCollectsAcrossItsBufferAndFlushesOnRequest) {
  for (std::size_t block : {1u, 5u, 64u, 65536u}) {
    TStrXmlWriter writer(9, block);
    for (int i = 0; i < 300; ++i) writer.WriteInt(i * 97);
    writer.WriteString(std::string(200, 'q'));
    const std::string all = writer.TakeResult();
    TStrXmlReader reader(all);
    EXPECT_EQ(reader.Options(), 9u);
    for (int i = 0; i < 300; ++i) ASSERT_EQ(reader.ReadInt(), i * 97);
    EXPECT_EQ(reader.ReadString(), std::string(200, 'q'));
  }
  // Until it is flushed the result lacks what the buffer holds.
  TStrXmlWriter writer(0, 64);
  writer.WriteInt(1);
  EXPECT_EQ(writer.Result(), "");
  writer.Flush();
  EXPECT_EQ(writer.Result(), Header() + "\x01");
}

TEST(BinaryFormat, StreamWriterWritesBlocksAndWhatIsLeftAtTheEnd) {
  TMemoryStream stream;
  {
    TStmXmlWriter writer(stream, 16, 1);
    for (int i = 0; i < 100; ++i) writer.WriteByte(std::uint8_t(i));
    writer.Write(std::string(40, 'z').data(), 40);
  }
  std::string expected = Header(1);
  for (int i = 0; i < 100; ++i) expected += char(i);
  expected += std::string(40, 'z');
  EXPECT_EQ(stream.Bytes(), expected);
  EXPECT_LE(stream.Writes(), 10);
}

TEST(BinaryFormat, StreamWriterReportsAFailedWriteFromFlushNotFromItsDestructor) {
  TMemoryStream stream;
  stream.FailWrites();
  EXPECT_EQ(ErrorOf([&] {
              TStmXmlWriter writer(stream, 64, 0);
              writer.WriteInt(1);
              writer.Flush();
            }),
            msg::kStreamWriteError);
  // Destroyed without Flush: the failure cannot escape.
  EXPECT_EQ(ErrorOf([&] { TStmXmlWriter writer(stream, 64, 0); }), "");
}

}  // namespace
