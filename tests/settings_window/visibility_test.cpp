// Showing and hiding the main window, by the switches of the Common Settings page.
#include <gtest/gtest.h>

#include "pages_fixture.h"
#include "ui/application.h"

namespace {

using monitor::TfMain;
using testing_support::PagesFixture;

enum class State { Shown, InTray, InTaskbar, Closed };

const char* Name(State s) {
  switch (s) {
    case State::Shown: return "shown";
    case State::InTray: return "in the notification area";
    case State::InTaskbar: return "minimised to the taskbar";
    case State::Closed: return "closed";
  }
  return "?";
}

enum class Act { CloseButton, MinimizeButton, Escape, TrayClick, HideButton, Exit };

class Visibility : public PagesFixture {
 protected:
  TfMain& ShownWindow(bool onClose, bool toTray, bool onEsc) {
    auto& w = ShownMainWindow();
    w.swMinimizedOnClose.SetChecked(onClose);
    w.swMinimizedToTray.SetChecked(toTray);
    w.swMinimizedOnEsc.SetChecked(onEsc);
    w.Show();
    return w;
  }
  void Do(TfMain& w, Act act) {
    switch (act) {
      case Act::CloseButton: ::SendMessageW(w.Handle(), WM_CLOSE, 0, 0); break;
      case Act::MinimizeButton: ::SendMessageW(w.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0); break;
      case Act::Escape: {
        WORD key = VK_ESCAPE;
        w.PreviewKeyDown(key);
        break;
      }
      case Act::TrayClick: w.TrayIcon.OnClick(); break;
      case Act::HideButton: w.btnHide.Click(); break;
      case Act::Exit: w.btnExitClick(); break;
    }
  }
  State StateOf(TfMain& w) {
    MSG quit;
    if (::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) return State::Closed;
    if (!::IsWindowVisible(w.Handle())) return State::InTray;
    if (::IsIconic(w.Handle()) || ui::App().IsMinimized()) return State::InTaskbar;
    return State::Shown;
  }
};

TEST_F(Visibility, EachWayOfHidingGoesWhereTheSwitchesSay) {
  struct Case {
    bool OnClose, ToTray, OnEsc;
    Act Action;
    State Expected;
  };
  const Case cases[] = {
      {true, true, true, Act::CloseButton, State::InTray},
      {true, false, true, Act::CloseButton, State::InTaskbar},
      {false, true, true, Act::CloseButton, State::Closed},
      {true, true, true, Act::MinimizeButton, State::InTray},
      {true, false, true, Act::MinimizeButton, State::InTaskbar},
      {false, true, true, Act::MinimizeButton, State::InTaskbar},
      {true, false, true, Act::Escape, State::InTray},
      {false, false, true, Act::Escape, State::InTray},
      {true, true, false, Act::Escape, State::Shown},
      {true, true, true, Act::TrayClick, State::InTray},
      {false, false, true, Act::TrayClick, State::InTray},
      {true, true, true, Act::HideButton, State::InTray},
      {true, true, true, Act::Exit, State::Closed},
      {true, false, true, Act::Exit, State::Closed},
  };
  int i = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << i++);
    TearDown();
    SetUp();
    auto& w = ShownWindow(c.OnClose, c.ToTray, c.OnEsc);
    ASSERT_EQ(StateOf(w), State::Shown);
    const int saves = Saves();
    Do(w, c.Action);
    EXPECT_STREQ(Name(StateOf(w)), Name(c.Expected));
    if (c.Expected == State::Closed) {
      EXPECT_EQ(Saves() - saves, 1) << "the close saves";
    }
  }
}

TEST_F(Visibility, OneTrayClickAlwaysBringsAHiddenOrMinimisedWindowBack) {
  for (bool toTray : {true, false}) {
    for (Act hide : {Act::Escape, Act::CloseButton, Act::MinimizeButton}) {
      SCOPED_TRACE(testing::Message() << "to tray " << toTray << " action " << int(hide));
      TearDown();
      SetUp();
      auto& w = ShownWindow(true, toTray, true);
      Do(w, hide);
      ASSERT_NE(StateOf(w), State::Shown);
      Do(w, Act::TrayClick);
      EXPECT_STREQ(Name(StateOf(w)), Name(State::Shown));
      EXPECT_EQ(w.TrayIcon.Tag, 0);
      Do(w, Act::TrayClick);
      EXPECT_STREQ(Name(StateOf(w)), Name(State::InTray));
      EXPECT_EQ(w.TrayIcon.Tag, 1) << "set after the minimise";
    }
  }
}

TEST_F(Visibility, EscapeInAnInPlaceEditEndsTheEditOnly) {
  auto& w = ShownWindow(true, true, true);
  w.SelectPage(4);
  w.vstExclude_WindowClass.SetEditable(true);
  ui::TreeNode* first = w.vstExclude_WindowClass.FirstNode();
  ASSERT_TRUE(w.vstExclude_WindowClass.EditNode(first, 0));
  ::SendMessageW(w.vstExclude_WindowClass.EditorHandle(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_FALSE(w.vstExclude_WindowClass.IsEditing());
  EXPECT_STREQ(Name(StateOf(w)), Name(State::Shown));
}

}  // namespace
