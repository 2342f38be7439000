#pragma once
// The main window on a scripted desktop, shown once so that its pages hold the settings.
#include "core/common.h"
#include "monitor/globals.h"
#include "support/main_window_fixture.h"

namespace testing_support {

class PagesFixture : public MainWindowFixture {
 protected:
  // Creation, then the first show's fill (without showing a window on the test desktop).
  monitor::TfMain& ShownMainWindow() {
    auto& w = CreateMainWindow();
    w.FormShow();
    return w;
  }
  core::TSettings& S() { return *core::Settings; }
  int Saves() { return sys->ReplacementsOf(kSettingsFile); }
  std::string SettingsText() { return sys->FileText(kSettingsFile); }
};

}  // namespace testing_support
