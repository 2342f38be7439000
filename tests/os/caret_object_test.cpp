// The caret object of another program, under Wine: the object lives in a single-threaded
// apartment of its own on another thread, so that the asking side reaches it through a COM proxy
// as it reaches another process's object. A program that answers WM_GETOBJECT at once and then
// stalls in accLocation holds the asking thread no longer than its wait, delivers nothing into
// it meanwhile, and the answer it gives late is still used.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <optional>

#include "os/win32/win32_system.h"
#include "support/caret_object_window.h"
#include "support/hanging_window.h"

namespace {

using os::win32::ToWindowId;
using testing_support::CaretObject;
using testing_support::CaretObjectThread;

constexpr RECT kCaret{300, 400, 302, 420};
constexpr os::Rect kCaretRect{300, 400, 302, 420};
constexpr UINT kProbeMessage = WM_APP + 7;

// A window of the asking thread that counts kProbeMessage, as the mouse hook's calls and the
// timers would run on that thread.
class ProbeWindow {
 public:
  ProbeWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"HalvarinCaretProbe";
    ::RegisterClassW(&wc);
    m_window = ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 nullptr, nullptr);
    s_count = 0;
  }
  ~ProbeWindow() { ::DestroyWindow(m_window); }
  ProbeWindow(const ProbeWindow&) = delete;
  ProbeWindow& operator=(const ProbeWindow&) = delete;
  HWND Window() const { return m_window; }
  static int Count() { return s_count; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kProbeMessage) ++s_count;
    return ::DefWindowProcW(hwnd, msg, wp, lp);
  }
  static inline int s_count = 0;
  HWND m_window = nullptr;
};

// Asks until the window's caret object gives a rectangle, for at most 10 s.
std::optional<os::Rect> AskUntilAnswered(os::System& sys, HWND window) {
  const ULONGLONG deadline = ::GetTickCount64() + 10000;
  for (;;) {
    if (auto caret = sys.AccessibleCaret(ToWindowId(window))) return caret;
    if (::GetTickCount64() > deadline) return std::nullopt;
    ::Sleep(10);
  }
}

// Answers after the window's thread has taken every message sent before it.
void RoundTrip(HWND window) {
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
}

TEST(CaretObject, OfAnotherApartmentIsReadThroughItsProxy) {
  os::win32::Win32System sys;
  CaretObjectThread program(kCaret);
  ASSERT_NE(program.Window(), nullptr);
  EXPECT_EQ(AskUntilAnswered(sys, program.Window()), kCaretRect);
}

TEST(CaretObject, OfAWindowOfTheAskingThreadIsRead) {
  os::win32::Win32System sys;
  CaretObject object(kCaret);
  const HWND window = testing_support::CreateCaretObjectWindow(object);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(sys.AccessibleCaret(ToWindowId(window)), kCaretRect);
  ::DestroyWindow(window);
}

TEST(CaretObject, AProgramThatStallsAfterAnsweringHoldsNobodyAndItsLateAnswerIsUsed) {
  os::win32::Win32System sys;
  ProbeWindow probe;
  ASSERT_NE(probe.Window(), nullptr);
  CaretObjectThread program(kCaret);
  ASSERT_NE(program.Window(), nullptr);
  // Meanwhile another thread sends to a window of the asking thread.
  const HWND target = probe.Window();
  program.Object().Stall([target] { ::SendNotifyMessageW(target, kProbeMessage, 0, 0); });

  EXPECT_EQ(sys.AccessibleCaret(ToWindowId(program.Window())), std::nullopt);
  EXPECT_FALSE(program.Object().StallRanOut()) << "the ask came back only when the stall ran out";
  EXPECT_EQ(ProbeWindow::Count(), 0) << "a message was delivered inside the ask";
  ASSERT_TRUE(program.Object().WaitStalling()) << "the ask never reached the object";

  program.Object().ReleaseStall();
  EXPECT_EQ(AskUntilAnswered(sys, program.Window()), kCaretRect);
  EXPECT_EQ(program.Object().Locations(), 1) << "the late answer was dropped and asked for again";
}

TEST(CaretObject, WhileAnAskIsStuckNoOtherWindowIsAsked) {
  os::win32::Win32System sys;
  CaretObjectThread program(kCaret);
  testing_support::HangingWindow other(WS_POPUP, {0, 0, 50, 50}, L"Other");
  ASSERT_NE(program.Window(), nullptr);
  ASSERT_NE(other.Window(), nullptr);
  program.Object().Stall({});
  EXPECT_EQ(sys.AccessibleCaret(ToWindowId(program.Window())), std::nullopt);
  ASSERT_TRUE(program.Object().WaitStalling());

  EXPECT_EQ(sys.AccessibleCaret(ToWindowId(other.Window())), std::nullopt);
  RoundTrip(other.Window());
  EXPECT_EQ(other.CaretAsks(), 0);
  EXPECT_TRUE(program.Object().StillStalls());

  // Once the stuck ask has come back, the next ask goes to the window asked then, and the one
  // asked while it was stuck is not asked after all.
  program.Object().ReleaseStall();
  testing_support::HangingWindow third(WS_POPUP, {0, 0, 50, 50}, L"Third");
  ASSERT_NE(third.Window(), nullptr);
  const ULONGLONG deadline = ::GetTickCount64() + 10000;
  while (third.CaretAsks() == 0 && ::GetTickCount64() < deadline) {
    sys.AccessibleCaret(ToWindowId(third.Window()));
    RoundTrip(third.Window());
    ::Sleep(10);
  }
  EXPECT_EQ(third.CaretAsks(), 1);
  RoundTrip(other.Window());
  EXPECT_EQ(other.CaretAsks(), 0) << "the ask made while the query was stuck was made later";
}

TEST(CaretObject, TheSystemGoesAwayWithoutWaitingForAStuckAsk) {
  auto sys = std::make_unique<os::win32::Win32System>();
  CaretObjectThread program(kCaret);
  ASSERT_NE(program.Window(), nullptr);
  program.Object().Stall({});
  EXPECT_EQ(sys->AccessibleCaret(ToWindowId(program.Window())), std::nullopt);
  ASSERT_TRUE(program.Object().WaitStalling());
  sys.reset();
  EXPECT_FALSE(program.Object().StallRanOut()) << "the system waited for the stuck ask";
  // The let-go ask ends by itself once the program answers.
  program.Object().ReleaseStall();
  const ULONGLONG deadline = ::GetTickCount64() + 10000;
  while (program.Object().Locations() == 0 && ::GetTickCount64() < deadline) ::Sleep(10);
  EXPECT_EQ(program.Object().Locations(), 1);
}

}  // namespace
