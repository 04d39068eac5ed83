// Tavern Browser: the program on the GTK platform.
#include <filesystem>
#include <system_error>

#include "app/start_up.h"
#include "gtk/gtk_platform.h"

namespace {

// The folder that holds the program file.
std::string RunDirectory() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::filesystem::current_path(error).string();
  return program.parent_path().string();
}

}  // namespace

int main() {
  tavern::gtk::GtkPlatform platform(RunDirectory());
  return tavern::RunProgram(platform);
}
