#pragma once
// Builds the main window as the main block does, on a scripted desktop, and tears everything
// down again.
#include <gtest/gtest.h>

#include "monitor/main_window.h"
#include "support/fake_shell.h"
#include "support/fake_system.h"

namespace testing_support {

class MainWindowFixture : public ::testing::Test {
 protected:
  static constexpr wchar_t kSettingsFolder[] = L"C:\\Work\\Settings\\";
  static constexpr wchar_t kSettingsFile[] = L"C:\\Work\\Settings\\settings.json";

  void SetUp() override;
  void TearDown() override;

  // The main block's steps up to the main window's creation.
  monitor::TfMain& CreateMainWindow();
  // Runs the message loop until pred holds or the time is up.
  bool PumpUntil(const std::function<bool()>& pred, int timeoutMs = 2000);

  ScopedFakeSystem sys;
  ScopedFakeShell shell;
  monitor::TfMain* main = nullptr;
};

}  // namespace testing_support
