// The installed-applications scan over 500 desktop entries in two data directories, a fifth of
// them in vendor subfolders and some kept out of menus, as a desktop with many packages has.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "linux/desktop/DesktopApplications.h"

namespace dovrik {
namespace {

namespace fs = std::filesystem;

fs::path writeEntries(int count) {
  const fs::path root = fs::temp_directory_path() / "dovrik-installed-apps-bench";
  fs::remove_all(root);
  for (int i = 0; i < count; ++i) {
    const fs::path dir =
        root / (i % 2 ? "system" : "home") / "applications" / (i % 5 == 0 ? "vendor" : "");
    fs::create_directories(dir);
    std::ofstream(dir / ("app" + std::to_string(i) + ".desktop"))
        << "[Desktop Entry]\nType=Application\nName=Application " << i << "\nName[de]=Anwendung "
        << i << "\nComment=Does things\nExec=app" << i << " %U\nIcon=app" << i
        << "\nCategories=Utility;\n"
        << (i % 10 == 0 ? "NoDisplay=true\n" : "")
        << "\n[Desktop Action new]\nName=New Window\nExec=app" << i << " --new\n";
  }
  return root;
}

void BM_ScanFiveHundredEntries(benchmark::State& state) {
  const fs::path root = writeEntries(500);
  desktop::DesktopApplications apps({(root / "home").string(), (root / "system").string()});
  for (auto _ : state)
    benchmark::DoNotOptimize(apps.scanInstalledApps());
  fs::remove_all(root);
}
BENCHMARK(BM_ScanFiveHundredEntries)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dovrik

BENCHMARK_MAIN();
