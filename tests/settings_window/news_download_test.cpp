// The news download: what reaches the news file for each answer, the UI thread going on while
// the answer is slow, and nothing touched once the program's end has begun.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <future>
#include <string>

#include "core/common.h"
#include "os/text.h"
#include "settings_window/news_download.h"
#include "support/fake_system.h"
#include "support/program_state.h"
#include "ui/application.h"
#include "ui/timer.h"

namespace {

constexpr wchar_t kFolder[] = L"C:\\Work\\Settings\\";
constexpr wchar_t kNews[] = L"C:\\Work\\Settings\\News-Halvarin.html";

os::HttpResult Answer(int status, std::string body) {
  os::HttpResult r;
  r.Answered = true;
  r.Status = status;
  r.Body = std::move(body);
  return r;
}

class NewsDownload : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::ResetProgramState();
    sys->AddFile(kNews, "<p>old news</p>");
    core::PathSettings = kFolder;
  }
  void TearDown() override { testing_support::ResetProgramState(); }

  // Fires the one-shot timer's handler and waits for the worker.
  settings_window::NewsOutcome RunOnce() {
    ui::Timer timer;
    timer.SetInterval(60000);
    timer.SetEnabled(true);
    settings_window::TNewsDownload download;
    settings_window::TimerUpdateTimer(timer, download);
    EXPECT_FALSE(timer.Enabled()) << "the timer fires once";
    return download.Wait();
  }

  testing_support::ScopedFakeSystem sys;
};

TEST_F(NewsDownload, OnlyAPageAnswerReplacesTheFile) {
  using settings_window::NewsOutcome;
  struct Case {
    const char* What;
    bool Answered;
    int Status;
    std::string Body;
    NewsOutcome Outcome;
    std::string File;
  };
  const Case cases[] = {
      {"200", true, 200, "<p>new</p>", NewsOutcome::Saved, "<p>new</p>"},
      {"200, empty", true, 200, "", NewsOutcome::Saved, ""},
      {"404 with a page", true, 404, "<h1>Not Found</h1>", NewsOutcome::NotSaved,
       "<p>old news</p>"},
      {"no network", false, 0, "", NewsOutcome::NoAnswer, "<p>old news</p>"},
  };
  for (const Case& c : cases) {
    sys->AddFile(kNews, "<p>old news</p>");
    sys->HttpAnswer = [&c](const std::wstring&, const os::HttpOptions&) {
      os::HttpResult r = Answer(c.Status, c.Body);
      r.Answered = c.Answered;
      return r;
    };
    EXPECT_EQ(RunOnce(), c.Outcome) << c.What;
    EXPECT_TRUE(sys->HasFile(kNews)) << c.What;
    EXPECT_EQ(sys->FileText(kNews), c.File) << c.What;
    EXPECT_EQ(sys->FilesIn(kFolder).size(), 1u) << c.What << ": no temporary file stays";
  }
}

TEST_F(NewsDownload, AFailedWriteLeavesThePreviousFile) {
  sys->HttpAnswer = [](const std::wstring&, const os::HttpOptions&) { return Answer(200, "new"); };
  for (const std::wstring& failing :
       {std::wstring(kNews) + L".DOWNLOAD", std::wstring(kNews)}) {  // the write, the rename
    sys->FailWritesTo = {os::ToUpperAscii(failing)};
    EXPECT_EQ(RunOnce(), settings_window::NewsOutcome::WriteFailed);
    EXPECT_EQ(sys->FileText(kNews), "<p>old news</p>");
    EXPECT_EQ(sys->FilesIn(kFolder).size(), 1u);
  }
  EXPECT_TRUE(sys->MessageBoxes.empty()) << "the user is not bothered";
}

// The user agent it names is checked beside the version label it repeats (the About wiring).
TEST_F(NewsDownload, TheRequestGoesToTheNewsAddressWithTimeOuts) {
  sys->HttpAnswer = [](const std::wstring&, const os::HttpOptions&) { return Answer(200, "x"); };
  RunOnce();
  ASSERT_EQ(sys->HttpRequests(), std::vector<std::wstring>{
                                     L"http://halvarin.example/update/News-Halvarin.html"});
  const os::HttpOptions o = sys->LastHttpOptions();
  for (int t : {o.ResolveTimeout, o.ConnectTimeout, o.SendTimeout, o.ReceiveTimeout}) {
    EXPECT_GT(t, 0);
    EXPECT_LE(t, 10000) << "a few seconds each";
  }
  EXPECT_EQ(o.TotalTimeout, settings_window::kNewsDeadlineMs) << "and a deadline for the whole";
  EXPECT_LE(o.TotalTimeout, 60000);
}

