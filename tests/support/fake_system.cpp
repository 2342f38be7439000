#include "support/fake_system.h"

#include <algorithm>
#include <utility>

#include "os/error.h"
#include "os/text.h"

namespace testing_support {
namespace {

class FakeMutex final : public os::NamedMutex {
 public:
  FakeMutex(std::set<std::wstring>& open, std::wstring name) : m_open(open), m_name(std::move(name)) {
    m_open.insert(m_name);
  }
  ~FakeMutex() override { m_open.erase(m_name); }

 private:
  std::set<std::wstring>& m_open;
  std::wstring m_name;
};

}  // namespace

FakeSystem::FakeSystem() {
  SysColors[24] = 0xE1FFFF;  // COLOR_INFOBK on the standard scheme: FFFFE1 as RRGGBB
  SysColors[15] = 0xF0F0F0;
  Folders[0x1A] = L"C:\\Users\\user\\AppData\\Roaming";
  Folders[0x24] = L"C:\\Windows";
  Folders[0x25] = L"C:\\Windows\\system32";
  AddFolder(L"C:\\Programs\\Halvarin");
  AddFolder(L"C:\\Users\\user\\AppData\\Roaming");
  AddLocale(0x0409, L"en", L"US", L"English (United States)", L"ENU", L"USA");
}

void FakeSystem::AddLocale(unsigned languageId, const std::wstring& iso639,
                           const std::wstring& iso3166, const std::wstring& name,
                           const std::wstring& abbrev, const std::wstring& countryAbbrev) {
  Locales[{languageId, os::kLocaleSIso639LangName}] = iso639;
  Locales[{languageId, os::kLocaleSIso3166CtryName}] = iso3166;
  Locales[{languageId, os::kLocaleSLanguage}] = name;
  Locales[{languageId, os::kLocaleSAbbrevLangName}] = abbrev;
  if (!countryAbbrev.empty()) Locales[{languageId, os::kLocaleSAbbrevCtryName}] = countryAbbrev;
}

std::vector<std::uint64_t> FakeSystem::KeyboardLayoutList() {
  if (KeyboardLayoutListFails) throw os::Error(L"Error loading keyboard layout list");
  return KeyboardLayouts;
}

std::wstring FakeSystem::LocaleValue(unsigned languageId, unsigned lcType) {
  auto it = Locales.find({languageId, lcType});
  return it == Locales.end() ? std::wstring() : it->second;
}

std::wstring FakeSystem::LanguageName(unsigned languageId) {
  auto it = LanguageNames.find(languageId);
  return it == LanguageNames.end() ? std::wstring() : it->second;
}

std::wstring FakeSystem::Key(const std::wstring& path) {
  std::wstring k = os::ToUpperAscii(path);
  while (k.size() > 3 && k.back() == L'\\') k.pop_back();
  return k;
}

std::wstring FakeSystem::ParentOf(const std::wstring& path) {
  const std::wstring k = Key(path);
  const auto pos = k.find_last_of(L'\\');
  return pos == std::wstring::npos ? std::wstring() : k.substr(0, pos);
}

void FakeSystem::AddFile(const std::wstring& path, const std::string& bytes) {
  AddFolder(ParentOf(path));
  m_files[Key(path)] = bytes;
}

void FakeSystem::AddFolder(const std::wstring& path) {
  std::wstring k = Key(path);
  while (!k.empty() && k.back() != L':') {
    m_folders.insert(k);
    k = ParentOf(k);
  }
}

bool FakeSystem::HasFile(const std::wstring& path) const { return m_files.count(Key(path)) != 0; }

std::string FakeSystem::FileText(const std::wstring& path) const {
  auto it = m_files.find(Key(path));
  return it == m_files.end() ? std::string() : it->second;
}

std::vector<std::wstring> FakeSystem::FilesIn(const std::wstring& folder) const {
  std::vector<std::wstring> names;
  const std::wstring dir = Key(folder);
  for (const auto& [path, bytes] : m_files) {
    if (ParentOf(path) == dir) names.push_back(path.substr(dir.size() + 1));
  }
  return names;
}

std::wstring FakeSystem::ExecutablePath() { return ExePath; }

std::unique_ptr<os::NamedMutex> FakeSystem::CreateNamedMutex(const std::wstring& name,
                                                             bool& alreadyExisted) {
  alreadyExisted = false;
  if (MutexCreationFails) return nullptr;
  if (OpenMutexes.count(name) != 0) {
    alreadyExisted = true;
    return std::make_unique<os::NamedMutex>();  // a handle to the existing one
  }
  return std::make_unique<FakeMutex>(OpenMutexes, name);
}

bool FakeSystem::FileExists(const std::wstring& path) { return HasFile(path); }

bool FakeSystem::DirectoryExists(const std::wstring& path) {
  const std::wstring k = Key(path);
  return m_folders.count(k) != 0 || (k.size() == 2 && k[1] == L':');
}

bool FakeSystem::CreateFolder(const std::wstring& path) {
  const std::wstring k = Key(path);
  if (FailFolders.count(k) != 0) return false;
  if (!DirectoryExists(ParentOf(k)) || HasFile(k)) return false;
  m_folders.insert(k);
  return true;
}

std::string FakeSystem::ReadFile(const std::wstring& path) {
  auto it = m_files.find(Key(path));
  if (it == m_files.end() || FailReadsFrom.count(Key(path)) != 0) {
    throw os::Error(L"Cannot open file \"" + path + L"\". The process cannot access the file.");
  }
  return it->second;
}

void FakeSystem::WriteFile(const std::wstring& path, std::string_view bytes) {
  if (FailWritesTo.count(Key(path)) != 0 || !DirectoryExists(ParentOf(path))) {
    throw os::Error(L"Cannot create file \"" + path + L"\". Access is denied.");
  }
  m_files[Key(path)] = std::string(bytes);
}

void FakeSystem::MoveFileReplace(const std::wstring& from, const std::wstring& to) {
  auto it = m_files.find(Key(from));
  if (it == m_files.end() || FailWritesTo.count(Key(to)) != 0) {
    throw os::Error(L"Cannot replace file \"" + to + L"\". Access is denied.");
  }
  std::string bytes = std::move(it->second);
  m_files.erase(it);
  m_files[Key(to)] = std::move(bytes);
  ++Replacements[Key(to)];
}

int FakeSystem::ReplacementsOf(const std::wstring& path) const {
  auto it = Replacements.find(Key(path));
  return it == Replacements.end() ? 0 : it->second;
}

void FakeSystem::CopyFileTo(const std::wstring& from, const std::wstring& to) {
  auto it = m_files.find(Key(from));
  if (it == m_files.end() || FailWritesTo.count(Key(to)) != 0) {
    throw os::Error(L"Cannot copy file \"" + from + L"\". Access is denied.");
  }
  m_files[Key(to)] = it->second;
}

bool FakeSystem::RemoveFile(const std::wstring& path) { return m_files.erase(Key(path)) != 0; }

std::wstring FakeSystem::GetFolderPath(int csidl) {
  auto it = Folders.find(csidl);
  return it == Folders.end() ? std::wstring() : it->second;
}

int FakeSystem::ScreenPixelsPerInch() { return Dpi; }
os::Rect FakeSystem::PrimaryMonitorRect() { return Monitor; }
bool FakeSystem::RectOnAnyMonitor(const os::Rect& r) {
  auto overlaps = [&r](const os::Rect& m) {
    return r.Left < m.Right && m.Left < r.Right && r.Top < m.Bottom && m.Top < r.Bottom;
  };
  return overlaps(Monitor) || std::any_of(OtherMonitors.begin(), OtherMonitors.end(), overlaps);
}
os::Rect FakeSystem::PrimaryWorkArea() { return WorkArea; }
std::vector<os::Rect> FakeSystem::MonitorWorkAreas() {
  std::vector<os::Rect> areas{WorkArea};
  areas.insert(areas.end(), OtherMonitors.begin(), OtherMonitors.end());
  return areas;
}
os::Rect FakeSystem::TaskbarWindowRect() {
  if (TaskbarError) throw os::Error(*TaskbarError);
  return Taskbar;
}
os::Point FakeSystem::CursorPos() { return Cursor; }

os::TColor FakeSystem::GetSysColor(int index) {
  auto it = SysColors.find(index);
  return it == SysColors.end() ? 0 : it->second;
}

std::int64_t FakeSystem::PerformanceCounter() { return Counter; }
std::int64_t FakeSystem::PerformanceFrequency() { return Frequency; }
void FakeSystem::Sleep(unsigned milliseconds) { Sleeps.push_back(milliseconds); }

std::optional<bool> FakeSystem::CurrentUserValueExists(const std::wstring& key,
                                                       const std::wstring& valueName) {
  if (RegistryKeyOpenFails) return std::nullopt;
  auto it = Registry.find(os::ToUpperAscii(key));
  if (it == Registry.end()) return std::nullopt;
  return it->second.count(os::ToUpperAscii(valueName)) != 0;
}

// ===== Registry writes =====

void FakeSystem::WriteCurrentUserString(const std::wstring& key, const std::wstring& valueName,
                                        const std::wstring& data) {
  if (RegistryKeyOpenFails) throw os::Error(L"Cannot open the registry key \"" + key + L"\".");
  auto& names = Registry[os::ToUpperAscii(key)];
  if (RegistryWriteFails) throw os::Error(L"Failed to set data for '" + valueName + L"'");
  names.insert(os::ToUpperAscii(valueName));
  RegistryData[{os::ToUpperAscii(key), os::ToUpperAscii(valueName)}] = data;
}

void FakeSystem::DeleteCurrentUserValue(const std::wstring& key, const std::wstring& valueName) {
  auto it = Registry.find(os::ToUpperAscii(key));
  if (it == Registry.end()) return;
  if (RegistryKeyOpenFails) throw os::Error(L"Cannot open the registry key \"" + key + L"\".");
  if (RegistryDeleteFails) throw os::Error(L"Failed to delete '" + valueName + L"'");
  it->second.erase(os::ToUpperAscii(valueName));
  RegistryData.erase({os::ToUpperAscii(key), os::ToUpperAscii(valueName)});
}

// ===== end of the registry writes =====

int FakeSystem::ShowMessageBox(os::WindowId owner, const std::wstring& text,
                               const std::wstring& caption, unsigned flags) {
  MessageBoxes.push_back({owner, text, caption, flags});
  if (DuringMessageBox) DuringMessageBox();
  return MessageBoxAnswer;
}

// ===== Colour dialog =====

std::optional<os::TColor> FakeSystem::ShowColorDialog(os::WindowId owner, os::TColor initial,
                                                  bool fullOpen) {
  ColorDialogCalls.push_back({owner, initial, fullOpen});
  const size_t next = ColorDialogCalls.size() - 1;
  if (next >= ColorDialogAnswers.size()) return std::nullopt;
  const ColorDialogAnswer& answer = ColorDialogAnswers[next];
  switch (answer.What) {
    case ColorDialogAnswer::Keep: return initial;
    case ColorDialogAnswer::Choose: return answer.Color;
    case ColorDialogAnswer::Cancel: break;
  }
  return std::nullopt;
}

// ===== end of the colour dialog =====

std::optional<std::wstring> FakeSystem::ShowOpenFileDialog(os::WindowId owner) {
  OpenDialogCalls.push_back(owner);
  const size_t next = OpenDialogCalls.size() - 1;
  if (next >= OpenDialogAnswers.size()) return std::nullopt;
  return OpenDialogAnswers[next];
}

// ===== Scripted desktop: windows, layouts, carets, keys =====

os::WindowId FakeSystem::AddApp(const std::wstring& imagePath, const std::wstring& className,
                                std::uint64_t layout, os::Rect bounds) {
  const unsigned process = m_nextProcess += 4;
  const unsigned thread = m_nextThread += 4;
  Processes[process].ImagePath = imagePath;
  Threads[thread] = FakeThread{process, layout, {}, {}, {}};
  FakeWindow window;
  window.ClassName = className;
  window.ThreadId = thread;
  window.Bounds = bounds;
  window.ClientOrigin = {bounds.Left, bounds.Top};
  return AddWindow(std::move(window));
}

os::WindowId FakeSystem::AddWindow(FakeWindow window) {
  const os::WindowId id{m_nextWindow += 0x10};
  Windows[id] = std::move(window);
  return id;
}

FakeWindow& FakeSystem::Window(os::WindowId window) { return Windows.at(window); }
FakeThread& FakeSystem::ThreadOf(os::WindowId window) { return Threads.at(Window(window).ThreadId); }
FakeProcess& FakeSystem::ProcessOf(os::WindowId window) {
  return Processes.at(ThreadOf(window).ProcessId);
}

void FakeSystem::SwitchLayout(os::WindowId window, std::uint64_t layout) {
  ThreadOf(window).Layout = layout;
}

void FakeSystem::PlaceCaret(os::WindowId window, os::Rect caretInClient) {
  FakeThread& thread = ThreadOf(window);
  thread.Focus = window;
  thread.CaretWindow = window;
  thread.Caret = caretInClient;
}

std::uint64_t FakeSystem::ThreadKeyboardLayout(unsigned threadId) {
  auto it = Threads.find(threadId);
  return it == Threads.end() ? 0 : it->second.Layout;
}

os::WindowId FakeSystem::ForegroundWindow() {
  if (ForegroundError) throw os::Error(*ForegroundError);
  return Foreground;
}

os::ThreadProcess FakeSystem::WindowThreadProcess(os::WindowId window) {
  auto w = Windows.find(window);
  if (w == Windows.end()) return {};
  auto t = Threads.find(w->second.ThreadId);
  return {w->second.ThreadId, t == Threads.end() ? 0u : t->second.ProcessId};
}

os::WindowId FakeSystem::WindowFromPoint(os::Point p) {
  for (auto it = Windows.rbegin(); it != Windows.rend(); ++it) {
    const os::Rect& b = it->second.Bounds;
    if (it->second.Visible && p.X >= b.Left && p.X < b.Right && p.Y >= b.Top && p.Y < b.Bottom) {
      return it->first;
    }
  }
  return {};
}

std::wstring FakeSystem::WindowClassName(os::WindowId window) {
  if (window == Desktop) return L"#32769";  // the desktop window of the walk
  auto it = Windows.find(window);
  return it == Windows.end() ? std::wstring() : it->second.ClassName;
}

std::optional<std::wstring> FakeSystem::ProcessImagePath(unsigned processId) {
  auto it = Processes.find(processId);
  if (it == Processes.end() || it->second.CannotOpen || it->second.ImagePath.empty()) {
    return std::nullopt;
  }
  return it->second.ImagePath;
}

bool FakeSystem::KeyToggled(int virtualKey) { return KeysToggled.count(virtualKey) != 0; }
bool FakeSystem::KeyDown(int virtualKey) { return KeysDown.count(virtualKey) != 0; }

os::GuiThreadInfo FakeSystem::GuiThread(unsigned threadId) {
  auto it = Threads.find(threadId);
  if (it == Threads.end()) return {};
  return {it->second.Focus, it->second.CaretWindow, it->second.Caret};
}

std::optional<os::Point> FakeSystem::ClientToScreen(os::WindowId window, os::Point client) {
  auto it = Windows.find(window);
  if (it == Windows.end()) return std::nullopt;
  return os::Point{it->second.ClientOrigin.X + client.X, it->second.ClientOrigin.Y + client.Y};
}

std::optional<os::Rect> FakeSystem::AccessibleCaret(os::WindowId window) {
  AccessibleCaretQueries.push_back(window);
  auto it = Windows.find(window);
  return it == Windows.end() ? std::nullopt : it->second.AccessibleCaret;
}

// ===== end of the scripted desktop =====

ScopedFakeSystem::ScopedFakeSystem() { os::SetSystem(&m_fake); }

ScopedFakeSystem::~ScopedFakeSystem() { os::SetSystem(nullptr); }

}  // namespace testing_support
