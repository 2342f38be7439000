#pragma once
#include <memory>
#include <string>

namespace ui {

// Base of everything the GUI layer owns: a name and a Tag for run-time marks.
class Component {
 public:
  Component() = default;
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;
  virtual ~Component() = default;

  std::wstring Name;
  int Tag = 0;

  // Runs before the object is deleted, while the derived class still exists (a form's
  // OnDestroy handler and window destruction).
  virtual void BeforeDestruction() noexcept {}
};

struct ComponentDeleter {
  void operator()(Component* c) const noexcept {
    if (c == nullptr) return;
    c->BeforeDestruction();
    delete c;
  }
};

// An owned component or form; destroying it runs its destruction handler first.
template <class T>
using Owned = std::unique_ptr<T, ComponentDeleter>;

}  // namespace ui
