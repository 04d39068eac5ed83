#include "components/tab_strip.h"

#include <gtest/gtest.h>

#include "core/case_name.h"

#include <random>
#include <string>
#include <vector>

namespace tavern {
namespace {

// A strip with the form's blank tab and `pages` run-time tabs, counting the
// current-tab events it raises.
struct Strip {
  explicit Strip(int pages) : tabs({"空白"}) {
    for (int i = 1; i <= pages; ++i) tabs.InsertTab("page" + std::to_string(i));
    tabs.set_current_tab_changed_handler([this] { events.push_back(tabs.CurrentTab()); });
  }
  TabStrip tabs;
  std::vector<int> events;  // the current index each event saw
};

TEST(TabStripTest, StartsWithTheFormTabShownAndCurrent) {
  TabStrip tabs({"空白"});
  EXPECT_EQ(tabs.TabCount(), 1);
  EXPECT_EQ(tabs.CurrentTab(), 0);
  EXPECT_EQ(tabs.tab(0).caption, "空白");
  EXPECT_FALSE(tabs.tab(0).hidden);
  EXPECT_EQ(tabs.tab(0).origin, TabStrip::Origin::kForm);
}

TEST(TabStripTest, InsertAppendsAShownTabAndKeepsTheCurrentOne) {
  Strip s(0);
  EXPECT_EQ(s.tabs.InsertTab("a"), 1);
  EXPECT_EQ(s.tabs.InsertTab("b"), 2);
  EXPECT_EQ(s.tabs.CurrentTab(), 0);
  EXPECT_TRUE(s.events.empty());
  EXPECT_EQ(s.tabs.tab(2).origin, TabStrip::Origin::kRunTime);
}

TEST(TabStripTest, InsertFailsWhenFull) {
  TabStrip tabs({"空白"}, 0, /*capacity=*/2);
  EXPECT_EQ(tabs.InsertTab("a"), 1);
  EXPECT_EQ(tabs.InsertTab("b"), 2);
  EXPECT_EQ(tabs.InsertTab("c"), -1);
  EXPECT_EQ(tabs.TabCount(), 3);
  ASSERT_TRUE(tabs.DeleteTab(1));
  EXPECT_EQ(tabs.InsertTab("d"), 2);
}

struct DeleteCase {
  const char* name;
  int pages;
  std::vector<int> hidden;  // tabs hidden before the delete
  int current;
  int deleted;
  bool result;
  int current_after;
  bool event;
};

class TabStripDeleteTest : public ::testing::TestWithParam<DeleteCase> {};

TEST_P(TabStripDeleteTest, FollowsTheCurrentTabRules) {
  const DeleteCase& c = GetParam();
  Strip s(c.pages);
  s.tabs.SetCurrentTab(c.current);
  for (const int tab : c.hidden) ASSERT_TRUE(s.tabs.SetTabHidden(tab, true));
  ASSERT_EQ(s.tabs.CurrentTab(), c.current);
  s.events.clear();
  const int count = s.tabs.TabCount();

  EXPECT_EQ(s.tabs.DeleteTab(c.deleted), c.result);
  EXPECT_EQ(s.tabs.TabCount(), c.result ? count - 1 : count);
  EXPECT_EQ(s.tabs.CurrentTab(), c.current_after);
  EXPECT_EQ(s.events.size(), c.event ? 1u : 0u);
  if (c.event) {
    EXPECT_EQ(s.events[0], c.current_after) << "the event sees the strip already changed";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TabStripDeleteTest,
    ::testing::Values(
        DeleteCase{"BeforeCurrentMovesItDown", 3, {}, 3, 1, true, 2, true},
        DeleteCase{"AfterCurrentChangesNothing", 3, {}, 1, 3, true, 1, false},
        DeleteCase{"CurrentWithFollowerKeepsTheIndexSilently", 3, {0}, 2, 2, true, 2, false},
        DeleteCase{"CurrentLastGoesToLowestNotLeftNeighbour", 3, {0}, 3, 3, true, 1, true},
        DeleteCase{"CurrentLastWithBlankShownGoesToBlank", 3, {}, 3, 3, true, 0, true},
        DeleteCase{"CurrentFollowedByHiddenGoesToLowest", 3, {0, 3}, 2, 2, true, 1, true},
        DeleteCase{"OnlyTabThatCanBeCurrentFails", 1, {0}, 1, 1, false, 1, false},
        DeleteCase{"FormTabAlwaysFails", 2, {}, 0, 0, false, 0, false},
        DeleteCase{"FormTabHiddenStillFails", 2, {0}, 1, 0, false, 1, false},
        DeleteCase{"IndexAboveRangeFails", 2, {}, 1, 3, false, 1, false},
        DeleteCase{"IndexBelowRangeFails", 2, {}, 1, -1, false, 1, false},
        DeleteCase{"HiddenNonCurrentTabGoes", 2, {2}, 1, 2, true, 1, false}),
    CaseName());

TEST(TabStripTest, LastPageDeletesOnceTheBlankTabIsShownAgain) {
  Strip s(1);
  s.tabs.SetCurrentTab(1);
  ASSERT_TRUE(s.tabs.SetTabHidden(0, true));
  EXPECT_FALSE(s.tabs.DeleteTab(1));
  ASSERT_TRUE(s.tabs.SetTabHidden(0, false));
  EXPECT_TRUE(s.tabs.DeleteTab(1));
  EXPECT_EQ(s.tabs.CurrentTab(), 0);
  EXPECT_EQ(s.tabs.TabCount(), 1);
}

TEST(TabStripTest, HidingTheCurrentTabMakesTheLowestShownOneCurrent) {
  Strip s(2);
  s.tabs.SetCurrentTab(2);
  s.events.clear();
  ASSERT_TRUE(s.tabs.SetTabHidden(2, true));
  EXPECT_EQ(s.tabs.CurrentTab(), 0);
  EXPECT_EQ(s.events, std::vector<int>{0});
}

TEST(TabStripTest, HidingTheBlankTabWhileItIsCurrentMovesToTheFirstPage) {
  Strip s(2);
  ASSERT_TRUE(s.tabs.SetTabHidden(0, true));
  EXPECT_EQ(s.tabs.CurrentTab(), 1);
  EXPECT_EQ(s.events, std::vector<int>{1});
}

TEST(TabStripTest, HidingTheLastShownTabFailsAndChangesNothing) {
  Strip s(1);
  ASSERT_TRUE(s.tabs.SetTabHidden(1, true));
  s.events.clear();
  EXPECT_FALSE(s.tabs.SetTabHidden(0, true));
  EXPECT_FALSE(s.tabs.tab(0).hidden);
  EXPECT_EQ(s.tabs.CurrentTab(), 0);
  EXPECT_TRUE(s.events.empty());
}

TEST(TabStripTest, HidingAHiddenTabAgainRaisesNothing) {
  Strip s(1);
  s.tabs.SetCurrentTab(1);
  ASSERT_TRUE(s.tabs.SetTabHidden(0, true));
  s.events.clear();
  EXPECT_TRUE(s.tabs.SetTabHidden(0, true));
  EXPECT_EQ(s.tabs.CurrentTab(), 1);
  EXPECT_TRUE(s.events.empty());
}

TEST(TabStripTest, SetTabOperationsRefuseIndicesOutOfRange) {
  Strip s(1);
  EXPECT_FALSE(s.tabs.SetTabCaption(2, "x"));
  EXPECT_FALSE(s.tabs.SetTabCaption(-1, "x"));
  EXPECT_FALSE(s.tabs.SetTabHidden(2, true));
  EXPECT_TRUE(s.tabs.SetTabCaption(1, "x"));
  EXPECT_EQ(s.tabs.tab(1).caption, "x");
}

TEST(TabStripTest, WritingCurrentTabRaisesOnlyOnARealChange) {
  Strip s(2);
  ASSERT_TRUE(s.tabs.SetTabHidden(2, true));
  s.tabs.SetCurrentTab(2);  // hidden: cannot be current
  s.tabs.SetCurrentTab(5);  // no such tab
  s.tabs.SetCurrentTab(0);  // already current
  EXPECT_TRUE(s.events.empty());
  s.tabs.SetCurrentTab(1);
  EXPECT_EQ(s.events, std::vector<int>{1});
}

TEST(TabStripTest, RightClickIsRaisedOnlyOverADrawnTab) {
  Strip s(2);
  std::vector<int> clicked;
  s.tabs.set_tab_right_clicked_handler([&](int index) { clicked.push_back(index); });
  ASSERT_TRUE(s.tabs.SetTabHidden(0, true));
  s.tabs.RightClickTab(0);
  s.tabs.RightClickTab(3);
  s.tabs.RightClickTab(2);
  EXPECT_EQ(clicked, std::vector<int>{2});
  EXPECT_EQ(s.tabs.CurrentTab(), 1) << "a right click does not change the current tab";
}

// A plain model of the rules, checked against the class over random
// sequences of operations.
struct ReferenceStrip {
  struct Tab {
    bool hidden;
    bool form;
  };
  std::vector<Tab> tabs{{false, true}};
  int current = 0;

  bool can_be_current(int i) const {
    return i >= 0 && i < static_cast<int>(tabs.size()) && !tabs[static_cast<std::size_t>(i)].hidden;
  }
  bool other_can_be_current(int i) const {
    for (int j = 0; j < static_cast<int>(tabs.size()); ++j) {
      if (j != i && can_be_current(j)) return true;
    }
    return false;
  }
  int lowest() const {
    for (int j = 0; j < static_cast<int>(tabs.size()); ++j) {
      if (can_be_current(j)) return j;
    }
    return -1;
  }
};

TEST(TabStripTest, RandomOperationsFollowTheReferenceModel) {
  std::mt19937 random(20261211);
  for (int sequence = 0; sequence < 3000; ++sequence) {
    TabStrip tabs({"空白"});
    ReferenceStrip reference;
    int events = 0;
    tabs.set_current_tab_changed_handler([&] { ++events; });
    for (int step = 0; step < 40; ++step) {
      const int size = static_cast<int>(reference.tabs.size());
      const int index = std::uniform_int_distribution<int>(-1, size)(random);
      const int before = reference.current;
      int expected_events = 0;
      switch (std::uniform_int_distribution<int>(0, 3)(random)) {
        case 0:
          EXPECT_EQ(tabs.InsertTab("t"), size);
          reference.tabs.push_back({false, false});
          break;
        case 1: {
          const bool ok = index >= 0 && index < size &&
                          !reference.tabs[static_cast<std::size_t>(index)].form &&
                          reference.other_can_be_current(index);
          EXPECT_EQ(tabs.DeleteTab(index), ok);
          if (ok) {
            reference.tabs.erase(reference.tabs.begin() + index);
            if (index < reference.current) {
              --reference.current;
            } else if (!reference.can_be_current(reference.current)) {
              reference.current = reference.lowest();
            }
          }
          break;
        }
        case 2: {
          const bool hide = std::uniform_int_distribution<int>(0, 1)(random) == 1;
          const bool ok =
              index >= 0 && index < size && (!hide || reference.other_can_be_current(index));
          EXPECT_EQ(tabs.SetTabHidden(index, hide), ok);
          if (ok) {
            reference.tabs[static_cast<std::size_t>(index)].hidden = hide;
            if (!reference.can_be_current(reference.current))
              reference.current = reference.lowest();
          }
          break;
        }
        case 3:
          tabs.SetCurrentTab(index);
          if (reference.can_be_current(index)) reference.current = index;
          break;
      }
      if (reference.current != before) expected_events = 1;
      const int seen = events;
      events = 0;
      ASSERT_EQ(tabs.TabCount(), static_cast<int>(reference.tabs.size()));
      ASSERT_EQ(tabs.CurrentTab(), reference.current)
          << "sequence " << sequence << " step " << step;
      ASSERT_EQ(seen, expected_events) << "sequence " << sequence << " step " << step;
      ASSERT_TRUE(tabs.CanBeCurrent(tabs.CurrentTab()));
    }
  }
}

}  // namespace
}  // namespace tavern
