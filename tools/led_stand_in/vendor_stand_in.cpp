// A stand-in for the keyboard maker's desktop software, for the tests under Wine: a process of
// its file name with a window of its title. Like the real software, which lives on in the
// notification area, closing the window only hides it; the test that started it ends it.
#include <windows.h>

namespace {

LRESULT CALLBACK StandInProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CLOSE) {
    ::ShowWindow(hwnd, SW_HIDE);
    return 0;
  }
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = StandInProc;
  wc.hInstance = instance;
  wc.lpszClassName = L"HalvarinVendorStandIn";
  ::RegisterClassW(&wc);
  // No-break spaces between the words, as the vendor's own title has them. Never activated: the
  // tests of other suites share the desktop and watch its foreground.
  const HWND window =
      ::CreateWindowExW(WS_EX_NOACTIVATE, wc.lpszClassName, L"Logitech\u00A0G\u00A0HUB",
                        WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr, instance, nullptr);
  ::ShowWindow(window, SW_SHOWNOACTIVATE);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
