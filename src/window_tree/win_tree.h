#pragma once
// The window tree inspector: every window of the session with its class, title, process, thread
// and keyboard layout. Created on first use, kept until the main window is destroyed.
#include <set>
#include <string>

#include "os/types.h"
#include "ui/bevel.h"
#include "ui/component.h"
#include "ui/edit.h"
#include "ui/flat_button.h"
#include "ui/form.h"
#include "ui/image_list.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "ui/popup_menu.h"
#include "ui/speed_button.h"
#include "ui/switch.h"
#include "ui/tree_list.h"
#include "window_tree/win_tree_record.h"

namespace window_tree {

// The tree's columns.
enum WinTreeColumn {
  kColClass = 0,
  kColTitle,
  kColHandle,
  kColProcessId,
  kColThreadId,
  kColLayout,
  kColLang,
  kColFilename,
  kColFullPath,
};

class TfWinTree : public ui::Form {
 public:
  // With an owner the window stays above it; without one (from the tray menu) it stands alone.
  explicit TfWinTree(ui::Form* owner = nullptr);
  ~TfWinTree() override;
  std::wstring WindowClassName() const override { return L"TfWinTree"; }

  ui::ImageList VIL_Images{20, 20};
  ui::Panel PanelTop{this};
  ui::SpeedButton btnReload{&PanelTop};
  ui::Panel Panel1{&PanelTop};
  ui::Bevel Panel1Edge{&Panel1};  // the panel's flat line on its left edge
  ui::Switch swShowHiddenWindows{&Panel1};
  ui::Label L_ShowHiddenWindows{&Panel1};
  ui::Panel PanelBottom{this};
  ui::Label Label1{&PanelBottom};
  ui::Edit edWindowsClass{&PanelBottom};
  ui::SpeedButton edWindowsClassButton{&PanelBottom};  // the edit's right-hand copy button
  ui::Label Label2{&PanelBottom};
  ui::Edit edProcessName{&PanelBottom};
  ui::SpeedButton edProcessNameButton{&PanelBottom};
  ui::FlatButton btnClose{&PanelBottom};
  ui::TreeList vstWinTree{this};

  ui::PopupMenu pmWinTree;
  ui::MenuItem* L_CopyText = nullptr;
  ui::MenuItem* pmm_CopyToClipboard = nullptr;
  ui::MenuItem* L_Copy_Window_Class = nullptr;
  ui::MenuItem* pmm_CopyToClipboard_Class = nullptr;
  ui::MenuItem* L_Copy_Process_Name = nullptr;
  ui::MenuItem* pmm_CopyToClipboard_Filename = nullptr;
  ui::MenuItem* pmm_ExpandAll = nullptr;
  ui::MenuItem* pmm_CollapseAll = nullptr;
  ui::MenuItem* pmm_Update = nullptr;

  // --- Handlers
  void FormCreate();
  void FormShow();
  void FormKeyDown(WORD& key);
  void btnCloseClick();
  void btnReloadClick() { FillTree(); }
  void pmm_UpdateClick() { FillTree(); }
  void swShowHiddenWindowsClick() { FillTree(); }
  void pmm_ExpandAllClick();
  void pmm_CollapseAllClick();
  void vstWinTreeChange(ui::TreeNode* node);
  void vstWinTreeGetText(ui::TreeNode* node, int column, std::wstring& text);
  void vstWinTreeGetImageIndex(ui::TreeNode* node, int column, ui::ImageKind kind, int& index);
  // The edit whose copy button was pressed: its text selected, focused and copied.
  void edWindowsClassRightButtonClick(ui::Edit& edit);
  void pmWinTreePopup();
  void pmm_CopyToClipboardClick(ui::MenuItem& sender);

  void FillTree();
  void ApplyLanguage();

  // The distinct image paths of the last fill, the empty one included.
  const std::set<std::wstring>& ImagePaths() const noexcept { return m_imagePaths; }

 protected:
  void MakeCreateParams(ui::CreateParams& params) override;

 private:
  void BuildLayout();
  void BuildTree();
  void BuildMenu();
  // Adds Wnd and its later siblings under Parent, each with the windows below it. A window met
  // before (a sibling chain that loops while programs reorder their windows) ends the chain.
  void AddWindows(ui::TreeNode* parent, os::WindowId wnd, std::set<os::WindowId>& visited);

  ui::Form* m_owner;
  std::set<std::wstring> m_imagePaths;
};

inline ui::Owned<TfWinTree> fWinTree;

// Creates the inspector when there is none yet, then shows it. The main window's button passes
// itself as the owner; the tray menu passes none. The main window's destruction frees it.
void ShowWinTree(ui::Form* owner = nullptr);

}  // namespace window_tree
