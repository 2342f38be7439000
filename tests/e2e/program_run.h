#pragma once
// The real Halvarin.exe, started from a folder of its own, watched from outside as a user would
// see it: its windows, its files, its exit code.
#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>

namespace e2e {

class ProgramRun {
 public:
  // A new empty folder with a copy of the program in it.
  explicit ProgramRun(bool portable);
  ~ProgramRun();
  ProgramRun(const ProgramRun&) = delete;
  ProgramRun& operator=(const ProgramRun&) = delete;

  const std::filesystem::path& Folder() const { return m_folder; }
  void WriteFile(const std::filesystem::path& relative, const std::string& bytes) const;
  std::string ReadFile(const std::filesystem::path& relative) const;

  void Start();
  bool Running() const;
  // The process's visible main window ("Halvarin"), waited for up to the deadline.
  HWND WaitForMainWindow(int timeoutMs = 15000) const;
  // The exit code once the process has ended within the deadline; -1 when it still runs.
  long WaitForExit(int timeoutMs = 15000) const;
  void Kill();
  DWORD ProcessId() const { return m_pi.dwProcessId; }

 private:
  std::filesystem::path m_folder;
  PROCESS_INFORMATION m_pi{};
};

// Polls pred until it holds or the deadline passes.
bool Eventually(const std::function<bool()>& pred, int timeoutMs = 10000);

// The test desktop's taskbar, waited for: the Wine desktop process makes it, started here when
// no process of the session runs it, which takes a while on a busy machine. Null when it never
// came.
HWND WaitForTaskbar(int timeoutMs = 30000);

}  // namespace e2e
