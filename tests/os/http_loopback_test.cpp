// The real HTTP client (WinHTTP) against a scripted server of the test's own on the loopback
// address: slow, cut short, reset and redirecting answers, and the end of the news download
// while a server trickles.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "core/common.h"
#include "os/text.h"
#include "os/win32/win32_system.h"
#include "settings_window/news_download.h"
#include "support/fake_system.h"
#include "support/program_state.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// One accepted connection, as a script sees it. Every wait ends when the server stops.
class Peer {
 public:
  Peer(SOCKET socket, HANDLE stop, std::string request)
      : m_socket(socket), m_stop(stop), m_request(std::move(request)) {}

  const std::string& Request() const { return m_request; }

  // False when the client has gone.
  bool Send(std::string_view bytes) {
    while (!bytes.empty()) {
      const int sent = ::send(m_socket, bytes.data(), static_cast<int>(bytes.size()), 0);
      if (sent <= 0) return false;
      bytes.remove_prefix(static_cast<size_t>(sent));
    }
    return true;
  }

  // One byte, then a pause, and so on; false when the client has gone or the server stops.
  bool Trickle(std::string_view bytes, std::chrono::milliseconds gap) {
    for (char c : bytes) {
      if (!Send(std::string_view(&c, 1))) return false;
      if (::WaitForSingleObject(m_stop, static_cast<DWORD>(gap.count())) == WAIT_OBJECT_0) {
        return false;
      }
    }
    return true;
  }

  // Keeps the connection open without a word until the client closes it or the server stops.
  void Hold() {
    for (;;) {
      if (::WaitForSingleObject(m_stop, 0) == WAIT_OBJECT_0) return;
      fd_set readable;
      FD_ZERO(&readable);
      FD_SET(m_socket, &readable);
      timeval tick{0, 50000};
      const int ready = ::select(0, &readable, nullptr, nullptr, &tick);
      if (ready < 0) return;
      char scratch[256];
      if (ready > 0 && ::recv(m_socket, scratch, sizeof(scratch), 0) <= 0) return;
    }
  }

  // Ends the connection with a reset rather than a close.
  void Reset() {
    linger hard{1, 0};
    ::setsockopt(m_socket, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&hard),
                 sizeof(hard));
    m_reset = true;
  }
  bool WasReset() const { return m_reset; }

 private:
  SOCKET m_socket;
  HANDLE m_stop;
  std::string m_request;
  bool m_reset = false;
};

// An HTTP server on a loopback address and an ephemeral port, one thread per connection. Each
// path has a script; others get a 404.
class LoopbackServer {
 public:
  using Script = std::function<void(Peer&)>;

  explicit LoopbackServer(const char* ip = "127.0.0.1") : m_ip(ip) {
    WSADATA data;
    m_winsock = ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    m_stop = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_listener = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    ::inet_pton(AF_INET, ip, &address.sin_addr);
    int length = sizeof(address);
    if (m_listener == INVALID_SOCKET ||
        ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        ::listen(m_listener, 16) != 0 ||
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
      ADD_FAILURE() << "no listener on " << ip << ": " << ::WSAGetLastError();
      return;
    }
    m_port = ntohs(address.sin_port);
    m_acceptor = std::thread([this] { AcceptLoop(); });
  }

  ~LoopbackServer() {
    Stop();
    if (m_listener != INVALID_SOCKET) ::closesocket(m_listener);
    ::CloseHandle(m_stop);
    if (m_winsock) ::WSACleanup();
  }
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  // Ends every connection and waits for their threads.
  void Stop() {
    ::SetEvent(m_stop);
    if (m_acceptor.joinable()) m_acceptor.join();
    std::vector<std::thread> serving;
    {
      std::lock_guard lock(m_mutex);
      serving.swap(m_serving);
    }
    for (std::thread& t : serving) t.join();
  }

  void On(const std::string& path, Script script) {
    std::lock_guard lock(m_mutex);
    m_scripts[path] = std::move(script);
  }

