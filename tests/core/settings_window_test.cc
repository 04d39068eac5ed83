#include <gtest/gtest.h>

#include <filesystem>

#include "core/case_name.h"
#include "core/program_fixture.h"
#include "settings/settings_window_definition.h"

namespace tavern {
namespace {

constexpr const char* kConfig = "[主页]\r\nhomepage=http://127.0.0.1/start\r\n";

class SettingsWindowTest : public ProgramTest {
 protected:
  void SetUp() override {
    WriteConfig(kConfig);
    Start();
  }
  // Opens the settings window and acts in it while it is open.
  void OpenSettings(std::function<void(int32_t)> act) {
    platform_.on_modal = [this, act](int32_t window) {
      opened_with_ = platform_.Edit(window, kHomePageEditName).text();
      main_enabled_meanwhile_ = platform_.WindowEnabled(main_window());
      act(window);
    };
    Select("首页设置(&G)");
    EXPECT_EQ(platform_.modal_windows_left_open, 0) << "the window closed itself";
  }
  std::string opened_with_ = "unset";
  bool main_enabled_meanwhile_ = true;
};

TEST_F(SettingsWindowTest, OkStoresTheTypedAddressForTheNextStart) {
  OpenSettings([this](int32_t window) {
    platform_.TypeText(window, kHomePageEditName, "http://127.0.0.1/new");
    platform_.ClickButton(window, kOkButtonName);
  });
  EXPECT_EQ(ReadConfig(), "[主页]\r\nhomepage=http://127.0.0.1/new\r\n");
  ASSERT_EQ(platform_.modal_windows.size(), 1u);
  EXPECT_EQ(home_page(), "http://127.0.0.1/start") << "the running program keeps its home page";

  // The next start opens it.
  fake::FakePlatform next_platform(run_directory());
  Program next(next_platform);
  next.Start();
  EXPECT_EQ(next.state().HomePage, "http://127.0.0.1/new");
}

TEST_F(SettingsWindowTest, EnterSavesAndClosesAsOkDoes) {
  OpenSettings([this](int32_t window) {
    platform_.TypeText(window, kHomePageEditName, "http://127.0.0.1/entered");
    platform_.PressEnter(window, kHomePageEditName);
  });
  EXPECT_EQ(ReadConfig(), "[主页]\r\nhomepage=http://127.0.0.1/entered\r\n");
}

TEST_F(SettingsWindowTest, OkOnAnEmptyBoxWritesAnEmptyValueAndTheNextStartTakesTheDefault) {
  OpenSettings([this](int32_t window) { platform_.ClickButton(window, kOkButtonName); });
  EXPECT_EQ(ReadConfig(), "[主页]\r\nhomepage=\r\n");
  fake::FakePlatform next_platform(run_directory());
  Program next(next_platform);
  next.Start();
  EXPECT_EQ(next.state().HomePage, "http://community.example.org/plugin.php?id=portal");
}

struct CloseCase {
  const char* name;
  std::function<void(fake::FakePlatform&, int32_t)> close;
};

class SettingsCloseTest : public SettingsWindowTest,
                          public ::testing::WithParamInterface<CloseCase> {};

TEST_P(SettingsCloseTest, WritesNothing) {
  OpenSettings([this](int32_t window) {
    platform_.TypeText(window, kHomePageEditName, "http://127.0.0.1/discarded");
    GetParam().close(platform_, window);
  });
  EXPECT_EQ(platform_.modal_windows_left_open, 0);
  EXPECT_EQ(ReadConfig(), kConfig);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsCloseTest,
    ::testing::Values(CloseCase{"Cancel",
                                [](auto& p, int32_t w) { p.ClickButton(w, kCancelButtonName); }},
                      CloseCase{"Escape", [](auto& p, int32_t w) { p.PressEscape(w); }},
                      CloseCase{"CloseBox", [](auto& p, int32_t w) { p.CloseByUser(w); }}),
    CaseName());

TEST_F(SettingsWindowTest, OpensEmptyEveryTimeAndDisablesTheMainWindowMeanwhile) {
  OpenSettings([this](int32_t window) {
    platform_.TypeText(window, kHomePageEditName, "left over?");
    platform_.ClickButton(window, kCancelButtonName);
  });
  EXPECT_EQ(opened_with_, "") << "empty although config.ini holds an address";
  EXPECT_FALSE(main_enabled_meanwhile_);
  EXPECT_TRUE(platform_.WindowEnabled(main_window()));
  opened_with_ = "unset";
  OpenSettings([this](int32_t window) { platform_.ClickButton(window, kCancelButtonName); });
  EXPECT_EQ(opened_with_, "");
}

TEST_F(SettingsWindowTest, PageEventsGoOnWhileItIsOpen) {
  OpenSettings([this](int32_t window) {
    platform_.RaiseTitle(boxes().at(1), "Loaded meanwhile");
    platform_.ClickButton(window, kCancelButtonName);
  });
  EXPECT_EQ(tabs().tab(1).caption, "Loaded meanwhile    ");
}

TEST_F(SettingsWindowTest, AFailedWriteClosesSilentlyAndKeepsTheOldValue) {
  // A folder in the way of the file: the write cannot replace it.
  std::filesystem::remove(config_path());
  std::filesystem::create_directory(config_path());
  OpenSettings([this](int32_t window) {
    platform_.TypeText(window, kHomePageEditName, "http://127.0.0.1/lost");
    platform_.ClickButton(window, kOkButtonName);
  });
  EXPECT_TRUE(platform_.message_boxes.empty());
  EXPECT_TRUE(std::filesystem::is_directory(config_path()));
}

}  // namespace
}  // namespace tavern
