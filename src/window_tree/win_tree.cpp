#include "window_tree/win_tree.h"

#include <algorithm>
#include <exception>
#include <string_view>

#include "core/common.h"
#include "os/system.h"
#include "tray/data_module.h"
#include "ui/clipboard.h"
#include "ui/resource.h"
#include "ui/system_colors.h"

namespace window_tree {
namespace {

constexpr ui::NamedResource kSvgIcons[] = {
#include "generated/svg_icon_names.inc"
};

// The desktop's own icon: the shell's Desktop folder.
constexpr wchar_t kDesktopShellName[] = L"shell:::{B4BFCC3A-DB2C-424C-B029-7FE99A87C641}";
constexpr int kImageRefresh = 0;
constexpr int kImageCopy = 1;

// The resource of the icon collection's image whose name ends with `name` ("refresh").
const wchar_t* IconResource(std::wstring_view name) {
  for (const auto& icon : kSvgIcons) {
    const std::wstring_view n = icon.Name;
    if (n.size() >= name.size() && n.substr(n.size() - name.size()) == name) return icon.Resource;
  }
  return nullptr;
}

bool IsBlank(const std::wstring& text) {
  return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c <= L' '; });
}

ui::MenuItem* AddLabel(ui::MenuItem& root, const std::wstring& caption) {
  auto* item = root.Add(std::make_unique<ui::MenuItem>(caption, ui::MenuItemKind::Label));
  item->Bold = true;
  item->FontColor = ui::syscolor::kHighlight;
  item->FontSizePercent = 90;
  return item;
}

}  // namespace

TfWinTree::TfWinTree(ui::Form* owner) : m_owner(owner) {
  Name = L"fWinTree";
  SetCaption(L"Windows Tree");
  SetColor(os::clBtnFace);
  SetFont({L"Segoe UI", Px(12), false, os::clWindowText});
  SetShowHint(true);
  SetKeyPreview(true);
  for (const wchar_t* icon : {L"refresh", L"content_copy"}) {
    if (const wchar_t* resource = IconResource(icon)) VIL_Images.AddFromResource(resource, icon);
  }
  BuildLayout();
  BuildTree();
  BuildMenu();

  OnCreate = [this] { FormCreate(); };
  OnShow = [this] { FormShow(); };
  OnKeyDown = [this](WORD& key) { FormKeyDown(key); };
}

TfWinTree::~TfWinTree() = default;

void TfWinTree::MakeCreateParams(ui::CreateParams& params) {
  ui::Form::MakeCreateParams(params);
  params.Owner = m_owner != nullptr ? m_owner->Handle() : nullptr;
  params.ExStyle |= WS_EX_APPWINDOW;  // its own taskbar button, owned or not
}