  std::string Origin() const { return "http://" + m_ip + ":" + std::to_string(m_port); }
  std::wstring Url(const std::string& path) const {
    const std::string url = Origin() + path;
    return std::wstring(url.begin(), url.end());
  }

  int Hits(const std::string& path) const {
    std::lock_guard lock(m_mutex);
    const auto it = m_hits.find(path);
    return it == m_hits.end() ? 0 : it->second;
  }
  int TlsHellos() const {
    std::lock_guard lock(m_mutex);
    return m_tlsHellos;
  }
  std::vector<std::string> Requests() const {
    std::lock_guard lock(m_mutex);
    return m_requests;
  }
  // Waits until `path` has been asked for `count` times.
  bool WaitForHits(const std::string& path, int count, std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [&] { return m_hits[path] >= count; });
  }
  bool WaitForTlsHello(std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [&] { return m_tlsHellos > 0; });
  }

 private:
  bool Stopping() const { return ::WaitForSingleObject(m_stop, 0) == WAIT_OBJECT_0; }

  void AcceptLoop() {
    while (!Stopping()) {
      fd_set readable;
      FD_ZERO(&readable);
      FD_SET(m_listener, &readable);
      timeval tick{0, 50000};
      if (::select(0, &readable, nullptr, nullptr, &tick) <= 0) continue;
      const SOCKET client = ::accept(m_listener, nullptr, nullptr);
      if (client == INVALID_SOCKET) continue;
      std::lock_guard lock(m_mutex);
      m_serving.emplace_back([this, client] { Serve(client); });
    }
  }

  // The request's head, or what came before the client went quiet; empty when nothing came.
  std::string ReadHead(SOCKET client) {
    std::string head;
    const Clock::time_point giveUp = Clock::now() + 10s;
    while (!Stopping() && Clock::now() < giveUp && head.find("\r\n\r\n") == std::string::npos) {
      if (!head.empty() && head[0] == '\x16') break;  // a TLS hello: no HTTP here
      fd_set readable;
      FD_ZERO(&readable);
      FD_SET(client, &readable);
      timeval tick{0, 50000};
      if (::select(0, &readable, nullptr, nullptr, &tick) <= 0) continue;
      char buffer[4096];
      const int got = ::recv(client, buffer, sizeof(buffer), 0);
      if (got <= 0) break;
      head.append(buffer, static_cast<size_t>(got));
    }
    return head;
  }

  void Serve(SOCKET client) {
    const std::string head = ReadHead(client);
    Script script;
    {
      std::lock_guard lock(m_mutex);
      if (!head.empty() && head[0] == '\x16') {
        ++m_tlsHellos;
      } else if (!head.empty()) {
        m_requests.push_back(head);
        const size_t from = head.find(' ') + 1;
        const std::string path = head.substr(from, head.find(' ', from) - from);
        ++m_hits[path];
        const auto it = m_scripts.find(path);
        script = it != m_scripts.end()
                     ? it->second
                     : [](Peer& peer) { peer.Send("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n"); };
      }
      m_changed.notify_all();
    }
    bool reset = false;
    if (script) {
      Peer peer(client, m_stop, head);
      script(peer);
      reset = peer.WasReset();
    }
    if (!reset) ::shutdown(client, SD_SEND);  // a reset must not come after a normal end
    ::closesocket(client);
  }

  std::string m_ip;
  bool m_winsock = false;
  HANDLE m_stop = nullptr;
  SOCKET m_listener = INVALID_SOCKET;
  unsigned short m_port = 0;
  std::thread m_acceptor;
  mutable std::mutex m_mutex;
  std::condition_variable m_changed;
  std::vector<std::thread> m_serving;
  std::map<std::string, Script> m_scripts;
  std::map<std::string, int> m_hits;
  std::vector<std::string> m_requests;
  int m_tlsHellos = 0;
};

std::string Head(std::string_view statusLine, std::string_view fields = "") {
  return "HTTP/1.1 " + std::string(statusLine) + "\r\n" + std::string(fields) + "\r\n";
}

// A head of about 200 bytes, so that trickling it takes a while.
std::string LongHead() {
  return Head("200 OK", "X-Padding: " + std::string(160, 'p') + "\r\nContent-Length: 5\r\n") +
         "hello";
}

