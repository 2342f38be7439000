// Drives the real monitoring pass and the real mouse hook over the scripted desktop, with every
// indicator switched on, and prints one figure per line: "name value". Own work only: the
// scripted desktop answers its queries from memory. Last, the real program's start to its window.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/common.h"
#include "monitor/globals.h"
#include "monitor/main_window.h"
#include "monitor/mouse_hook.h"
#include "start_to_window.h"
#include "support/fake_shell.h"
#include "support/fake_system.h"
#include "support/program_state.h"
#include "tray/data_module.h"
#include "ui/application.h"
#include "ui/native_calls.h"
#include "ui/tray_icon.h"

namespace {

using testing_support::FakeSystem;

// The benchmark's icons stay out of the desktop's real notification area.
BOOL WINAPI NoShellNotify(DWORD, PNOTIFYICONDATAW) { return TRUE; }

double NowUs() {
  static const double perUs = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart) / 1e6;
  }();
  LARGE_INTEGER c;
  ::QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / perUs;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double TicksToUs(std::int64_t ticks) {
  LARGE_INTEGER f;
  ::QueryPerformanceFrequency(&f);
  return static_cast<double>(ticks) * 1e6 / static_cast<double>(f.QuadPart);
}

struct Timing {
  double OwnUs;    // median of the program's own work
  double TotalUs;  // median with the time the system spent in the window calls
};

// Runs work n times, each after prepare (not timed). The window and icon calls are real calls
// into the system (under Wine each is a round trip to the X server); their time is taken out of
// the own work.
Timing Measure(int n, const std::function<void(int)>& prepare, const std::function<void()>& work) {
  std::vector<double> own, total;
  own.reserve(n);
  total.reserve(n);
  ui::SetNativeCallTiming(true);
  for (int i = 0; i < n; ++i) {
    prepare(i);
    const std::int64_t native = ui::NativeCallTicks();
    const double a = NowUs();
    work();
    const double elapsed = NowUs() - a;
    total.push_back(elapsed);
    own.push_back(elapsed - TicksToUs(ui::NativeCallTicks() - native));
  }
  ui::SetNativeCallTiming(false);
  return {Median(own), Median(total)};
}

void Pump() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

}  // namespace