void TfWinTree::BuildLayout() {
  SetClientSize(Px(1234), Px(711));
  // Centred on the owner, or on the work area; never with its caption off the screen.
  const os::Rect area = m_owner != nullptr ? m_owner->BoundsRect() : os::Sys().PrimaryWorkArea();
  const os::Rect work = os::Sys().PrimaryWorkArea();
  const int left = std::max(work.Left, area.Left + (area.Width() - Width()) / 2);
  const int top = std::max(work.Top, area.Top + (area.Height() - Height()) / 2);
  SetBounds(left, top, Width(), Height());

  PanelTop.SetAlign(ui::Align::Top);
  PanelTop.SetHeight(Px(30));
  btnReload.SetAlign(ui::Align::Left);
  btnReload.SetWidth(Px(30));
  btnReload.SetImages(&VIL_Images);
  btnReload.SetImageIndex(kImageRefresh);
  btnReload.SetHint(L"Update");
  btnReload.OnClick = [this] { btnReloadClick(); };
  Panel1.SetAlign(ui::Align::Left);
  Panel1.SetWidth(Px(371));
  Panel1Edge.SetShape(ui::BevelShape::LeftLine);
  Panel1Edge.SetAlign(ui::Align::Left);
  Panel1Edge.SetWidth(Px(2));
  swShowHiddenWindows.SetBounds(Px(9), Px(6), Px(40), Px(18));
  swShowHiddenWindows.SetFrameColor(os::clGray);
  swShowHiddenWindows.OnClick = [this] { swShowHiddenWindowsClick(); };
  L_ShowHiddenWindows.SetAutoSize(true);
  L_ShowHiddenWindows.SetFont(GetFont());
  L_ShowHiddenWindows.SetBounds(Px(60), Px(7), Px(150), Px(16));
  L_ShowHiddenWindows.SetCaption(L"Show Hidden Windows");

  PanelBottom.SetAlign(ui::Align::Bottom);
  PanelBottom.SetHeight(Px(35));
  const ui::Font editFont{L"Segoe UI", Px(13), true, os::clWindowText};
  struct CopyEdit {
    ui::Label& Caption;
    const wchar_t* Text;
    int LabelLeft, LabelTop, EditLeft;
    ui::Edit& Box;
    ui::SpeedButton& Button;
  };
  for (CopyEdit e : {CopyEdit{Label1, L"Window Class:", 6, 9, 103, edWindowsClass,
                              edWindowsClassButton},
                     CopyEdit{Label2, L"Process Name:", 406, 10, 495, edProcessName,
                              edProcessNameButton}}) {
    e.Caption.SetAutoSize(true);
    e.Caption.SetFont(GetFont());
    e.Caption.SetBounds(Px(e.LabelLeft), Px(e.LabelTop), Px(90), Px(16));
    e.Caption.SetCaption(e.Text);
    // The edit and its right-hand button share the 270 pixels of the edit with a button.
    e.Box.SetBounds(Px(e.EditLeft), Px(6), Px(270 - 23), Px(23));
    e.Box.SetReadOnly(true);
    e.Box.SetBorder(false);
    e.Box.SetColor(0xDCDCDC);
    e.Box.SetFont(editFont);
    e.Button.SetBounds(Px(e.EditLeft + 270 - 23), Px(6), Px(23), Px(23));
    e.Button.SetColor(0xDCDCDC);
    e.Button.SetImages(&VIL_Images);
    e.Button.SetImageIndex(kImageCopy);
    e.Button.SetHint(L"Copy to Clipboard");
    ui::Edit* box = &e.Box;
    e.Button.OnClick = [this, box] { edWindowsClassRightButtonClick(*box); };
  }
  btnClose.SetBounds(Px(1132), Px(3), Px(90), Px(30));
  btnClose.SetAnchors(ui::akTop | ui::akRight);
  btnClose.SetCaption(L"Close");
  btnClose.OnClick = [this] { btnCloseClick(); };
}

void TfWinTree::BuildTree() {
  ui::TreeList& t = vstWinTree;
  t.SetAlign(ui::Align::Client);
  t.SetBorder(false);
  t.SetFont({L"Segoe UI", Px(11), false, os::clWindowText});
  t.SetDefaultNodeHeight(Px(17));
  t.SetHeaderHeight(Px(24));
  t.SetColumnsMovable(true);
  t.SetShowButtons(true);
  t.SetShowRoot(true);
  t.SetShowTreeLines(true);
  t.SetGridLines(false, true);
  t.SetRightClickSelect(true);
  t.SetToggleOnDoubleClick(true);
  t.SetSelectionColors(ui::syscolor::kHighlight, ui::syscolor::kHighlight);
  t.SetPopupMenu(&pmWinTree);
  if (tray::DM != nullptr) {
    t.SetImages(&tray::DM->SysImageList);
    t.SetStateImages(&tray::DM->IL_Flag16);
  }
  struct ColumnSpec {
    const wchar_t* Text;
    int Width;
    ui::ColumnAlign Align;
  };
  static constexpr ColumnSpec kColumns[] = {
      {L"Window Class", 200, ui::ColumnAlign::Left}, {L"Title", 200, ui::ColumnAlign::Left},
      {L"Handle", 70, ui::ColumnAlign::Right},       {L"Process ID", 70, ui::ColumnAlign::Right},
      {L"Thread ID", 70, ui::ColumnAlign::Right},    {L"Layout", 80, ui::ColumnAlign::Center},
      {L"Lang", 125, ui::ColumnAlign::Left},         {L"Filename", 150, ui::ColumnAlign::Left},
      {L"Full Path", 250, ui::ColumnAlign::Left},
  };
  for (const ColumnSpec& c : kColumns) t.AddColumn(c.Text, Px(c.Width), c.Align);
  t.OnGetText = [this](ui::TreeNode* n, int column, std::wstring& text) {
    vstWinTreeGetText(n, column, text);
  };
  t.OnGetImageIndex = [this](ui::TreeNode* n, int column, ui::ImageKind kind, int& index) {
    vstWinTreeGetImageIndex(n, column, kind, index);
  };
  t.OnChange = [this](ui::TreeNode* n) { vstWinTreeChange(n); };
}