TEST_F(NewsDownload, TheUiThreadGoesOnWhileTheAnswerIsSlow) {
  std::promise<void> release;
  std::shared_future<void> gate = release.get_future().share();
  sys->HttpAnswer = [gate](const std::wstring&, const os::HttpOptions&) {
    // Bounded only so that a broken build cannot hang the suite.
    if (gate.wait_for(std::chrono::seconds(60)) != std::future_status::ready) return os::HttpResult{};
    return Answer(200, "late news");
  };
  ui::Timer updateTimer;
  updateTimer.SetEnabled(true);
  settings_window::TNewsDownload download;
  settings_window::TimerUpdateTimer(updateTimer, download);
  ASSERT_TRUE(download.Running()) << "the handler returned before the answer came";

  // Another timer of the UI thread, as the monitoring pass's, keeps firing meanwhile.
  int passes = 0;
  ui::Timer pass;
  pass.SetInterval(1);
  pass.OnTimer = [&passes] { ++passes; };
  pass.SetEnabled(true);
  for (int round = 0; passes < 3 && round < 3000; ++round) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  EXPECT_TRUE(download.Running());
  EXPECT_EQ(sys->FileText(kNews), "<p>old news</p>");

  release.set_value();
  EXPECT_EQ(download.Wait(), settings_window::NewsOutcome::Saved);
  EXPECT_EQ(sys->FileText(kNews), "late news");
}

// Even a request that never gives up (a name look-up that hangs, say) does not hold the end of
// the program, and its late answer is not written.
TEST_F(NewsDownload, ItsEndIsBoundedEvenWhenTheRequestDoesNotGiveUp) {
  std::promise<void> release;
  std::shared_future<void> gate = release.get_future().share();
  std::atomic<HANDLE> worker{nullptr};
  sys->HttpAnswer = [gate, &worker](const std::wstring&, const os::HttpOptions&) {
    worker = ::OpenThread(SYNCHRONIZE, FALSE, ::GetCurrentThreadId());
    // Bounded only so that a broken build cannot hang the suite.
    gate.wait_for(std::chrono::seconds(20));
    return Answer(200, "late news");
  };
  std::chrono::steady_clock::time_point end;
  {
    settings_window::TNewsDownload download;
    download.Start(kFolder);
    for (int round = 0; worker.load() == nullptr && round < 2000; ++round) ::Sleep(10);
    ASSERT_NE(worker.load(), nullptr) << "the request was made";
    end = std::chrono::steady_clock::now();
  }
  const auto took = std::chrono::steady_clock::now() - end;
  // Generous: this checks for a hang, not for speed.
  EXPECT_LT(took, std::chrono::seconds(3));

  release.set_value();
  ASSERT_EQ(::WaitForSingleObject(worker.load(), 20000), WAIT_OBJECT_0);
  ::CloseHandle(worker.load());
  EXPECT_EQ(sys->FileText(kNews), "<p>old news</p>");
  EXPECT_EQ(sys->FilesIn(kFolder).size(), 1u);
}

// A System whose page write lasts until the test has let it go (or a few seconds), and which
// counts every call made after that, as the real one would be gone by then.
class SlowSaveSystem : public testing_support::FakeSystem {
 public:
  std::atomic<bool> Gone{false};
  std::atomic<int> CallsAfterGone{0};
  std::atomic<bool> Writing{false};

  void WriteFile(const std::wstring& path, std::string_view bytes) override {
    Note();
    Writing = true;
    // Bounded only so that an end that waits for the write goes on.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (!Gone.load() && std::chrono::steady_clock::now() < giveUp) ::Sleep(10);
    FakeSystem::WriteFile(path, bytes);
  }
  void MoveFileReplace(const std::wstring& from, const std::wstring& to) override {
    Note();
    FakeSystem::MoveFileReplace(from, to);
  }
  bool RemoveFile(const std::wstring& path) override {
    Note();
    return FakeSystem::RemoveFile(path);
  }
  os::HttpResult HttpGet(const std::wstring& url, const os::HttpOptions& options) override {
    Note();
    return FakeSystem::HttpGet(url, options);
  }

 private:
  void Note() {
    if (Gone.load()) ++CallsAfterGone;
  }
};

// The end comes while the page is being written, and the write outlasts the end's wait for the
// worker: the save under way is waited for, and nothing comes after.
TEST_F(NewsDownload, NothingTouchesTheSystemOrTheFileOnceTheEndIsOver) {
  SlowSaveSystem slow;
  slow.AddFile(kNews, "<p>old news</p>");
  std::atomic<HANDLE> worker{nullptr};
  slow.HttpAnswer = [&worker](const std::wstring&, const os::HttpOptions&) {
    worker = ::OpenThread(SYNCHRONIZE, FALSE, ::GetCurrentThreadId());
    return Answer(200, "late news");
  };
  os::SetSystem(&slow);
  struct Restore {
    os::System* Previous;
    ~Restore() { os::SetSystem(Previous); }
  } restore{&*sys};
  {
    settings_window::TNewsDownload download;
    download.Start(kFolder);
    for (int round = 0; !slow.Writing.load() && round < 2000; ++round) ::Sleep(10);
    ASSERT_TRUE(slow.Writing.load()) << "the page is being written";
  }
  slow.Gone = true;  // as wWinMain destroys the System after the main window
  ASSERT_NE(worker.load(), nullptr);
  ASSERT_EQ(::WaitForSingleObject(worker.load(), 20000), WAIT_OBJECT_0);
  ::CloseHandle(worker.load());
  EXPECT_EQ(slow.CallsAfterGone.load(), 0);
  EXPECT_EQ(slow.FileText(kNews), "late news") << "the save under way was finished";
  EXPECT_EQ(slow.FilesIn(kFolder).size(), 1u) << "no temporary file stays";
}

}  // namespace
