#include "settings_window/page_saving.h"

#include "core/common.h"
#include "monitor/globals.h"
#include "monitor/main_window.h"

namespace settings_window {

bool SavePages(FilterRebuild rebuild) {
  auto* settings = core::Settings.get();
  if (settings == nullptr || monitor::fMain == nullptr || !monitor::IsFirstShowDone) return false;
  settings->ReadFromUI();
  if (rebuild == FilterRebuild::Lists1) settings->BuildFilterLists();
  if (rebuild == FilterRebuild::List2) settings->BuildFilterList2();
  settings->Save(core::FileSettings, *monitor::fMain);
  return true;
}

void ChooseColorAndSave(ui::ColorButton& button) {
  monitor::TfMain* main = monitor::fMain;
  if (main == nullptr) return;
  main->ColorDialog.FullOpen = true;
  main->ColorDialog.SetColor(button.SelectionColor());
  if (!main->ColorDialog.Execute(main)) return;
  button.SetSelectionColor(main->ColorDialog.Color());
  SavePages();
}

void RepaintTree(ui::TreeList& tree) {
  if (tree.HandleAllocated()) ::InvalidateRect(tree.Handle(), nullptr, FALSE);
}

}  // namespace settings_window
