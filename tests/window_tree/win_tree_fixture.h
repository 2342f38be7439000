#pragma once
// The inspector on a scripted desktop: a text editor with a child edit and a dialog, a hidden
// host window with a visible child, a protected program, and a second window of the editor.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_shell.h"
#include "support/fake_system.h"
#include "support/program_state.h"
#include "tray/data_module.h"
#include "ui/application.h"
#include "window_tree/win_tree.h"

namespace win_tree_test {

class WinTreeTest : public ::testing::Test {
 protected:
  static constexpr wchar_t kEditor[] = L"C:\\Apps\\Editor.exe";
  static constexpr wchar_t kHost[] = L"C:\\Apps\\Host.exe";

  void SetUp() override {
    testing_support::ResetProgramState();
    sys->AddLocale(0x0407, L"de", L"DE", L"German (Germany)", L"DEU");
    sys->LanguageNames[0x0407] = L"German";
    shell->NameIcons[kEditor] = 7;
    shell->NameIcons[kHost] = 8;
    shell->NameIcons[L"shell:::{B4BFCC3A-DB2C-424C-B029-7FE99A87C641}"] = 3;
    // Added bottom first: the last added lies on top and comes first in the walk.
    host = sys->AddApp(kHost, L"HostWindow", 0x04070407);
    sys->Window(host).Visible = false;
    hostButton = sys->AddChildWindow(host, L"Button");
    sys->Titles[hostButton] = L"OK";
    guarded = sys->AddApp(L"C:\\Secure\\Guard.exe", L"#32771");
    sys->ProcessOf(guarded).CannotOpen = true;
    editor = sys->AddApp(kEditor, L"EditorFrame");
    sys->Titles[editor] = L"Notes & Plans";
    editorEdit = sys->AddChildWindow(editor, L"Edit");
    editorDialog = sys->AddChildWindow(editor, L"#32770");
    sys->Titles[editorDialog] = L"Find";
    FakeWindow second;
    second.ClassName = L"EditorPalette";
    second.ThreadId = sys->Window(editor).ThreadId;
    palette = sys->AddWindow(second);
    tray::DM = nullptr;
    ui::App().CreateComponent<tray::TDM>();
  }

  void TearDown() override { testing_support::ResetProgramState(); }

  using FakeWindow = testing_support::FakeWindow;

  window_tree::TfWinTree& Create() {
    window_tree::fWinTree.reset(new window_tree::TfWinTree());
    window_tree::fWinTree->DoCreate();
    return *window_tree::fWinTree;
  }

  static std::wstring Text(window_tree::TfWinTree& w, ui::TreeNode* node, int column) {
    std::wstring text;
    w.vstWinTreeGetText(node, column, text);
    return text;
  }

  // Every node in tree order as "<indent>class|title", two spaces per level.
  static std::vector<std::wstring> Lines(window_tree::TfWinTree& w) {
    std::vector<std::wstring> lines;
    for (ui::TreeNode* n = w.vstWinTree.FirstNode(); n != nullptr; n = w.vstWinTree.NextNode(n)) {
      lines.push_back(std::wstring(static_cast<size_t>(n->Level()) * 2, L' ') +
                      Text(w, n, window_tree::kColClass) + L"|" +
                      Text(w, n, window_tree::kColTitle));
    }
    return lines;
  }

  ui::TreeNode* Find(window_tree::TfWinTree& w, os::WindowId window) {
    for (ui::TreeNode* n = w.vstWinTree.FirstNode(); n != nullptr; n = w.vstWinTree.NextNode(n)) {
      if (n->Data<window_tree::TWinTree>().Handle == window) return n;
    }
    return nullptr;
  }

  testing_support::ScopedFakeSystem sys;
  testing_support::ScopedFakeShell shell;
  os::WindowId host, hostButton, guarded, editor, editorEdit, editorDialog, palette;
};

}  // namespace win_tree_test
