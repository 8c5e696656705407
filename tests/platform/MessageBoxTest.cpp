#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include "common/TestSupport.h"

TEST(MessageBox, TestsCaptureBoxesInsteadOfBlocking) {
  testing_support::TakeCapturedBoxes();
  platform::ShowMessageBox("Error", "first");
  platform::ShowMessageBox("Error", "second\r\nline");
  const auto boxes = testing_support::TakeCapturedBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].Caption, "Error");
  EXPECT_EQ(boxes[1].Text, "second\r\nline");
}
