#pragma once

// Shared by the XML library's tests: a fixture that fails any test leaving node objects or node
// lists alive, and helpers to catch the library's messages.

#include <gtest/gtest.h>

#include <string>

#include "XmlDom/XmlLocale.h"
#include "XmlDom/XmlNodeClasses.h"
#include "XmlDom/XmlNodeList.h"
#include "common/Error.h"

class TXmlTest : public ::testing::Test {
 protected:
  // Counted before the fixture's own members exist and checked after they are gone.
  TXmlTest()
      : nodesBefore_(xmldom::TXmlNode::LiveCount()),
        listsBefore_(xmldom::TXmlNodeList::LiveCount()) {}
  ~TXmlTest() override {
    EXPECT_EQ(xmldom::TXmlNode::LiveCount(), nodesBefore_) << "nodes leaked";
    EXPECT_EQ(xmldom::TXmlNodeList::LiveCount(), listsBefore_) << "node lists leaked";
  }

 private:
  const long nodesBefore_;
  const long listsBefore_;
};

// The message of the EXmlError that work raises ("" when it raises none).
template <class Work>
std::string ErrorOf(Work&& work) {
  try {
    work();
  } catch (const EXmlError& error) {
    return error.Message();
  }
  return "";
}

// A locale with the given decimal mark and otherwise the defaults.
inline xmldom::TXmlLocale LocaleWithMark(char mark) {
  xmldom::TXmlLocale locale;
  locale.DecimalSeparator = mark;
  return locale;
}