int main() {
  testing_support::ScopedFakeSystem sys;
  testing_support::ScopedFakeShell shell;
  ui::TrayIcon::SetShellNotify(&NoShellNotify);
  testing_support::ResetProgramState();

  // The scripted desktop: two installed layouts, a text editor in the foreground with a caret.
  FakeSystem& fake = *sys;
  fake.AddLocale(0x0407, L"de", L"DE", L"German (Germany)", L"DEU", L"DEU");
  fake.KeyboardLayouts = {0x04090409, 0x04070407};
  fake.Monitor = {0, 0, 1920, 1080};
  fake.WorkArea = {0, 0, 1920, 1040};
  fake.Taskbar = {0, 1040, 1920, 1080};
  const os::WindowId editor =
      fake.AddApp(L"C:\\Windows\\notepad.exe", L"Notepad", 0x04090409, {100, 100, 900, 700});
  fake.AddApp(L"C:\\Windows\\explorer.exe", L"Shell_TrayWnd", 0x04090409, {0, 1040, 1920, 1080});
  fake.Foreground = editor;
  fake.PlaceCaret(editor, {200, 150, 201, 166});
  fake.KeysToggled = {0x14};  // Caps Lock on
  fake.AddFolder(L"C:\\Work\\Settings");
  core::PathWorkSpace = L"C:\\Work\\";
  core::PathSettings = L"C:\\Work\\Settings\\";
  core::FileSettings = L"C:\\Work\\Settings\\settings.json";
  core::IsStarting = true;

  const double createStart = NowUs();
  ui::App().CreateComponent<tray::TDM>();
  auto* main = ui::App().CreateForm<monitor::TfMain>();
  main->Show();
  ::UpdateWindow(main->Handle());
  const double createMs = (NowUs() - createStart) / 1000.0;

  // Every indicator on.
  auto& s = *core::Settings;
  s.IsShowWorkareaBorder = true;
  s.IsShowTaskbarBorder = true;
  s.MouseIndicator_IsShowCapsNum = true;
  s.MouseIndicator_IsShowTime = true;
  s.MouseIndicator_IsWindowInfo = true;
  s.IsColorsByLang = true;
  s.MouseIndicator_IsColorsByLang = true;
  s.CaretIndicator_IsAutoHide = false;  // the caret indicator stays shown throughout
  s.SL_Lang_DesktopBorder_Color = {L"US=FF0000", L"DE=0000FF"};

  const std::int64_t tick = fake.Frequency / 20;  // the throttle's 0.05 s
  fake.Counter += tick;
  main->TimerStartTimer();
  Pump();
  auto pass = [&] {
    fake.Counter += tick;
    main->DetectKeysStatus();
  };
  for (int i = 0; i < 5; ++i) pass();
  Pump();

  constexpr int kRuns = 2000;
  const Timing steady = Measure(kRuns, [&](int) { fake.Counter += tick; },
                                   [&] { main->DetectKeysStatus(); });

  std::int64_t calls = 0;
  constexpr int kCounted = 200;
  for (int i = 0; i < kCounted; ++i) {
    const std::int64_t before = ui::NativeCallCount();
    pass();
    calls += ui::NativeCallCount() - before;
  }

  const Timing change = Measure(
      kRuns,
      [&](int i) {
        fake.SwitchLayout(editor, i % 2 == 0 ? 0x04070407 : 0x04090409);
        fake.Counter += tick;
        if (i % 50 == 0) Pump();  // let the repaints the switches asked for happen, untimed
      },
      [&] { main->DetectKeysStatus(); });

  MSLLHOOKSTRUCT event{};
  const Timing move = Measure(
      kRuns,
      [&](int i) {
        event.pt = {300 + i % 200, 400 + (i % 7)};
        if (i % 50 == 0) Pump();
      },
      [&] { monitor::MouseHookProc(HC_ACTION, WM_MOUSEMOVE, reinterpret_cast<LPARAM>(&event)); });

  // Every pass shows or hides the caret indicator, and raises the lines of each group that is on.
  const int required = 1 + (s.IsShowWorkareaBorder ? 4 : 0) + (s.IsShowTaskbarBorder ? 4 : 0);

  std::printf("pass_steady_us %.2f\n", steady.OwnUs);
  std::printf("pass_change_us %.2f\n", change.OwnUs);
  std::printf("hook_move_us %.2f\n", move.OwnUs);
  std::printf("steady_pass_window_calls %.2f\n", static_cast<double>(calls) / kCounted);
  std::printf("steady_pass_window_calls_required %d\n", required);
  // With the system's time in the window calls, for reference.
  std::printf("pass_steady_total_us %.2f\n", steady.TotalUs);
  std::printf("pass_change_total_us %.2f\n", change.TotalUs);
  std::printf("hook_move_total_us %.2f\n", move.TotalUs);
  std::printf("create_and_show_ms %.1f\n", createMs);
  std::fflush(stdout);

  // Every change on a settings page reads all pages back, which walks the three exclusion trees
  // row by row: long lists must not make a change stall the UI thread.
  for (const int rows : {1'000, 20'000, 40'000}) {
    core::TStringList entries;
    entries.reserve(static_cast<size_t>(rows));
    for (int i = 0; i < rows; ++i) entries.push_back(L"1:Program" + std::to_wstring(i) + L".exe");
    s.SL_Exclude_WindowClass = entries;
    s.SL_Exclude_AppFileName = entries;
    s.SL_Exclude_AppFileName2 = entries;
    s.WriteToUIExcludeList();
    s.WriteToUIExcludeList2();
    const int runs = rows > 1'000 ? 5 : 51;
    int walked = 0;
    const Timing walk = Measure(runs, [](int) {}, [&] {
      walked = main->vstExclude_WindowClass.TotalCount() + main->vstExclude_AppName.TotalCount() +
               main->vstExclude_AppName2.TotalCount();
    });
    const Timing read = Measure(runs, [](int) {}, [&] { s.ReadFromUI(); });
    // The lists come back from the trees with the settings window's separator.
    if (walked != 3 * rows || s.SL_Exclude_AppFileName2.size() != static_cast<size_t>(rows) ||
        s.SL_Exclude_AppFileName2.front() != L"1;Program0.exe") {
      std::fprintf(stderr, "the trees do not hold the %d rows\n", rows);
      return 1;
    }
    std::printf("exclusion_trees_walk_%d_us %.1f\n", rows, walk.TotalUs);
    std::printf("read_pages_back_%d_us %.1f\n", rows, read.TotalUs);
    std::fflush(stdout);
  }

  testing_support::ResetProgramState();

  // Last, with the benchmark's own windows gone: the real program, started as the user starts it.
  std::printf("start_to_window_ms %.0f\n", bench::StartToWindowMs(5));
  return 0;
}
