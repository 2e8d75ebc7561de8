// Dovrik's own connection to a real KWin: the globals it learns, and a compositor that goes
// away.
#include "WaylandSession.h"
#include "linux/kwin/FakeInputKeySynth.h"
#include "linux/wayland/DataControlPasteboard.h"

namespace dovrik::waylandtest {
namespace {

class WaylandConnectionTest : public WaylandTest {};

TEST_F(WaylandConnectionTest, LearnsTheGlobalsTheAdaptersNeed) {
  const auto connection = connect();
  ASSERT_TRUE(connection->isConnected());
  for (const char* interface : {"wl_seat", "wl_shm", "wl_compositor", "zwlr_layer_shell_v1",
                                "zwlr_data_control_manager_v1", "kde_output_device_v2"})
    EXPECT_TRUE(connection->global(interface).has_value()) << interface;
  // Granted only to programs whose desktop entry asks for it.
  EXPECT_FALSE(connection->global("org_kde_kwin_fake_input").has_value());
  EXPECT_TRUE(connection->roundtrip());

  wayland::WaylandConnection nowhere("/nonexistent/wayland-0");
  EXPECT_FALSE(nowhere.isConnected());
  EXPECT_FALSE(nowhere.global("wl_seat").has_value());
  EXPECT_FALSE(nowhere.roundtrip());
}

TEST_F(WaylandConnectionTest, LostCompositorIsReportedOnceAndTheAdaptersDegrade) {
  const auto connection = connect();
  wayland::DataControlPasteboard pasteboard(*connection, mainQueue, background);
  kwin::FakeInputKeySynth keys(*connection);
  int losses = 0;
  connection->lost.connect([&] { ++losses; });
  session().restartKWin();
  ASSERT_TRUE(runUntil([&] { return losses > 0; }));
  EXPECT_FALSE(connection->isConnected());
  EXPECT_FALSE(connection->roundtrip());
  connection->flush();
  runUntil([] { return false; }, 0.2);
  EXPECT_EQ(losses, 1);

  // Nothing of the dead connection is touched: writes are kept and counted, reads find nothing.
  EXPECT_FALSE(pasteboard.isAvailable());
  const ChangeCount written = pasteboard.writeText("kept", false);
  EXPECT_EQ(pasteboard.text(), "kept");
  EXPECT_EQ(pasteboard.changeCount(), written);
  std::optional<std::optional<Bytes>> png;
  pasteboard.readPNG([&](std::optional<Bytes> bytes) { png = std::move(bytes); });
  ASSERT_TRUE(runUntil([&] { return png.has_value(); }));
  EXPECT_FALSE(png->has_value());
  keys.postPaste(PasteChord::ControlV);
  // A new connection finds the compositor that came back.
  EXPECT_TRUE(connect()->isConnected());
}

}  // namespace
}  // namespace dovrik::waylandtest