// The scripts of a server that takes its time: each lasts about 20 s unless the client goes.
enum class Slow { NeverAnswers, TricklesHead, TricklesBody };

struct SlowCase {
  const char* What;
  Slow Kind;
  const char* Path;
};
constexpr SlowCase kSlowCases[] = {
    {"never answers", Slow::NeverAnswers, "/never"},
    {"trickles its head", Slow::TricklesHead, "/trickle-head"},
    {"trickles its body", Slow::TricklesBody, "/trickle-body"},
};

// Sets the slow scripts up; `started` is raised once the client waits inside the answer.
void AddSlowScripts(LoopbackServer& server, HANDLE started) {
  server.On("/never", [started](Peer& peer) {
    ::SetEvent(started);
    peer.Hold();
  });
  server.On("/trickle-head", [started](Peer& peer) {
    ::SetEvent(started);
    peer.Trickle(LongHead(), 100ms);
  });
  server.On("/trickle-body", [started](Peer& peer) {
    if (!peer.Send(Head("200 OK", "Content-Length: 200\r\n"))) return;
    peer.Trickle("x", 100ms);
    ::SetEvent(started);  // the head is read by now, the client is inside the body
    peer.Trickle(std::string(199, 'x'), 100ms);
  });
}

// One HttpGet on a thread of its own, so that a test can give it up or see it hang.
class BackgroundGet {
 public:
  BackgroundGet(os::System& system, std::wstring url, os::HttpOptions options)
      : m_options(std::move(options)) {
    m_options.Abort = &m_abort;
    m_thread = std::thread([this, &system, url = std::move(url)] {
      os::HttpResult result = system.HttpGet(url, m_options);
      std::lock_guard lock(m_mutex);
      m_result = std::move(result);
      m_done = true;
      m_ended.notify_all();
    });
  }
  ~BackgroundGet() { m_thread.join(); }
  BackgroundGet(const BackgroundGet&) = delete;
  BackgroundGet& operator=(const BackgroundGet&) = delete;

  void Abort() { m_abort = true; }
  bool WaitFor(std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_mutex);
    return m_ended.wait_for(lock, timeout, [this] { return m_done; });
  }
  os::HttpResult Result() {
    std::lock_guard lock(m_mutex);
    return m_result;
  }

 private:
  os::HttpOptions m_options;
  std::atomic<bool> m_abort{false};
  std::mutex m_mutex;
  std::condition_variable m_ended;
  bool m_done = false;
  os::HttpResult m_result;
  std::thread m_thread;
};

// Stage time-outs far longer than any wait of these tests: only what is tested ends a request.
os::HttpOptions PatientOptions() {
  os::HttpOptions options;
  options.UserAgent = L"Halvarin-test";
  options.ResolveTimeout = options.ConnectTimeout = options.SendTimeout =
      options.ReceiveTimeout = 60000;
  options.TotalTimeout = 60000;
  return options;
}

class HttpLoopback : public testing::Test {
 protected:
  void TearDown() override { server.Stop(); }

  // The answer of a request that must not take long; a hang fails the test.
  os::HttpResult Get(const std::wstring& url, os::HttpOptions options = PatientOptions()) {
    BackgroundGet get(system, url, std::move(options));
    if (!get.WaitFor(20s)) {
      ADD_FAILURE() << "the request hangs";
      server.Stop();  // lets it end
      get.WaitFor(120s);
    }
    return get.Result();
  }

  os::win32::Win32System system;
  LoopbackServer server;
};

