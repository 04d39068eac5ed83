#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/main_window_definition.h"
#include "app/start_up.h"
#include "fake/fake_platform.h"

namespace tavern {

// A run of the program on the fake platform, in a run directory of its own.
class ProgramTest : public ::testing::Test {
 protected:
  ProgramTest();
  ~ProgramTest() override;

  // Writes config.ini in the run directory, byte for byte.
  void WriteConfig(const std::string& bytes);
  std::string ReadConfig() const;
  std::string config_path() const { return run_directory_ + "/config.ini"; }
  const std::string& run_directory() const { return run_directory_; }

  // Starts the program: the main window loads and opens the home page.
  void Start();
  // Runs `action`, which is to end the process; gives the exit code, or
  // nullopt when it did not end.
  std::optional<int> ExitCodeOf(const std::function<void()>& action);

  int32_t main_window() const { return platform_.main_window(); }
  const BrowserList& boxes() const { return program_.state().BrowserBoxes; }
  const std::string& home_page() const { return program_.state().HomePage; }
  // The web view of page tab k.
  fake::FakeWebView& PageOfTab(int k) { return platform_.Page(boxes().at(k)); }
  TabStrip& tabs() { return platform_.Tabs(); }
  std::vector<std::string> Captions();
  std::string StatusText() { return platform_.StatusBarOf().PartText(kStatusTextPart); }
  std::string AddressText() { return platform_.AddressBox().text(); }

  // Opens a further page as the user does: types the address and presses Enter.
  void OpenTyped(const std::string& address);
  void Select(const std::string& caption) { platform_.SelectMenuItem(main_window(), caption); }
  // Chooses `caption` in the next pop-up menu.
  void ChooseInNextPopup(const std::string& caption);

  fake::FakePlatform platform_;
  Program program_{platform_};

 private:
  std::string run_directory_;
};

}  // namespace tavern
