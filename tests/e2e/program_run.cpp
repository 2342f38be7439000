#include "program_run.h"

#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>

namespace e2e {
namespace fs = std::filesystem;

namespace {

fs::path OwnFolder() {
  wchar_t path[MAX_PATH];
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return fs::path(path).parent_path();
}

struct FindWindowData {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK FindMainWindow(HWND hwnd, LPARAM lp) {
  auto* data = reinterpret_cast<FindWindowData*>(lp);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  wchar_t title[64] = {};
  ::GetWindowTextW(hwnd, title, 64);
  if (pid == data->pid && ::IsWindowVisible(hwnd) && std::wstring(title) == L"Halvarin") {
    data->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

bool Eventually(const std::function<bool()>& pred, int timeoutMs) {
  const ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
  while (!pred()) {
    if (::GetTickCount64() > deadline) return false;
    ::Sleep(20);
  }
  return true;
}

HWND WaitForTaskbar(int timeoutMs) {
  // Wine's desktop process, which makes the taskbar, starts on the first call that needs the
  // desktop window and ends soon after the last process of the session: between two test
  // executables it may be gone. FindWindow does not start it again, the desktop window does.
  ::GetDesktopWindow();
  HWND taskbar = nullptr;
  Eventually(
      [&] {
        taskbar = ::FindWindowW(L"Shell_TrayWnd", nullptr);
        RECT r{};
        return taskbar != nullptr && ::GetWindowRect(taskbar, &r) && r.right > r.left;
      },
      timeoutMs);
  return taskbar;
}

ProgramRun::ProgramRun(bool portable) {
  static int counter = 0;
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  m_folder = fs::path(temp) / ("halvarin e2e " + std::to_string(::GetCurrentProcessId()) + "-" +
                               std::to_string(++counter));
  fs::remove_all(m_folder);
  fs::create_directories(m_folder);
  fs::copy_file(OwnFolder() / "Halvarin.exe", m_folder / "Halvarin.exe");
  if (portable) WriteFile("portable.txt", "");
}

ProgramRun::~ProgramRun() {
  Kill();
  std::error_code ignored;
  fs::remove_all(m_folder, ignored);
}

void ProgramRun::WriteFile(const fs::path& relative, const std::string& bytes) const {
  fs::create_directories((m_folder / relative).parent_path());
  std::ofstream(m_folder / relative, std::ios::binary) << bytes;
}

std::string ProgramRun::ReadFile(const fs::path& relative) const {
  // Opened with every kind of sharing and held only for the read: the program writes its files
  // to a temporary file and moves that over the old one, which no open handle allows under Wine
  // (the program tries the move again for a while, as a test that polls a file meets its save).
  const HANDLE file = ::CreateFileW((m_folder / relative).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char chunk[4096];
  DWORD read = 0;
  while (::ReadFile(file, chunk, sizeof(chunk), &read, nullptr) && read > 0) {
    bytes.append(chunk, read);
  }
  ::CloseHandle(file);
  return bytes;
}

void ProgramRun::Start() {
  // The program reads the taskbar's place at its start (its border lines frame it).
  WaitForTaskbar();
  STARTUPINFOW si{sizeof(si)};
  std::wstring exe = (m_folder / "Halvarin.exe").wstring();
  std::wstring cmd = L"\"" + exe + L"\"";
  if (!::CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        m_folder.wstring().c_str(), &si, &m_pi)) {
    throw std::runtime_error("cannot start Halvarin.exe: error " +
                             std::to_string(::GetLastError()));
  }
}

bool ProgramRun::Running() const {
  return m_pi.hProcess != nullptr && ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT;
}

HWND ProgramRun::WaitForMainWindow(int timeoutMs) const {
  FindWindowData data{m_pi.dwProcessId, nullptr};
  Eventually(
      [&] {
        ::EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&data));
        return data.found != nullptr || !Running();
      },
      timeoutMs);
  return data.found;
}

long ProgramRun::WaitForExit(int timeoutMs) const {
  if (m_pi.hProcess == nullptr) return -1;
  if (::WaitForSingleObject(m_pi.hProcess, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  ::GetExitCodeProcess(m_pi.hProcess, &code);
  return static_cast<long>(code);
}

void ProgramRun::Kill() {
  if (m_pi.hProcess == nullptr) return;
  if (Running()) {
    ::TerminateProcess(m_pi.hProcess, 99);
    ::WaitForSingleObject(m_pi.hProcess, 5000);
  }
  ::CloseHandle(m_pi.hThread);
  ::CloseHandle(m_pi.hProcess);
  m_pi = {};
}

}  // namespace e2e
