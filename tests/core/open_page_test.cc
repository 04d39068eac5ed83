#include <gtest/gtest.h>

#include "core/case_name.h"

#include "browsing/browser_window.h"
#include "core/program_fixture.h"

namespace tavern {
namespace {

using OpenPageTest = ProgramTest;

TEST_F(OpenPageTest, EachNewPageIsAddedAtTheRightEndAndBecomesCurrent) {
  Start();
  OpenTyped("http://127.0.0.1/two");
  OpenTyped("http://127.0.0.1/three");
  ASSERT_EQ(boxes().size(), 3);
  EXPECT_EQ(tabs().TabCount(), 4);
  EXPECT_EQ(tabs().CurrentTab(), 3);
  EXPECT_EQ(platform_.FrontPage(main_window()), boxes().at(3));
  for (int k = 1; k <= 3; ++k) {
    EXPECT_EQ(PageOfTab(k).tag(), std::to_string(k)) << "the n-th page carries the tag n";
    EXPECT_TRUE(PageOfTab(k).visible()) << "earlier pages stay, behind the new one";
  }
  EXPECT_EQ(PageOfTab(3).url_writes, std::vector<std::string>{"http://127.0.0.1/three"});
  EXPECT_EQ(AddressText(), "http://127.0.0.1/three");
}

TEST_F(OpenPageTest, StepsRunInTheirOrder) {
  Start();
  platform_.log.clear();
  OpenTyped("http://127.0.0.1/x");
  const ComponentRef page = boxes().at(2);
  const std::string id = std::to_string(page.window_id) + ":" + std::to_string(page.component_id);
  std::vector<std::string> page_steps;
  for (const std::string& entry : platform_.log) {
    if (entry.rfind(id + " ", 0) == 0) page_steps.push_back(entry.substr(id.size() + 1));
  }
  const int width = platform_.ClientWidth(main_window()) - 1;
  const int height = platform_.StatusBarOf().top() - 10 - 56;
  // Copy, navigate, fit, show, bring forward, tag; then ShowCurrentPage
  // brings it forward and fits it once more.
  const std::vector<std::string> expected = {"copied",
                                             "url http://127.0.0.1/x",
                                             "width " + std::to_string(width),
                                             "height " + std::to_string(height),
                                             "visible 1",
                                             "to top",
                                             "tag 2",
                                             "to top",
                                             "width " + std::to_string(width),
                                             "height " + std::to_string(height)};
  EXPECT_EQ(page_steps, expected);
}

TEST_F(OpenPageTest, TheCurrentTabChangeSeesTheNewPageInTheList) {
  Start();
  int seen_boxes = -1;
  int seen_tab = -1;
  tabs().set_changed_observer([&] {
    if (tabs().CurrentTab() == 2 && seen_tab != 2) {
      seen_tab = tabs().CurrentTab();
      seen_boxes = boxes().size();
    }
  });
  OpenTyped("http://127.0.0.1/x");
  EXPECT_EQ(seen_tab, 2);
  EXPECT_EQ(seen_boxes, 2);
  EXPECT_EQ(AddressText(), "http://127.0.0.1/x") << "ShowCurrentPage found the page";
}

struct TypedCase {
  const char* name;
  std::string typed;
  std::string caption;
};

class TypedAddressTest : public ProgramTest, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(TypedAddressTest, EnterOpensTheTextAsTyped) {
  const TypedCase& c = GetParam();
  Start();
  OpenTyped(c.typed);
  ASSERT_EQ(boxes().size(), 2);
  EXPECT_EQ(PageOfTab(2).url_writes, std::vector<std::string>{c.typed});
  EXPECT_EQ(tabs().tab(2).caption, c.caption);
  EXPECT_EQ(tabs().CurrentTab(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TypedAddressTest,
    ::testing::Values(TypedCase{"Empty", "", std::string(20, ' ')},
                      TypedCase{"SpacesKept", "  127.0.0.1/a  ", "  127.0.0.1/a       "},
                      TypedCase{"NoSchemeAdded", "www.example.org", "www.example.org     "},
                      TypedCase{"Chinese", "论坛", "论坛                "}),
    CaseName());

TEST_F(OpenPageTest, OtherCharactersOpenNothing) {
  Start();
  platform_.TypeText(main_window(), kAddressBoxName, "abc\t");
  EXPECT_EQ(boxes().size(), 1);
  EXPECT_EQ(AddressText(), PageOfTab(1).url() + "abc\t");
}

// What a failed open must leave as it was.
struct Snapshot {
  int boxes;
  std::vector<std::string> captions;
  int current;
  std::string address;
  std::optional<ComponentRef> front;
  friend bool operator==(const Snapshot&, const Snapshot&) = default;
};

class FailedOpenTest : public ProgramTest, public ::testing::WithParamInterface<bool> {
 protected:
  Snapshot Take() {
    return {boxes().size(), Captions(), tabs().CurrentTab(), AddressText(),
            platform_.FrontPage(main_window())};
  }
};

TEST_P(FailedOpenTest, ShowsTheMessageAndChangesNothing) {
  const bool copy_fails = GetParam();
  Start();
  OpenTyped("http://127.0.0.1/a");
  platform_.AddressBox().text_ = "http://127.0.0.1/typed";
  const Snapshot before = Take();
  const std::size_t copies = platform_.copies.size();
  if (copy_fails) {
    platform_.fail_copies = 1;
  } else {
    platform_.FailNextInsertTab();
  }
  platform_.PressEnter(main_window(), kAddressBoxName);

  EXPECT_EQ(Take(), before);
  ASSERT_EQ(platform_.message_boxes.size(), 1u);
  const MessageBoxRequest& box = platform_.message_boxes[0];
  EXPECT_EQ(box.text, "创建浏览器失败！");
  EXPECT_EQ(box.caption, "信息：");
  EXPECT_EQ(box.icon, MessageIcon::kNone);
  EXPECT_TRUE(box.task_modal);
  if (!copy_fails) {
    ASSERT_EQ(platform_.copies.size(), copies + 1);
    EXPECT_EQ(platform_.GetComponent(platform_.copies.back()), nullptr)
        << "the copy made for the refused tab is destroyed";
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, FailedOpenTest, ::testing::Values(true, false),
                         [](const auto& test) { return test.param ? "Copy" : "InsertTab"; });

TEST_F(OpenPageTest, TheNewPageIsFittedToThePresentClientArea) {
  Start();
  platform_.ResizeClient(main_window(), 700, 400);
  OpenTyped("http://127.0.0.1/x");
  EXPECT_EQ(PageOfTab(2).width(), 699);
  EXPECT_EQ(PageOfTab(2).height(), 400 - 20 - 10 - 56);
  EXPECT_EQ(PageOfTab(2).left(), 4);
  EXPECT_EQ(PageOfTab(2).top(), 56);
}

TEST_F(OpenPageTest, ANavigationEventInsideTheUrlWriteNamesTheNewPage) {
  platform_.navigation_event_inside_url_write = true;
  Start();
  OpenTyped("http://127.0.0.1/x");
  EXPECT_EQ(StatusText(), "正在转向 “http://127.0.0.1/x”");
}

// The strip and the list are kept in step, so only a strip changed behind
// the program's back reaches these errors.
struct LookupCase {
  const char* name;
  bool onto_blank_tab;  // else onto a tab that has no page
  std::string text;
};

class BrokenLookupTest : public ProgramTest, public ::testing::WithParamInterface<LookupCase> {};

TEST_P(BrokenLookupTest, IsAFatalError) {
  const LookupCase& c = GetParam();
  Start();
  tabs().set_current_tab_changed_handler(nullptr);
  if (c.onto_blank_tab) {
    ASSERT_TRUE(tabs().SetTabHidden(0, false));
    tabs().SetCurrentTab(0);
  } else {
    tabs().SetCurrentTab(tabs().InsertTab("stray"));
  }
  EXPECT_EQ(ExitCodeOf([this] { Select("刷新(&R)"); }), -1);
  ASSERT_FALSE(platform_.message_boxes.empty());
  EXPECT_EQ(platform_.message_boxes.back().text, c.text);
  EXPECT_EQ(platform_.message_boxes.back().caption, "错误");
  EXPECT_FALSE(platform_.exit_routines_ran);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrokenLookupTest,
    ::testing::Values(
        LookupCase{
            "BelowOne", true,
            "运行时出错!\r\n\r\n错误代码：4\r\n\r\n错误信息：数组成员引用下标必须大于等于1\r\n"},
        LookupCase{
            "AboveTheCount", false,
            "运行时出错!\r\n\r\n错误代码：1\r\n\r\n错误信息：数组成员引用下标超出定义范围\r\n"}),
    CaseName());

}  // namespace
}  // namespace tavern