TEST_F(HttpLoopback, AGivenUpRequestEndsAtOnceWhateverTheServerDoes) {
  HANDLE started = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
  AddSlowScripts(server, started);
  for (const SlowCase& c : kSlowCases) {
    BackgroundGet get(system, server.Url(c.Path), PatientOptions());
    ASSERT_EQ(::WaitForSingleObject(started, 20000), WAIT_OBJECT_0) << c.What;
    EXPECT_FALSE(get.WaitFor(300ms)) << c.What << ": the server has not finished";
    const Clock::time_point abort = Clock::now();
    get.Abort();
    // Generous: this checks for a hang of many seconds, not for speed.
    const bool ended = get.WaitFor(3s);
    EXPECT_TRUE(ended) << c.What << ": still waiting "
                       << std::chrono::duration_cast<std::chrono::milliseconds>(
                              Clock::now() - abort).count()
                       << " ms after being given up";
    if (!ended) server.Stop();
    get.WaitFor(120s);
    EXPECT_FALSE(get.Result().Answered) << c.What;
    if (!ended) return;  // the server is gone
  }
  ::CloseHandle(started);
}

TEST_F(HttpLoopback, TheWholeRequestHasADeadlineOfItsOwn) {
  HANDLE started = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
  AddSlowScripts(server, started);
  // Each stage gets its next byte well within its time-out, so only the whole request's own
  // deadline can end these.
  for (const char* path : {"/trickle-head", "/trickle-body"}) {
    os::HttpOptions options = PatientOptions();
    options.TotalTimeout = 1000;
    const os::HttpResult answer = Get(server.Url(path), options);
    EXPECT_FALSE(answer.Answered) << path;
    EXPECT_FALSE(answer.Error.empty()) << path;
  }
  ::CloseHandle(started);
}

TEST_F(HttpLoopback, OnlyAWholeBodyIsAnAnswer) {
  struct Case {
    const char* What;
    std::function<void(Peer&)> Script;
    bool Answered;
    size_t BodyBytes;
  };
  const std::string page(40600, 'n');
  const Case cases[] = {
      {"whole, as long as its Content-Length",
       [&](Peer& p) { p.Send(Head("200 OK", "Content-Length: 40600\r\n") + page); }, true,
       40600},
      {"whole and empty", [](Peer& p) { p.Send(Head("200 OK", "Content-Length: 0\r\n")); }, true,
       0},
      {"whole, ended by the server's close, no Content-Length",
       [&](Peer& p) { p.Send(Head("200 OK", "Connection: close\r\n") + page.substr(0, 300)); },
       true, 300},
      {"an error page, whole",
       [](Peer& p) { p.Send(Head("404 Not Found", "Content-Length: 9\r\n") + "not found"); }, true,
       9},
      {"cut short of its Content-Length, then a normal close",
       [&](Peer& p) {
         p.Send(Head("200 OK", "Content-Length: 40600\r\nConnection: close\r\n") +
                page.substr(0, 20000));
       },
       false, 0},
      {"chunked, its last chunk never comes",
       [](Peer& p) {
         p.Send(Head("200 OK", "Transfer-Encoding: chunked\r\nConnection: close\r\n") +
                "10\r\n" + std::string(16, 'c') + "\r\n");
       },
       false, 0},
      // The request asks for HTTP/1.0, which has no chunks: such an answer is not trusted even
      // when whole, since it could not be told from one cut short.
      {"chunked though not asked for, whole",
       [](Peer& p) {
         p.Send(Head("200 OK", "Transfer-Encoding: chunked\r\nConnection: close\r\n") +
                "10\r\n" + std::string(16, 'c') + "\r\n0\r\n\r\n");
       },
       false, 0},
      {"reset halfway",
       [&](Peer& p) {
         p.Send(Head("200 OK", "Content-Length: 40600\r\n") + page.substr(0, 2000));
         p.Reset();
       },
       false, 0},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const std::string path = "/page" + std::to_string(i);
    server.On(path, cases[i].Script);
    const os::HttpResult answer = Get(server.Url(path));
    EXPECT_EQ(answer.Answered, cases[i].Answered) << cases[i].What << ": " << os::WideToUtf8(answer.Error);
    if (answer.Answered) {
      EXPECT_EQ(answer.Body.size(), cases[i].BodyBytes) << cases[i].What;
    }
  }
  const std::vector<std::string> requests = server.Requests();
  ASSERT_FALSE(requests.empty());
  EXPECT_EQ(requests[0].rfind("GET /page0 HTTP/1.0\r\n", 0), 0u) << requests[0];
  EXPECT_NE(requests[0].find("\r\nHost: 127.0.0.1"), std::string::npos) << requests[0];
}