void TfWinTree::BuildMenu() {
  pmWinTree.Images = &VIL_Images;
  pmWinTree.OnPopup = [this] { pmWinTreePopup(); };
  ui::MenuItem& root = pmWinTree.Items();
  auto copyItem = [this, &root] {
    ui::MenuItem* item = root.Add();
    item->ImageIndex = kImageCopy;
    item->Bold = true;
    item->FontSizePercent = 90;
    item->ShowAccelChar = false;  // window titles and class names: "&" is itself
    item->OnClick = [this](ui::MenuItem& sender) { pmm_CopyToClipboardClick(sender); };
    return item;
  };
  L_CopyText = AddLabel(root, L"Copy text");
  pmm_CopyToClipboard = copyItem();
  root.AddSeparator();
  L_Copy_Window_Class = AddLabel(root, L"Copy Window Class");
  pmm_CopyToClipboard_Class = copyItem();
  root.AddSeparator();
  L_Copy_Process_Name = AddLabel(root, L"Copy Process Name");
  pmm_CopyToClipboard_Filename = copyItem();
  root.AddSeparator();
  pmm_ExpandAll = root.Add(L"Expand All");
  pmm_ExpandAll->OnClick = [this](ui::MenuItem&) { pmm_ExpandAllClick(); };
  pmm_CollapseAll = root.Add(L"Collapse All");
  pmm_CollapseAll->OnClick = [this](ui::MenuItem&) { pmm_CollapseAllClick(); };
  root.AddSeparator();
  pmm_Update = root.Add(L"Update");
  pmm_Update->ImageIndex = kImageRefresh;
  pmm_Update->OnClick = [this](ui::MenuItem&) { pmm_UpdateClick(); };
}

void TfWinTree::FormCreate() { FillTree(); }

void TfWinTree::FormShow() { ApplyLanguage(); }

void TfWinTree::FormKeyDown(WORD& key) {
  if (key == VK_ESCAPE) {
    key = 0;
    Close();
  }
}

void TfWinTree::btnCloseClick() { Close(); }

void TfWinTree::pmm_ExpandAllClick() { vstWinTree.FullExpand(); }

void TfWinTree::pmm_CollapseAllClick() {
  vstWinTree.FullCollapse();
  if (ui::TreeNode* first = vstWinTree.FirstNode()) vstWinTree.SetExpanded(first, true);
}

void TfWinTree::vstWinTreeChange(ui::TreeNode* node) {
  if (node == nullptr) return;
  const TWinTree& r = node->Data<TWinTree>();
  edWindowsClass.SetText(r.WindowClass);
  edProcessName.SetText(FileNamePart(r.ImagePath));
}

void TfWinTree::vstWinTreeGetText(ui::TreeNode* node, int column, std::wstring& text) {
  const TWinTree& r = node->Data<TWinTree>();
  switch (column) {
    case kColClass: text = r.WindowClass; break;
    case kColTitle: text = r.Title; break;
    case kColHandle: text = std::to_wstring(r.Handle.Value); break;
    case kColProcessId: text = std::to_wstring(r.ProcessId); break;
    case kColThreadId: text = std::to_wstring(r.ThreadId); break;
    case kColLayout: text = r.LangISO639 + L"-" + r.CountryISO3166; break;
    case kColLang: text = r.LangName; break;
    case kColFilename: text = FileNamePart(r.ImagePath); break;
    case kColFullPath: text = r.ImagePath; break;
    default: text.clear(); break;
  }
}

