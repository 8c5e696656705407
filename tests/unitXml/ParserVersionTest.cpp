// The version report: the module's own version resource, as a property list.

#include "ParserFixture.h"
#include "ProductVersion.h"
#include "platform/File.h"
#include "zelVersion/FileVersionInfo.h"

namespace {

constexpr const char* kProperties[] = {
    "FileType",       "CompanyName",     "FileDescription",  "FileVersion", "InternalName",
    "LegalCopyRight", "LegalTradeMarks", "OriginalFileName", "ProductName", "ProductVersion"};

std::string ProductString(std::string_view key) {
  for (const auto& entry : product_version::kStrings)
    if (entry.Key == key) return std::string(entry.Value);
  return "(missing)";
}

TEST_F(ParserTest, VersionReportHoldsTenStringsInOrder) {
  const dxhost::THostValue report = host.Call(parser, "xtraVersion");
  ASSERT_EQ(host.Values().TypeOf(report.Raw()), kMoaValuePropertyList);
  const dxhost::THostBox& list = *host.Values().Find(report.Raw());
  ASSERT_EQ(list.Items.size(), std::size(kProperties));
  // What the reader finds in the module file, read here in the same way.
  version::TFileVersionInfo expected;
  version::ReadFileVersionInfo(platform::FullPathName(ZELXML_MODULE), expected);
  const std::string fields[] = {expected.ShellTypeName,   expected.CompanyName,
                                expected.FileDescription, expected.FileVersion,
                                expected.InternalName,    expected.LegalCopyRight,
                                expected.LegalTradeMarks, expected.OriginalFileName,
                                expected.ProductName,     expected.ProductVersion};
  for (std::size_t i = 0; i < list.Items.size(); ++i) {
    EXPECT_EQ(host.Text(list.Names[i]), std::string("#") + kProperties[i]);
    EXPECT_EQ(host.Text(list.Items[i]), Quoted(fields[i])) << kProperties[i];
  }
  // The resource's real values.
  EXPECT_EQ(expected.CompanyName, ProductString("CompanyName"));
  EXPECT_EQ(expected.FileVersion, ProductString("FileVersion"));
  EXPECT_EQ(expected.InternalName, ProductString("InternalName"));
  EXPECT_EQ(expected.OriginalFileName, ProductString("OriginalFilename"));
  EXPECT_EQ(expected.ProductName, ProductString("ProductName"));
  EXPECT_EQ(expected.ProductVersion, ProductString("ProductVersion"));
  EXPECT_FALSE(expected.ShellTypeName.empty());
#ifndef _WIN32
  EXPECT_EQ(expected.ShellTypeName, "Shared library");
#endif
}

TEST_F(ParserTest, VersionReportClearsTheErrorState) {
  EXPECT_EQ(Call("loadFromFile", {S("no such file.xml")}), "0");
  EXPECT_FALSE(IsNoError());
  EXPECT_EQ(host.Values().TypeOf(host.Call(parser, "xtraVersion").Raw()), kMoaValuePropertyList);
  EXPECT_TRUE(IsNoError());
  EXPECT_EQ(ErrorMsg(), "");
}

}  // namespace
