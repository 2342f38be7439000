#pragma once
// The main window on a scripted desktop with known system folders, and the means to open the
// tray menu and choose an item as the user would.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "core/common.h"
#include "os/shell.h"
#include "support/main_window_fixture.h"
#include "tray/data_module.h"
#include "ui/popup_menu.h"

namespace tray_testing {

class TrayMenu : public testing_support::MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    core::PathSystem = L"C:\\Windows\\system32\\";
    core::PathWindows = L"C:\\Windows\\";
    shell->SpecialFolders[os::kCsidlPersonal] = L"C:\\Users\\user\\Documents";
    shell->SpecialFolders[os::kCsidlMyVideo] = L"C:\\Users\\user\\My Videos";
    shell->SpecialFolders[os::kCsidlMyMusic] = L"D:\\Music,Live";
    shell->SpecialFolders[os::kCsidlMyPictures] = L"C:\\Users\\user\\Pictures";
    shell->Downloads = L"C:\\Users\\user\\Downloads";
    CreateMainWindow();
    // The scripted drives answer at once, but on a loaded machine their threads may start late.
    tray::DM->DriveAnswerTime = std::chrono::seconds(10);
  }

  ui::MenuItem& Root() { return tray::DM->PopupMenu.Items(); }

  // The captions of the top-level items from the drive separator on, up to the next separator.
  std::vector<std::wstring> DriveCaptions() {
    std::vector<std::wstring> captions;
    const int from = Root().IndexOf(tray::DM->SpTBXSeparatorItem5) + 1;
    for (int i = from; i < Root().Count() && Root().Item(i)->Kind != ui::MenuItemKind::Separator;
         ++i) {
      captions.push_back(Root().Item(i)->Caption);
    }
    return captions;
  }

  // Opens the menu as the user would and chooses the item; true when a handler ran.
  bool Choose(ui::MenuItem* item) {
    ui::BuiltMenu built = tray::DM->PopupMenu.Prepare();
    for (const auto& [id, target] : built.Commands) {
      if (target == item) return tray::DM->PopupMenu.Invoke(built, id);
    }
    ADD_FAILURE() << "not in the built menu";
    return false;
  }

  os::ShellCommand LastCommand() {
    if (shell->Executed.empty()) return {};
    return shell->Executed.back();
  }
};

}  // namespace tray_testing
