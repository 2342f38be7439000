#include <gtest/gtest.h>

#include "core/common.h"
#include "monitor/globals.h"
#include "support/main_window_fixture.h"
#include "ui/application.h"

namespace {

using testing_support::MainWindowFixture;

class MainWindowStart : public MainWindowFixture {};

TEST_F(MainWindowStart, WithoutASettingsFileEverythingStartsFromTheDefaults) {
  sys->Monitor = {0, 0, 1600, 900};
  auto& w = CreateMainWindow();
  EXPECT_EQ(w.Width(), 900);
  EXPECT_EQ(w.Left(), 1600 / 2 - 900 / 2);
  EXPECT_EQ(w.Top(), 900 / 2 - w.Height() / 2);
  ASSERT_TRUE(monitor::fLangInfo);
  EXPECT_EQ(monitor::fLangInfo->Top(), 5);
  EXPECT_EQ(monitor::fLangInfo->Left(), 800);
  EXPECT_EQ(monitor::fLangInfo->Height(), 30);
  EXPECT_EQ(monitor::fLangInfo->L_Lang.Top(), 2);
  EXPECT_EQ(monitor::fLangInfo->L_Lang.Height(), 26);
  EXPECT_TRUE(monitor::fLangInfo->AlphaBlend());
  EXPECT_EQ(monitor::fLangInfo->AlphaBlendValue(), 200);
  EXPECT_FALSE(core::IsStarting);
  EXPECT_TRUE(w.TimerStart.Enabled());
  EXPECT_TRUE(core::IsEnabled_AllIndicator);
  EXPECT_TRUE(core::IsEnabled_MouseIndicator);
  EXPECT_TRUE(w.swMinimizedOnClose.Checked());
  EXPECT_FALSE(w.swMinimizedOnStart.Checked());
  EXPECT_TRUE(sys->MessageBoxes.empty());
}

TEST_F(MainWindowStart, ScalesForTheScreenDpiTakenOnce) {
  sys->Dpi = 144;
  CreateMainWindow();
  EXPECT_EQ(core::ScreenDPI, 144);
  EXPECT_EQ(monitor::fLangInfo->Height(), 45);
  sys->Dpi = 96;
  EXPECT_EQ(core::Scale(30), 45) << "not read again";
}

TEST_F(MainWindowStart, TheDesktopIndicatorIsAnUnownedToolWindowThatRefusesToClose) {
  CreateMainWindow();
  HWND h = monitor::fLangInfo->Handle();
  EXPECT_EQ(::GetWindowLongPtrW(h, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_LAYERED | WS_EX_TOPMOST),
            WS_EX_TOOLWINDOW);
  EXPECT_EQ(::GetWindow(h, GW_OWNER), nullptr);
  EXPECT_NE(::GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  monitor::fLangInfo->Show();
  ::SendMessageW(h, WM_CLOSE, 0, 0);
  EXPECT_TRUE(::IsWindowVisible(h));
}

TEST_F(MainWindowStart, SettingsFromTheFileReachTheWindows) {
  sys->AddFile(kSettingsFile, R"({"MainWindow":{"Left":33,"Top":44,"MinimizedOnClose":false},
      "DesktopIndicator":{"Top":100,"Left":200,"IsTransparent":false,"TransparentValue":300,
                          "IsShowDesktopIndicator":false}})");
  auto& w = CreateMainWindow();
  EXPECT_EQ(w.Left(), 33);
  EXPECT_EQ(w.Top(), 44);
  EXPECT_FALSE(w.swMinimizedOnClose.Checked());
  EXPECT_EQ(monitor::fLangInfo->Left(), 200);
  EXPECT_EQ(monitor::fLangInfo->Top(), 100);
  EXPECT_FALSE(monitor::fLangInfo->AlphaBlend());
  EXPECT_EQ(monitor::fLangInfo->AlphaBlendValue(), 255);
  EXPECT_FALSE(monitor::fLangInfo->Visible());
}

TEST_F(MainWindowStart, AutorunSwitchMirrorsTheRunValue) {
  sys->Registry[L"SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN"] = {L"HALVARIN"};
  EXPECT_TRUE(CreateMainWindow().swAutorun.Checked());
}

TEST_F(MainWindowStart, AutorunSwitchStaysOffWithoutTheValueOrTheKey) {
  sys->Registry[L"SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN"] = {L"OTHER"};
  EXPECT_FALSE(CreateMainWindow().swAutorun.Checked());
}

// An unreadable settings file: one message box naming the file and the reason, the file kept as
// settings.json.bak, and the rest of the start with the defaults of what was not read.
struct Unreadable {
  const char* name;
  const char* text;
  const wchar_t* reason;
};

class MainWindowUnreadableSettings : public MainWindowFixture,
                                     public ::testing::WithParamInterface<Unreadable> {};

TEST_P(MainWindowUnreadableSettings, StartsAnywayAndKeepsTheFile) {
  sys->AddFile(kSettingsFile, GetParam().text);
  auto& w = CreateMainWindow();
  ASSERT_EQ(sys->MessageBoxes.size(), 1u);
  const std::wstring& text = sys->MessageBoxes[0].Text;
  EXPECT_NE(text.find(kSettingsFile), std::wstring::npos) << testing::PrintToString(text);
  EXPECT_NE(text.find(GetParam().reason), std::wstring::npos) << testing::PrintToString(text);
  EXPECT_NE(sys->MessageBoxes[0].Flags & os::kMbTaskModal, 0u);
  EXPECT_EQ(sys->FileText(std::wstring(kSettingsFile) + L".bak"), GetParam().text);
  EXPECT_FALSE(core::IsStarting) << "the rest of the creation ran";
  EXPECT_TRUE(w.TimerStart.Enabled());

  // The first save writes a good file and leaves the copy alone.
  ui::CloseAction action = ui::CloseAction::Free;
  w.FormClose(action);
  EXPECT_EQ(sys->FileText(std::wstring(kSettingsFile) + L".bak"), GetParam().text);
  EXPECT_NE(sys->FileText(kSettingsFile).find("\"MainWindow\""), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Files, MainWindowUnreadableSettings,
    ::testing::Values(Unreadable{"notJson", "{\"MainWindow\": {", L"not valid JSON"},
                      Unreadable{"notAnObject", "[true]", L"JSON object"},
                      Unreadable{"badColour",
                                 "{\"DesktopIndicator\":{\"BorderWidth\":1,\"Color_Led_On\":\"red\"}}",
                                 L"\"red\""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowStart, ABadColourCostsThatColourAlone) {
  sys->AddFile(kSettingsFile,
               R"({"MainWindow":{"Left":71,"Top":72},"DesktopIndicator":{"BorderWidth":1,
                   "Color_Led_On":"red","IsShowTime":false}})");
  CreateMainWindow();
  EXPECT_EQ(main->Left(), 71);
  EXPECT_EQ(core::Settings->BorderWidth, 1);
  EXPECT_EQ(core::Settings->Color_Led_On, 0x00FF00) << "the bad key: default";
  EXPECT_FALSE(core::Settings->IsShowTime) << "after the bad key: read";
}

class MainWindowClose : public MainWindowFixture {};

TEST_F(MainWindowClose, ClosingSavesTheSwitchesAsTheyStand) {
  auto& w = CreateMainWindow();
  w.swMinimizedOnClose.SetChecked(false);
  w.Close();
  const std::string text = sys->FileText(kSettingsFile);
  EXPECT_NE(text.find("\"MinimizedOnClose\": false"), std::string::npos) << text;
}

TEST_F(MainWindowClose, AFailedSaveIsReportedAndTheWindowClosesAllTheSame) {
  auto& w = CreateMainWindow();
  w.swMinimizedOnClose.SetChecked(false);
  sys->FailWritesTo.insert(L"C:\\WORK\\SETTINGS\\SETTINGS.JSON.TMP");
  w.Close();
  ASSERT_EQ(sys->MessageBoxes.size(), 1u);
  EXPECT_NE(sys->MessageBoxes[0].Text.find(kSettingsFile), std::wstring::npos);
  MSG msg;
  EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) << "the loop ends";
}

TEST_F(MainWindowClose, MinimizeOnCloseRefusesTheCloseUnlessAnExitWasRequested) {
  auto& w = CreateMainWindow();
  w.Show();
  bool canClose = true;
  w.FormCloseQuery(canClose);
  EXPECT_FALSE(canClose);
  EXPECT_FALSE(::IsWindowVisible(w.Handle())) << "hidden to the notification area";
  EXPECT_TRUE(ui::App().IsMinimized());

  w.Tag = 1;
  canClose = false;
  w.FormCloseQuery(canClose);
  EXPECT_TRUE(canClose);
}

TEST_F(MainWindowClose, WithoutMinimizeToTrayTheCloseMinimises) {
  auto& w = CreateMainWindow();
  w.swMinimizedToTray.SetChecked(false);
  w.Show();
  bool canClose = true;
  w.FormCloseQuery(canClose);
  EXPECT_FALSE(canClose);
  EXPECT_TRUE(::IsWindowVisible(w.Handle()));
  EXPECT_TRUE(::IsIconic(w.Handle()));
}

TEST_F(MainWindowClose, ASaveWhileMinimisedWritesTheRestoredPlace) {
  auto& w = CreateMainWindow();
  w.Show();
  w.SetBounds(120, 130, 900, 650);
  ::ShowWindow(w.Handle(), SW_MINIMIZE);
  ASSERT_TRUE(::IsIconic(w.Handle()));
  core::Settings->Save(kSettingsFile, w);
  const std::string text = sys->FileText(kSettingsFile);
  EXPECT_NE(text.find("\"Left\": 120,"), std::string::npos) << text.substr(0, 200);
  EXPECT_NE(text.find("\"Top\": 130,"), std::string::npos);
}

TEST_F(MainWindowClose, DestroyingFreesWhatCreationMade) {
  CreateMainWindow();
  ASSERT_TRUE(core::Settings);
  ui::App().DestroyComponents();
  EXPECT_FALSE(core::Settings);
  EXPECT_FALSE(monitor::fLangInfo);
  EXPECT_FALSE(core::FilterWindowClass);
  EXPECT_EQ(monitor::fMain, nullptr);
  EXPECT_FALSE(sys->HasFile(kSettingsFile)) << "no save on destruction";
}

TEST_F(MainWindowStart, TheStartTimerShowsTheIndicatorAndInstallsTheIdleHandler) {
  auto& w = CreateMainWindow();
  monitor::fLangInfoCaret->Tag = 1;
  sys->Counter = 5'000'000;
  ASSERT_TRUE(PumpUntil([&] { return !w.TimerStart.Enabled(); }));
  EXPECT_TRUE(monitor::fLangInfo->Visible());
  EXPECT_TRUE(monitor::fLangInfoMouse->Visible());
  EXPECT_TRUE(::IsWindowVisible(monitor::fLangInfoMouse->Handle()));
  EXPECT_EQ(monitor::fLangInfoMouse->PanelBorderT.Height(), 1) << "its first layout ran";
  EXPECT_EQ(monitor::fLangInfoCaret->TriggerStamp, 5'000'000);
  EXPECT_EQ(monitor::fLangInfoCaret->Tag, 0);
  EXPECT_TRUE(static_cast<bool>(ui::App().OnIdle));
  EXPECT_TRUE(w.TimerUpdate.Enabled());
}

TEST_F(MainWindowStart, MinimizeOnStartHidesTheWindowWhenTheTimerFires) {
  sys->AddFile(kSettingsFile, R"({"MainWindow":{"MinimizedOnStart":true}})");
  auto& w = CreateMainWindow();
  w.Show();
  ASSERT_TRUE(PumpUntil([&] { return !w.TimerStart.Enabled(); }));
  EXPECT_FALSE(::IsWindowVisible(w.Handle()));
}

}  // namespace
