#pragma once
// A flag that is set for as long as a scope runs, and cleared when it is left, also by an
// exception: for code that must know it is inside a call of its own.

namespace ui {

class FlagScope {
 public:
  explicit FlagScope(bool& flag) noexcept : m_flag(flag) { m_flag = true; }
  ~FlagScope() { m_flag = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& m_flag;
};

}  // namespace ui
