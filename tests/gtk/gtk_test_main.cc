// Runs the tests of the real platform. Each test process gets a quiet,
// self-contained desktop: no session bus, no portals, no accessibility
// bridge, and XDG folders of its own, so nothing outlives the test and
// nothing is written into the home folder.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::filesystem::path MakeQuietDesktop() {
  char pattern[] = "/tmp/tavern-gtk-test-XXXXXX";
  const char* made = mkdtemp(pattern);
  if (made == nullptr) std::abort();
  const std::filesystem::path root = made;
  for (const char* name : {"cache", "data", "config/gtk-3.0", "runtime"}) {
    std::filesystem::create_directories(root / name);
  }
  std::filesystem::permissions(root / "runtime", std::filesystem::perms::owner_all);
  std::ofstream(root / "config/gtk-3.0/settings.ini") << "[Settings]\ngtk-print-backends = file\n";
  setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
  setenv("NO_AT_BRIDGE", "1", 1);
  setenv("GTK_USE_PORTAL", "0", 1);
  setenv("XDG_CACHE_HOME", (root / "cache").c_str(), 1);
  setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (root / "runtime").c_str(), 1);
  return root;
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path desktop = MakeQuietDesktop();
  ::testing::InitGoogleTest(&argc, argv);
  // The build lists the tests without a display; running them needs one.
  if (!gtk_init_check(&argc, &argv) && !GTEST_FLAG_GET(list_tests)) {
    fprintf(stderr, "no display: run the GTK tests under xvfb-run\n");
    return 1;
  }
  const int result = RUN_ALL_TESTS();
  std::error_code ignored;
  std::filesystem::remove_all(desktop, ignored);
  return result;
}
