#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string_view>

#include "core/program_fixture.h"
#include "text/gbk_width.h"

namespace tavern {
namespace {

using RandomSessionTest = ProgramTest;

// The long run (scripts/test --long) takes five times as many steps.
int SessionSteps() {
  const char* long_run = std::getenv("TAVERN_LONG_RUN");
  return long_run != nullptr && std::string_view(long_run) == "1" ? 100000 : 20000;
}

// Many random actions of a user and of the pages; after each one the
// strip, the list and the screen must agree.
TEST_F(RandomSessionTest, TheStripTheListAndTheScreenStayInStep) {
  std::mt19937 random(1211);
  const auto pick = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  const std::vector<std::string> titles = {"", "Tavern", "酒馆社区首页 - 论坛导航与公告",
                                           "0123456789012345678首", std::string(40, 'x')};
  Start();
  const int steps = SessionSteps();
  for (int step = 0; step < steps; ++step) {
    const int pages = boxes().size();
    const ComponentRef any_page = pages > 0 ? boxes().at(pick(1, pages)) : ComponentRef{};
    const int action = pick(0, 11);
    switch (action) {
      case 0:
        if (pages < 30) OpenTyped("http://127.0.0.1/" + std::to_string(step));
        break;
      case 1:
        if (pages > 0 && pages < 30) {
          platform_.now_ms += pick(0, 600);
          EXPECT_EQ(platform_.RaiseNewWindow(any_page, "http://127.0.0.1/w"), false);
        }
        break;
      case 2:
        platform_.ClickTab(pick(-1, pages + 1));
        break;
      case 3:
      case 4:
        if (pick(0, 1) == 1) ChooseInNextPopup("关闭当前页");
        platform_.RightClickTab(pick(0, pages));
        break;
      case 5:
        platform_.ResizeClient(main_window(), pick(100, 1600), pick(100, 1200));
        break;
      case 6:
        if (pages > 0) platform_.RaiseTitle(any_page, titles[static_cast<std::size_t>(pick(0, 4))]);
        break;
      case 7:
        if (pages > 0) {
          platform_.RaiseBeforeNavigate(any_page, "http://127.0.0.1/n");
          platform_.RaiseProgress(any_page, pick(0, 100));
          platform_.RaiseDocumentComplete(any_page, "http://127.0.0.1/n");
        }
        break;
      case 8:
        if (pages > 0) platform_.RaiseCommandState(any_page, pick(0, 2), pick(0, 1) == 1);
        break;
      case 9:
        if (pages > 0) platform_.RaiseStatusText(any_page, "http://127.0.0.1/hover");
        break;
      case 10:
        if (pick(0, 9) == 0) platform_.fail_copies = 1;
        if (pages < 30) platform_.ClickToolbarButton(0);
        break;
      case 11:
        Select(pick(0, 1) ? "最小(&A)" : "刷新(&R)");
        break;
    }
    platform_.fail_copies = 0;

    ASSERT_EQ(platform_.exit_code, std::nullopt) << "step " << step << " action " << action;
    const int n = boxes().size();
    ASSERT_EQ(tabs().TabCount(), n + 1) << "one list element per page tab, step " << step;
    ASSERT_EQ(tabs().tab(0).hidden, n > 0) << "step " << step;
    if (n > 0) {
      const int current = tabs().CurrentTab();
      ASSERT_GE(current, 1) << "step " << step;
      ASSERT_LE(current, n) << "step " << step;
      ASSERT_EQ(platform_.FrontPage(main_window()), boxes().at(current))
          << "the page on screen is the current tab's, step " << step << " action " << action;
    } else {
      ASSERT_EQ(tabs().CurrentTab(), 0);
      ASSERT_EQ(platform_.FrontPage(main_window()), std::nullopt);
    }
    for (int k = 1; k <= n; ++k) {
      ASSERT_EQ(GbkLength(tabs().tab(k).caption), 20) << "step " << step;
    }
  }
}

}  // namespace
}  // namespace tavern