// Two lengths that disagree leave open where the body ends (a proxy may have ended it at the
// other): refused whichever comes first. The same length twice is one length.
TEST_F(HttpLoopback, TwoContentLengthsThatDisagreeAreRefused) {
  struct Case {
    const char* What;
    std::string Fields;
    bool Answered;
  };
  const Case cases[] = {
      {"the shorter first", "Content-Length: 5\r\nContent-Length: 7\r\n", false},
      {"the longer first", "Content-Length: 7\r\nContent-Length: 5\r\n", false},
      {"a third that disagrees",
       "Content-Length: 5\r\nContent-Length: 5\r\nContent-Length: 6\r\n", false},
      {"the same twice", "Content-Length: 5\r\nContent-Length: 5\r\n", true},
      {"one", "Content-Length: 5\r\n", true},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    const std::string path = "/lengths" + std::to_string(i);
    server.On(path, [fields = c.Fields](Peer& p) {
      p.Send(Head("200 OK", fields + "Connection: close\r\n") + "hello");
    });
    const os::HttpResult answer = Get(server.Url(path));
    EXPECT_EQ(answer.Answered, c.Answered) << c.What << ": " << os::WideToUtf8(answer.Error);
    if (answer.Answered) {
      EXPECT_EQ(answer.Body, "hello") << c.What;
    }
  }
}

TEST_F(HttpLoopback, RedirectsAreFollowedOnTheSameHostOnly) {
  LoopbackServer elsewhere("127.0.0.2");
  for (LoopbackServer* s : {&server, &elsewhere}) {
    s->On("/ok", [](Peer& p) { p.Send(Head("200 OK", "Content-Length: 2\r\n") + "ok"); });
  }
  const auto redirect = [](std::string status, std::string location) {
    return [status, location](Peer& p) {
      p.Send(Head(status, "Location: " + location + "\r\nContent-Length: 0\r\n"));
    };
  };
  const std::string port = server.Origin().substr(server.Origin().rfind(':') + 1);
  struct Case {
    const char* What;
    std::string Status;
    std::string Location;
    bool Answered;
  };
  const Case cases[] = {
      {"a path on the same host", "302 Found", "/ok", true},
      {"the same host written out", "301 Moved Permanently", server.Origin() + "/ok", true},
      {"relative to the address", "307 Temporary Redirect", "ok", true},
      {"a see-other on the same host", "303 See Other", "/ok", true},
      {"the same address by another name", "302 Found", "http://localhost:" + port + "/ok",
       false},
      {"another host", "301 Moved Permanently", elsewhere.Origin() + "/ok", false},
      {"another host, permanent", "308 Permanent Redirect", elsewhere.Origin() + "/ok", false},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    const std::string path = "/moved" + std::to_string(i);
    server.On(path, redirect(c.Status, c.Location));
    const int before = server.Hits("/ok") + elsewhere.Hits("/ok");
    const os::HttpResult answer = Get(server.Url(path));
    EXPECT_EQ(answer.Answered, c.Answered) << c.What;
    if (c.Answered) {
      EXPECT_EQ(answer.Status, 200) << c.What;
      EXPECT_EQ(answer.Body, "ok") << c.What;
    } else {
      EXPECT_EQ(server.Hits("/ok") + elsewhere.Hits("/ok"), before) << c.What << ": fetched";
    }
  }
}

TEST_F(HttpLoopback, ARedirectToHttpsOnTheSameHostIsFollowed) {
  const std::string port = server.Origin().substr(server.Origin().rfind(':') + 1);
  server.On("/secure", [port](Peer& p) {
    p.Send(Head("301 Moved Permanently",
                "Location: https://127.0.0.1:" + port + "/ok\r\nContent-Length: 0\r\n"));
  });
  const os::HttpResult answer = Get(server.Url("/secure"));
  EXPECT_TRUE(server.WaitForTlsHello(10s)) << "the https address was not asked";
  EXPECT_FALSE(answer.Answered) << "this server speaks no TLS";
}

