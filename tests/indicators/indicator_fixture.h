#pragma once
// Indicator windows made on their own, as the main window makes them, on a scripted desktop with
// a predictable text measurer and the data module's image lists.
#include <gtest/gtest.h>

#include "core/common.h"
#include "support/drag_recorder.h"
#include "support/fake_shell.h"
#include "support/fake_system.h"
#include "support/fixed_text_measurer.h"
#include "support/program_state.h"
#include "tray/data_module.h"
#include "ui/application.h"
#include "ui/component.h"

namespace testing_support {

class IndicatorFixture {
 protected:
  void Start(int dpi) {
    ResetProgramState();
    sys->Dpi = dpi;
    core::ScreenDPI = dpi;
    ui::App().CreateComponent<tray::TDM>();
  }
  void Stop() { ResetProgramState(); }

  template <class T>
  ui::Owned<T> Make() {
    ui::Owned<T> form(new T());
    form->DoCreate();
    return form;
  }

  // 96-DPI pixels at the fixture's DPI.
  static int S(int value) { return core::Scale(value); }

  ScopedFakeSystem sys;
  ScopedFakeShell shell;
  ScopedFixedTextMeasurer measurer;
};

class IndicatorTest : public ::testing::Test, protected IndicatorFixture {
 protected:
  void SetUp() override { Start(96); }
  void TearDown() override { Stop(); }
};

class IndicatorDpiTest : public ::testing::TestWithParam<int>, protected IndicatorFixture {
 protected:
  void SetUp() override { Start(GetParam()); }
  void TearDown() override { Stop(); }
};

inline constexpr os::TColor Rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

}  // namespace testing_support