void TfWinTree::vstWinTreeGetImageIndex(ui::TreeNode* node, int column, ui::ImageKind kind,
                                        int& index) {
  if (tray::DM == nullptr) return;
  const TWinTree& r = node->Data<TWinTree>();
  auto pathImage = [&r] {
    return IsBlank(r.ImagePath) ? -1 : tray::DM->SysImageList.ImageIndexOf(r.ImagePath, false);
  };
  if (kind == ui::ImageKind::State) {
    if (column == kColLayout) index = tray::DM->IL_Flag16.FindIndexByName(r.CountryISO3166);
    return;
  }
  if (column == kColClass) {
    if (node == vstWinTree.FirstNode()) {
      index = tray::DM->SysImageList.ImageIndexOf(kDesktopShellName, false);
    } else if (node->Level() == 1) {
      index = pathImage();
    }
  } else if (column == kColFilename) {
    index = pathImage();
  }
}

void TfWinTree::edWindowsClassRightButtonClick(ui::Edit& edit) {
  edit.SelectAll();
  edit.SetFocus();
  ui::CopyToClipboardOrTell(edit.Text());
}

void TfWinTree::pmWinTreePopup() {
  ui::TreeNode* node = vstWinTree.FocusedNode();
  if (node == nullptr) return;  // the items keep the texts of the last opening
  std::wstring text;
  vstWinTreeGetText(node, vstWinTree.FocusedColumn(), text);
  pmm_CopyToClipboard->Hint = text;
  pmm_CopyToClipboard->Caption = text;
  pmm_CopyToClipboard->Visible = !IsBlank(text);
  L_CopyText->Visible = pmm_CopyToClipboard->Visible;
  const TWinTree& r = node->Data<TWinTree>();
  pmm_CopyToClipboard_Class->Hint = pmm_CopyToClipboard_Class->Caption = r.WindowClass;
  pmm_CopyToClipboard_Filename->Hint = pmm_CopyToClipboard_Filename->Caption =
      FileNamePart(r.ImagePath);
}

void TfWinTree::pmm_CopyToClipboardClick(ui::MenuItem& sender) {
  ui::CopyToClipboardOrTell(sender.Hint);
}

void TfWinTree::FillTree() {
  vstWinTree.Clear();
  m_imagePaths.clear();
  const os::WindowId desktop = os::Sys().DesktopWindow();
  vstWinTree.BeginUpdate();
  // The update ends, the desktop's node opens and the shell is asked for the programs' icons
  // also when the walk failed half-way: the windows listed so far stay useful.
  std::exception_ptr failure;
  try {
    std::set<os::WindowId> visited;
    AddWindows(nullptr, desktop, visited);
  } catch (...) {
    failure = std::current_exception();
  }
  vstWinTree.EndUpdate();
  if (ui::TreeNode* first = vstWinTree.FirstNode()) vstWinTree.SetExpanded(first, true);
  if (tray::DM != nullptr) {
    for (const std::wstring& path : m_imagePaths) {
      if (!IsBlank(FileNamePart(path))) tray::DM->SysImageList.ImageIndexOf(path, false);
    }
  }
  if (failure) std::rethrow_exception(failure);
}

void TfWinTree::AddWindows(ui::TreeNode* parent, os::WindowId wnd,
                           std::set<os::WindowId>& visited) {
  os::System& sys = os::Sys();
  while (wnd && visited.insert(wnd).second) {
    if (swShowHiddenWindows.Checked() || sys.IsWindowVisible(wnd)) {
      TWinTree record = ReadWindow(wnd);
      m_imagePaths.insert(record.ImagePath);
      ui::TreeNode* node = vstWinTree.AddChild(parent, std::move(record));
      AddWindows(node, sys.FirstChildWindow(wnd), visited);
    }
    wnd = sys.NextSiblingWindow(wnd);
  }
}

void TfWinTree::ApplyLanguage() {
  if (!core::LangTable) return;
  SetCaption(core::GetLangText(121));
  L_ShowHiddenWindows.SetCaption(core::GetLangText(122));
  btnClose.SetCaption(core::GetLangText(123));
  pmm_ExpandAll->Caption = core::GetLangText(124);
  pmm_CollapseAll->Caption = core::GetLangText(125);
  pmm_Update->Caption = core::GetLangText(126);
}

void ShowWinTree(ui::Form* owner) {
  if (!fWinTree) {
    fWinTree.reset(new TfWinTree(owner));
    fWinTree->DoCreate();
  }
  fWinTree->Show();
  if (fWinTree->HandleAllocated()) ::SetForegroundWindow(fWinTree->Handle());
}

}  // namespace window_tree
