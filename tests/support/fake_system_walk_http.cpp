// The scripted desktop's window tree, input attachments, clipboard and HTTP.
#include <vector>

#include "support/fake_system.h"

namespace testing_support {
namespace {

class FakeInputAttachment final : public os::InputAttachment {
 public:
  explicit FakeInputAttachment(int& open) : m_open(open) { ++m_open; }
  ~FakeInputAttachment() override { --m_open; }

 private:
  int& m_open;
};

}  // namespace

os::WindowId FakeSystem::WindowParent(os::WindowId window) const {
  auto it = Parents.find(window);
  return it == Parents.end() ? Desktop : it->second;
}

os::WindowId FakeSystem::AddChildWindow(os::WindowId parent, const std::wstring& className,
                                        bool visible) {
  FakeWindow child;
  child.ClassName = className;
  child.ThreadId = Window(parent).ThreadId;
  child.Visible = visible;
  const os::WindowId id = AddWindow(std::move(child));
  Parents[id] = parent;
  return id;
}

void FakeSystem::DestroyWindow(os::WindowId window) {
  std::vector<os::WindowId> below;
  for (const auto& [id, w] : Windows) {
    if (id != window && WindowParent(id) == window) below.push_back(id);
  }
  for (os::WindowId id : below) DestroyWindow(id);
  Windows.erase(window);
  Parents.erase(window);
  NextSibling.erase(window);
  Titles.erase(window);
}

os::WindowId FakeSystem::DesktopWindow() { return Desktop; }

os::WindowId FakeSystem::FirstChildWindow(os::WindowId window) {
  if (window != Desktop && Windows.count(window) == 0) return {};
  for (auto it = Windows.rbegin(); it != Windows.rend(); ++it) {
    if (WindowParent(it->first) == window) return it->first;
  }
  return {};
}

os::WindowId FakeSystem::NextSiblingWindow(os::WindowId window) {
  if (Windows.count(window) == 0) return {};  // GetWindow on a destroyed window gives 0
  if (auto link = NextSibling.find(window); link != NextSibling.end()) return link->second;
  const os::WindowId parent = WindowParent(window);
  for (auto it = std::make_reverse_iterator(Windows.find(window)); it != Windows.rend(); ++it) {
    if (WindowParent(it->first) == parent) return it->first;
  }
  return {};
}

bool FakeSystem::IsWindowVisible(os::WindowId window) {
  // Visible only with every window above it visible, as the system answers.
  for (os::WindowId w = window; w != Desktop; w = WindowParent(w)) {
    auto it = Windows.find(w);
    if (it == Windows.end() || !it->second.Visible) return false;
  }
  return true;
}

std::wstring FakeSystem::WindowText(os::WindowId window, int maxChars) {
  if (OnWindowText) OnWindowText(window);
  auto it = Titles.find(window);
  if (it == Titles.end() || Windows.count(window) == 0 || maxChars <= 0) return {};
  return it->second.substr(0, static_cast<size_t>(maxChars));
}

std::unique_ptr<os::InputAttachment> FakeSystem::AttachThreadInput(unsigned threadId) {
  InputAttaches.push_back(threadId);
  if (AttachRefused.count(threadId) != 0 || Threads.count(threadId) == 0) return nullptr;
  return std::make_unique<FakeInputAttachment>(OpenAttachments);
}

bool FakeSystem::SetClipboardText(const std::wstring& text) {
  ++ClipboardAttempts;
  if (ClipboardBusyAttempts > 0) {
    --ClipboardBusyAttempts;
    return false;
  }
  Clipboard = text;
  return true;
}

os::HttpResult FakeSystem::HttpGet(const std::wstring& url, const os::HttpOptions& options) {
  {
    std::lock_guard lock(m_httpMutex);
    m_httpRequests.push_back(url);
    m_lastHttpOptions = options;
  }
  if (HttpAnswer) return HttpAnswer(url, options);
  os::HttpResult none;
  none.Error = L"Connect: no network";
  return none;
}

std::vector<std::wstring> FakeSystem::HttpRequests() const {
  std::lock_guard lock(m_httpMutex);
  return m_httpRequests;
}

os::HttpOptions FakeSystem::LastHttpOptions() const {
  std::lock_guard lock(m_httpMutex);
  return m_lastHttpOptions;
}

}  // namespace testing_support