TEST_F(HttpLoopback, ARedirectLoopEnds) {
  server.On("/loop", [](Peer& p) {
    p.Send(Head("302 Found", "Location: /loop\r\nContent-Length: 0\r\n"));
  });
  const os::HttpResult answer = Get(server.Url("/loop"));
  EXPECT_FALSE(answer.Answered);
  EXPECT_GT(server.Hits("/loop"), 1) << "redirects on the same host are followed";
  EXPECT_LE(server.Hits("/loop"), 10);
}

// The news download over the real client: the program's end does not wait for a slow server.
class NewsDownloadOverLoopback : public testing::Test {
 protected:
  static constexpr wchar_t kFolder[] = L"C:\\Work\\Settings\\";
  static constexpr wchar_t kNews[] = L"C:\\Work\\Settings\\News-Halvarin.html";

  void SetUp() override {
    testing_support::ResetProgramState();
    sys->AddFile(kNews, "<p>old news</p>");
    core::PathSettings = kFolder;
  }
  void TearDown() override {
    server.Stop();
    // A worker left behind must be gone before the systems it uses are.
    std::lock_guard lock(m_workersMutex);
    for (HANDLE worker : m_workers) {
      EXPECT_EQ(::WaitForSingleObject(worker, 60000), WAIT_OBJECT_0);
      ::CloseHandle(worker);
    }
    testing_support::ResetProgramState();
  }

  // The news address is asked of the loopback server's `path` instead.
  void ServeNewsFrom(const std::string& path) {
    sys->HttpAnswer = [this, url = server.Url(path)](const std::wstring&,
                                                     const os::HttpOptions& options) {
      {
        std::lock_guard lock(m_workersMutex);
        m_workers.push_back(::OpenThread(SYNCHRONIZE, FALSE, ::GetCurrentThreadId()));
      }
      return real.HttpGet(url, options);
    };
  }

  os::win32::Win32System real;
  LoopbackServer server;
  testing_support::ScopedFakeSystem sys;
  std::mutex m_workersMutex;
  std::vector<HANDLE> m_workers;
};

TEST_F(NewsDownloadOverLoopback, ItsEndDoesNotWaitForTheServer) {
  HANDLE started = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
  AddSlowScripts(server, started);
  for (const SlowCase& c : kSlowCases) {
    ServeNewsFrom(c.Path);
    Clock::time_point end;
    {
      settings_window::TNewsDownload download;
      download.Start(kFolder);
      ASSERT_EQ(::WaitForSingleObject(started, 20000), WAIT_OBJECT_0) << c.What;
      ASSERT_TRUE(download.Running()) << c.What;
      end = Clock::now();
    }
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - end);
    // Generous: this checks for a hang of many seconds, not for speed.
    EXPECT_LT(took.count(), 3000) << c.What;
    EXPECT_EQ(sys->FileText(kNews), "<p>old news</p>") << c.What;
  }
  ::CloseHandle(started);
}

TEST_F(NewsDownloadOverLoopback, HalfAPageNeverReplacesTheLastGoodOne) {
  server.On("/cut", [](Peer& p) {
    p.Send(Head("200 OK", "Content-Length: 40600\r\nConnection: close\r\n") +
           std::string(20000, 'h'));
  });
  server.On("/whole", [](Peer& p) {
    p.Send(Head("200 OK", "Content-Length: 15\r\n") + "<p>new news</p>");
  });
  ServeNewsFrom("/cut");
  settings_window::TNewsDownload download;
  download.Start(kFolder);
  EXPECT_EQ(download.Wait(), settings_window::NewsOutcome::NoAnswer);
  EXPECT_EQ(sys->FileText(kNews), "<p>old news</p>");

  ServeNewsFrom("/whole");
  download.Start(kFolder);
  EXPECT_EQ(download.Wait(), settings_window::NewsOutcome::Saved);
  EXPECT_EQ(sys->FileText(kNews), "<p>new news</p>");
}

}  // namespace
