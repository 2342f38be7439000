#pragma once
// A program's own caret object, as a program that draws its own caret serves it: a window that
// answers WM_GETOBJECT(OBJID_CARET) with an accessibility object whose accLocation gives a set
// rectangle. The object can be told to stall in accLocation after the window has answered, as a
// busy program does; and the window can live on a thread of its own, in a single-threaded COM
// apartment of its own, so that the asking side reaches the object through a COM proxy, as it
// reaches the object of another process.
#include <windows.h>
#include <oleacc.h>

#include <atomic>
#include <functional>
#include <thread>

namespace testing_support {

// The object. Its lifetime is its owner's: COM's references are counted but never free it.
class CaretObject final : public IAccessible {
 public:
  // The rectangle accLocation gives, in screen coordinates.
  explicit CaretObject(const RECT& location);
  ~CaretObject();
  CaretObject(const CaretObject&) = delete;
  CaretObject& operator=(const CaretObject&) = delete;

  // From now on accLocation, once entered, calls onStall (on the object's thread) and then waits
  // until Release or, at the latest, 10 s.
  void Stall(std::function<void()> onStall);
  void ReleaseStall() { ::SetEvent(m_released); }
  // Returns once an accLocation call waits in the stall; false when none did in 10 s.
  bool WaitStalling() const { return ::WaitForSingleObject(m_stalling, 10000) == WAIT_OBJECT_0; }
  // Whether a stall that started has not ended yet.
  bool StillStalls() const { return ::WaitForSingleObject(m_stallEnded, 0) == WAIT_TIMEOUT; }
  // Whether the stall ran out by itself rather than being released.
  bool StallRanOut() const { return m_ranOut; }
  // accLocation calls that have returned.
  int Locations() const { return m_locations; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --m_refs; }
  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override;
  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch**) override;
  HRESULT STDMETHODCALLTYPE get_accChildCount(long*) override;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch**) override;
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT, BSTR*) override;
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR*) override;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR*) override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT, VARIANT*) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT, VARIANT*) override;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR*) override;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR*, VARIANT, long*) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR*) override;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT*) override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT*) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR*) override;
  HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override;
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accNavigate(long, VARIANT, VARIANT*) override;
  HRESULT STDMETHODCALLTYPE accHitTest(long, long, VARIANT*) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override;
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override;
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override;

 private:
  RECT m_location;
  std::atomic<ULONG> m_refs{1};
  std::atomic<bool> m_stall{false};
  std::function<void()> m_onStall;
  HANDLE m_stalling = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE m_released = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE m_stallEnded = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::atomic<bool> m_ranOut{false};
  std::atomic<int> m_locations{0};
};

// A hidden window of the calling thread that serves the object as its caret; destroy it on the
// same thread. The object must outlive the window.
HWND CreateCaretObjectWindow(CaretObject& object);

// The object's window on a thread of its own, in a single-threaded apartment of its own.
class CaretObjectThread {
 public:
  explicit CaretObjectThread(const RECT& location);
  ~CaretObjectThread();
  CaretObjectThread(const CaretObjectThread&) = delete;
  CaretObjectThread& operator=(const CaretObjectThread&) = delete;

  HWND Window() const { return m_window; }
  CaretObject& Object() { return m_object; }

 private:
  void Run();

  CaretObject m_object;
  HANDLE m_created = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::atomic<HWND> m_window{nullptr};
  std::thread m_thread;
};

}  // namespace testing_support
