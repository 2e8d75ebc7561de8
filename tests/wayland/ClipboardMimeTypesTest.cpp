// Which offered types the clipboard adapters read, and the mark of the Wayland one's own writes.
#include <gtest/gtest.h>

#include "linux/clipboard/ClipboardTypes.h"
#include "linux/wayland/ClipboardMimeTypes.h"

namespace dovrik::wayland {
namespace {

using clipboard::imageTypeAmong;
using clipboard::textTypeAmong;

TEST(ClipboardMimeTypesTest, TextIsReadFromTheBestDeclaredUtf8Type) {
  EXPECT_EQ(textTypeAmong({"TEXT", "UTF8_STRING", "text/plain;charset=utf-8", "text/plain"}),
            "text/plain;charset=utf-8");
  EXPECT_EQ(textTypeAmong({"text/plain", "UTF8_STRING"}), "UTF8_STRING");
  EXPECT_EQ(textTypeAmong({"text/html", "text/plain"}), "text/plain");
  // Latin-1 and rich text are not mistaken for UTF-8 text.
  EXPECT_EQ(textTypeAmong({"STRING", "TEXT", "text/html", "text/plain;charset=iso-8859-1"}),
            std::nullopt);
}

TEST(ClipboardMimeTypesTest, PngIsPreferredOverOtherImageTypes) {
  EXPECT_EQ(imageTypeAmong({"image/bmp", "image/png", "text/plain"}), "image/png");
  EXPECT_EQ(imageTypeAmong({"text/uri-list", "image/jpeg", "image/bmp"}), "image/jpeg");
  EXPECT_EQ(imageTypeAmong({"text/uri-list", "application/x-image"}), std::nullopt);
}

TEST(ClipboardMimeTypesTest, OwnWriteMarkersAreDistinctAndRecognised) {
  const std::string first = ownWriteMarker(42, 1);
  EXPECT_NE(first, ownWriteMarker(42, 2));
  EXPECT_NE(first, ownWriteMarker(43, 1));
  EXPECT_TRUE(isOwnWriteMarker(first));
  for (const std::string& type : utf8TextTypes())
    EXPECT_FALSE(isOwnWriteMarker(type)) << type;
  EXPECT_FALSE(isOwnWriteMarker(latin1TextType));
  EXPECT_FALSE(isOwnWriteMarker("application/x-dovrik"));
}

}  // namespace
}  // namespace dovrik::wayland
