// dovrik-wayland-paste-keys: Dovrik's fake-input key synthesiser in a process of its own, run
// as the session's user, since KWin grants the protocol by the client's executable. It says
// "available" or "unavailable", then posts a Ctrl+V for every "paste" line on standard input
// and answers "posted".
#include <cstdio>
#include <iostream>
#include <string>

#include <QCoreApplication>

#include "linux/kwin/FakeInputKeySynth.h"
#include "linux/wayland/WaylandConnection.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  dovrik::wayland::WaylandConnection connection;
  dovrik::kwin::FakeInputKeySynth keys(connection);
  std::printf("%s\n", keys.isAvailable() ? "available" : "unavailable");
  std::fflush(stdout);
  for (std::string line; std::getline(std::cin, line);) {
    if (line != "paste")
      continue;
    keys.postPaste(dovrik::PasteChord::ControlV);
    connection.roundtrip();
    std::printf("posted\n");
    std::fflush(stdout);
  }
  return 0;
}
