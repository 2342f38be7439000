// The real desktop under Wine, asked about this test's own windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

#include "monitor/foreground.h"
#include "os/text.h"
#include "os/win32/win32_system.h"

namespace {

using os::win32::ToHwnd;
using os::win32::ToWindowId;

constexpr wchar_t kFrameClass[] = L"HalvarinSeamTestFrame";
constexpr wchar_t kControlClass[] = L"HalvarinSeamTestControl";
// The control's place in the frame's client area.
constexpr int kControlX = 50;
constexpr int kControlY = 60;

void RegisterClassOnce(const wchar_t* name) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = name;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  ::RegisterClassW(&wc);  // fails harmlessly when a former test registered it
}

void PumpMessages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

class RealDesktop : public testing::Test {
 protected:
  void SetUp() override {
    os::SetSystem(&sys);
    RegisterClassOnce(kFrameClass);
    RegisterClassOnce(kControlClass);
    // Topmost, so that windows of tests running beside this one do not cover it.
    frame = ::CreateWindowExW(WS_EX_TOPMOST, kFrameClass, L"Seam test", WS_OVERLAPPEDWINDOW,
                              120, 110, 420, 320, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(frame, nullptr);
    control = ::CreateWindowExW(0, kControlClass, L"", WS_CHILD | WS_VISIBLE, kControlX,
                                kControlY, 200, 100, frame, nullptr, nullptr, nullptr);
    ASSERT_NE(control, nullptr);
    ::ShowWindow(frame, SW_SHOW);
    ::UpdateWindow(frame);
  }

  void TearDown() override {
    if (frame != nullptr) ::DestroyWindow(frame);
    PumpMessages();
    os::SetSystem(nullptr);
  }

  // Other tests of the run share the desktop, so the frame is brought to the front and the
  // foreground is waited for with a deadline rather than assumed.
  bool BringFrameToFront() {
    for (int attempt = 0; attempt < 200; ++attempt) {
      ::SetForegroundWindow(frame);
      PumpMessages();
      if (::GetForegroundWindow() == frame) return true;
      ::Sleep(10);
    }
    return false;
  }

  os::Point FrameClientOrigin() const {
    POINT p{0, 0};
    ::ClientToScreen(frame, &p);
    return {p.x, p.y};
  }

  os::win32::Win32System sys;
  HWND frame = nullptr;
  HWND control = nullptr;
};

TEST_F(RealDesktop, ForegroundWindowItsClassThreadAndProcess) {
  ASSERT_TRUE(BringFrameToFront());
  const os::WindowId foreground = sys.ForegroundWindow();
  EXPECT_EQ(foreground, ToWindowId(frame));
  EXPECT_EQ(sys.WindowClassName(foreground), kFrameClass);
  EXPECT_EQ(sys.WindowClassName(ToWindowId(control)), kControlClass);
  EXPECT_EQ(sys.WindowThreadProcess(foreground),
            (os::ThreadProcess{::GetCurrentThreadId(), ::GetCurrentProcessId()}));
}

TEST_F(RealDesktop, ProcessImageNameOfThisProcess) {
  const auto path = sys.ProcessImagePath(::GetCurrentProcessId());
  ASSERT_TRUE(path.has_value());
  EXPECT_TRUE(os::EqualsIgnoreAsciiCase(monitor::FileNameOfPath(*path), L"test_os.exe"))
      << testing::PrintToString(*path);
  EXPECT_FALSE(sys.ProcessImagePath(0).has_value()) << "the idle process cannot be opened";

  // The same through the caret query, with the frame in front.
  ASSERT_TRUE(BringFrameToFront());
  os::Point pt;
  int width = 0, height = 0;
  std::wstring className, appName;
  monitor::GetCaretPosition(pt, width, height, className, appName);
  EXPECT_EQ(className, kFrameClass);
  EXPECT_TRUE(os::EqualsIgnoreAsciiCase(appName, L"test_os.exe")) << testing::PrintToString(appName);
}

TEST_F(RealDesktop, GuiThreadCaretOfAControlIsMappedToTheScreen) {
  ASSERT_TRUE(BringFrameToFront());
  ::SetFocus(control);
  ASSERT_TRUE(::CreateCaret(control, nullptr, 2, 16));
  ASSERT_TRUE(::SetCaretPos(7, 9));

  const os::GuiThreadInfo gui = sys.GuiThread(::GetCurrentThreadId());
  EXPECT_EQ(gui.Focus, ToWindowId(control));
  EXPECT_EQ(gui.CaretWindow, ToWindowId(control));
  EXPECT_EQ(gui.Caret.Left, 7);
  EXPECT_EQ(gui.Caret.Top, 9);

  os::Point pt{-1, -1};
  int width = -1, height = -1;
  std::wstring className, appName;
  const bool fromAccessibility = monitor::GetCaretPosition(pt, width, height, className, appName);
  const os::Point origin = FrameClientOrigin();
  EXPECT_EQ(pt, (os::Point{origin.X + kControlX + 7, origin.Y + kControlY + 9}));
  // Wine answers E_NOTIMPL for the accessibility caret object: the GUI-thread caret stands.
  EXPECT_FALSE(sys.AccessibleCaret(ToWindowId(control)).has_value());
  EXPECT_FALSE(fromAccessibility);
  EXPECT_EQ(width, 0);
  EXPECT_EQ(height, 0);
  ::DestroyCaret();

  // Without a caret there is no caret point, though the control keeps the focus.
  pt = {-1, -1};
  monitor::GetCaretPosition(pt, width, height, className, appName);
  EXPECT_EQ(pt, (os::Point{0, 0}));
}

TEST_F(RealDesktop, KeyStatesOfThisThread) {
  BYTE saved[256] = {};
  ASSERT_TRUE(::GetKeyboardState(saved));
  BYTE state[256] = {};
  state[VK_CAPITAL] = 0x01;  // toggled on, not held
  state[VK_NUMLOCK] = 0x81;  // toggled on and held
  state[VK_LSHIFT] = 0x80;   // held
  ASSERT_TRUE(::SetKeyboardState(state));

  struct Case {
    int Key;
    bool Toggled;
    bool Down;
  };
  const Case cases[] = {
      {os::kVkCapital, true, false},
      {os::kVkNumLock, true, true},
      {os::kVkLShift, false, true},
      {os::kVkRShift, false, false},
      {os::kVkPause, false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(sys.KeyToggled(c.Key), c.Toggled) << std::hex << c.Key;
    EXPECT_EQ(sys.KeyDown(c.Key), c.Down) << std::hex << c.Key;
  }
  ::SetKeyboardState(saved);
}

TEST_F(RealDesktop, WindowFromPointFindsTheControlAndTheFrame) {
  ASSERT_TRUE(BringFrameToFront());
  const os::Point origin = FrameClientOrigin();
  EXPECT_EQ(sys.WindowFromPoint({origin.X + kControlX + 20, origin.Y + kControlY + 20}),
            ToWindowId(control));
  EXPECT_EQ(sys.WindowFromPoint({origin.X + 10, origin.Y + 10}), ToWindowId(frame));
}

TEST_F(RealDesktop, KeyboardLayoutOfTheForegroundThreadHasItsNames) {
  ASSERT_TRUE(BringFrameToFront());
  const std::uint64_t layout = sys.ThreadKeyboardLayout(::GetCurrentThreadId());
  ASSERT_NE(layout, 0u);
  wchar_t country[16] = {};
  ASSERT_GT(::GetLocaleInfoW(static_cast<LCID>(layout & 0xFFFF), LOCALE_SISO3166CTRYNAME, country,
                             16),
            0);
  std::wstring iso639, name, countryAbbrev, iso3166, abbrev;
  monitor::GetForegroundLayoutInfo(iso639, name, countryAbbrev, iso3166, abbrev);
  EXPECT_EQ(iso3166, country);
  ASSERT_FALSE(iso639.empty());
  EXPECT_EQ(iso639, os::ToUpperAscii(iso639));
  EXPECT_FALSE(name.empty());
  EXPECT_FALSE(countryAbbrev.empty());
  EXPECT_FALSE(abbrev.empty());
}

TEST(Win32Locale, TheVersionLibraryNamesEachLanguage) {
  os::win32::Win32System sys;
  // Wine gives the bare language ("English"), Windows adds the country: the start is common.
  EXPECT_EQ(sys.LanguageName(0x0409).rfind(L"English", 0), 0u) << sys.LanguageName(0x0409);
  EXPECT_EQ(sys.LanguageName(0x0407).rfind(L"German", 0), 0u) << sys.LanguageName(0x0407);
  EXPECT_EQ(sys.LanguageName(0x0409).find(L'\0'), std::wstring::npos);
  // The name is the version library's, not the locale's: Wine's locale name of 0x0409 is
  // "English (United States)", its version library's "English".
  for (unsigned id : {0x0409u, 0x0407u, 0x0419u, 0x0411u}) {
    wchar_t expected[256] = {};
    ::VerLanguageNameW(id, expected, 256);
    EXPECT_EQ(sys.LanguageName(id), expected) << std::hex << id;
  }
}

TEST_F(RealDesktop, AWindowThatIsGoneAnswersNothing) {
  const os::WindowId gone = ToWindowId(frame);
  ::DestroyWindow(frame);
  frame = nullptr;
  EXPECT_EQ(sys.WindowThreadProcess(gone), os::ThreadProcess{});
  EXPECT_EQ(sys.WindowClassName(gone), L"");
  EXPECT_FALSE(sys.ClientToScreen(gone, {1, 1}).has_value());
}

TEST(RealDisplay, ARectangleIsOnAMonitorWhenAnyPartOfItIs) {
  os::win32::Win32System sys;
  const os::Rect m = sys.PrimaryMonitorRect();
  EXPECT_TRUE(sys.RectOnAnyMonitor(m));
  EXPECT_TRUE(sys.RectOnAnyMonitor({m.Left - 500, m.Top + 10, m.Left + 1, m.Top + 100}));
  EXPECT_FALSE(sys.RectOnAnyMonitor({m.Left - 500, m.Top + 10, m.Left, m.Top + 100}));
  EXPECT_FALSE(sys.RectOnAnyMonitor({1'000'000, 1'000'000, 1'000'900, 1'000'650}));
}

// The primary monitor's work area comes first, and each area lies on its monitor.
TEST(RealDisplay, TheWorkAreasBeginWithThePrimaryOne) {
  os::win32::Win32System sys;
  const std::vector<os::Rect> areas = sys.MonitorWorkAreas();
  ASSERT_FALSE(areas.empty());
  EXPECT_EQ(areas.front(), sys.PrimaryWorkArea());
  for (const os::Rect& a : areas) {
    EXPECT_LT(a.Left, a.Right);
    EXPECT_LT(a.Top, a.Bottom);
    EXPECT_TRUE(sys.RectOnAnyMonitor(a));
  }
}

}  // namespace
