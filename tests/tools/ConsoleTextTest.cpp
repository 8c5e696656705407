// The module's windows-1251 text as a console shows it, with the names a person typed kept.

#include "ConsoleText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using console_text::TTextEncoding;

const std::string kCp1251 = "\xCF\xF0\xE8\xE2\xE5\xF2 \xB9 \x88";  // "Привет № €"
const std::string kUtf8 =
    "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 "  // "Привет "
    "\xE2\x84\x96 \xE2\x82\xAC";                         // "№ €"

TEST(ConsoleText, Cp1251AndUtf8RoundTrip) {
  EXPECT_EQ(console_text::ToConsole(kCp1251, TTextEncoding::Utf8), kUtf8);
  EXPECT_EQ(console_text::FromConsole(kUtf8, TTextEncoding::Utf8), kCp1251);
  EXPECT_EQ(console_text::ToConsole(kCp1251, TTextEncoding::Cp1251), kCp1251);
  EXPECT_EQ(console_text::FromConsole(kUtf8, TTextEncoding::Cp1251), kUtf8);
  // What windows-1251 lacks becomes "?"; bytes that are not UTF-8 pass as they are.
  EXPECT_EQ(console_text::Utf8ToCp1251("\xE4\xB8\xAD|\xC4\xE0"), "?|\xC4\xE0");
}

TEST(ConsoleText, NamesAPersonTypedPassUnchangedInsideConvertedText) {
  const std::string name = "\xD1\x84.xml";  // "ф.xml" as typed in UTF-8
  const std::string path = "/home/\xD1\x84/" + name;
  const std::string message = "\xCE\xF8\xE8\xE1\xEA\xE0 (" + name + ") \"" + path + "\"";
  EXPECT_EQ(console_text::ToConsoleKeeping(message, TTextEncoding::Utf8, {name, path, ""}),
            "\xD0\x9E\xD1\x88\xD0\xB8\xD0\xB1\xD0\xBA\xD0\xB0 (" + name + ") \"" + path + "\"")
      << "the longer of two names that start at one place wins";
  EXPECT_EQ(console_text::ToConsoleKeeping(message, TTextEncoding::Cp1251, {name}), message);
  EXPECT_EQ(console_text::ToConsoleKeeping(kCp1251, TTextEncoding::Utf8, {}), kUtf8);
}

}  // namespace
