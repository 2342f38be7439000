#pragma once
#include <exception>
#include <string>

namespace os {

// The program's error: a message for the user, in the words the message box shows.
class Error : public std::exception {
 public:
  explicit Error(std::wstring message) : m_message(std::move(message)) {}
  const std::wstring& Message() const noexcept { return m_message; }
  const char* what() const noexcept override { return "Halvarin error (see Message())"; }

 private:
  std::wstring m_message;
};

}  // namespace os
