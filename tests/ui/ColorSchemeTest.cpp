// Reading the XSETTINGS theme name from handmade blobs, whole, cut short and lying about
// their lengths, and the order in which the desktop's signals decide light or dark.
#include <QTest>
#include <cstdint>
#include <string>
#include <vector>

#include "linux/qt/ColorSchemeWatcher.h"
#include "linux/qt/XSettings.h"

using namespace dovrik;
using namespace dovrik::qt;

namespace {

// Writes settings in either byte order, padding as the format asks.
struct Blob {
  explicit Blob(bool bigEndian, std::uint32_t count) : bigEndian(bigEndian) {
    bytes = {static_cast<std::uint8_t>(bigEndian ? 1 : 0), 0, 0, 0};
    card(7, 4);  // serial
    card(count, 4);
  }
  void card(std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) {
      const int shift = 8 * (bigEndian ? width - 1 - i : i);
      bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
  }
  void padded(const std::string& text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
    while (bytes.size() % 4 != 0)
      bytes.push_back(0);
  }
  void header(std::uint8_t type, const std::string& name) {
    bytes.push_back(type);
    bytes.push_back(0);
    card(static_cast<std::uint32_t>(name.size()), 2);
    padded(name);
    card(3, 4);  // serial of the last change
  }
  Blob& integer(const std::string& name, std::uint32_t value) {
    header(0, name);
    card(value, 4);
    return *this;
  }
  Blob& color(const std::string& name) {
    header(2, name);
    card(0xFFFF, 2), card(0x8000, 2), card(0, 2), card(0xFFFF, 2);
    return *this;
  }
  Blob& string(const std::string& name, const std::string& value) {
    header(1, name);
    card(static_cast<std::uint32_t>(value.size()), 4);
    padded(value);
    return *this;
  }

  bool bigEndian;
  std::vector<std::uint8_t> bytes;
};

std::optional<std::string> themeName(const std::vector<std::uint8_t>& bytes) {
  return xsettingsString(bytes, "Net/ThemeName");
}

}  // namespace

class ColorSchemeTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void readsTheThemeNameInEitherByteOrder() {
    for (bool bigEndian : {false, true}) {
      Blob blob(bigEndian, 4);
      blob.integer("Net/DoubleClickTime", 400)
          .color("Gtk/Color")
          .string("Net/IconThemeName", "Papirus")
          .string("Net/ThemeName", "Arc-Dark");
      QCOMPARE(themeName(blob.bytes), std::optional<std::string>("Arc-Dark"));
      QCOMPARE(xsettingsString(blob.bytes, "Net/IconThemeName"),
               std::optional<std::string>("Papirus"));
      QCOMPARE(xsettingsString(blob.bytes, "Gtk/Color"), std::nullopt);
      QCOMPARE(xsettingsString(blob.bytes, "Net/CursorThemeName"), std::nullopt);
    }
  }

  // Every prefix of a good blob is read without reaching past its end.
  void cutShortBlobsFindNothing() {
    Blob blob(false, 2);
    blob.integer("Net/DoubleClickTime", 400).string("Net/ThemeName", "Adwaita");
    for (std::size_t length = 0; length < blob.bytes.size(); ++length) {
      const std::vector<std::uint8_t> prefix(blob.bytes.begin(),
                                             blob.bytes.begin() + static_cast<long>(length));
      QCOMPARE(themeName(prefix), std::nullopt);
    }
  }

  void lyingBlobsFindNothing() {
    Blob longName(false, 1);
    longName.bytes.insert(longName.bytes.end(), {1, 0, 0xFF, 0xFF, 'N', 'e', 't', '/'});
    QCOMPARE(themeName(longName.bytes), std::nullopt);

    Blob longValue(true, 1);
    longValue.header(1, "Net/ThemeName");
    longValue.card(0xFFFFFFFF, 4);
    longValue.padded("Adwaita");
    QCOMPARE(themeName(longValue.bytes), std::nullopt);

    Blob unknownType(false, 2);
    unknownType.header(9, "Gtk/Future");
    unknownType.string("Net/ThemeName", "Adwaita");
    QCOMPARE(themeName(unknownType.bytes), std::nullopt);

    Blob badOrder(false, 1);
    badOrder.string("Net/ThemeName", "Adwaita");
    badOrder.bytes[0] = 7;
    QCOMPARE(themeName(badOrder.bytes), std::nullopt);

    // More settings announced than present.
    Blob manyCounted(false, 1000);
    manyCounted.integer("Net/DoubleClickTime", 400);
    QCOMPARE(themeName(manyCounted.bytes), std::nullopt);
  }

  void darkThemeNames() {
    for (const char* dark : {"Adwaita-dark", "Arc-Dark", "Yaru-DARK", "-dark"})
      QVERIFY2(isDarkThemeName(dark), dark);
    for (const char* light : {"Adwaita", "Darkness", "dark", "Arc-Darker", "Nordic-dar"})
      QVERIFY2(!isDarkThemeName(light), light);
  }

  void portalThenThemeNameThenPalette() {
    const std::optional<std::string> darkTheme = "Adwaita-dark";
    const std::optional<std::string> lightTheme = "Adwaita";
    QCOMPARE(ColorSchemeWatcher::choose(1, lightTheme, false), ColorScheme::dark);
    QCOMPARE(ColorSchemeWatcher::choose(2, darkTheme, true), ColorScheme::light);
    // No preference, or a value the portal may add later, falls through.
    for (std::uint32_t noPreference : {0U, 3U}) {
      QCOMPARE(ColorSchemeWatcher::choose(noPreference, darkTheme, false), ColorScheme::dark);
      QCOMPARE(ColorSchemeWatcher::choose(noPreference, lightTheme, true), ColorScheme::light);
    }
    QCOMPARE(ColorSchemeWatcher::choose(std::nullopt, std::nullopt, true), ColorScheme::dark);
    QCOMPARE(ColorSchemeWatcher::choose(std::nullopt, std::nullopt, false), ColorScheme::light);
  }
};

QTEST_GUILESS_MAIN(ColorSchemeTest)
#include "ColorSchemeTest.moc"
