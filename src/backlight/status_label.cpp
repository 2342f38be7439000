#include "backlight/status_label.h"

#include "ui/application.h"

namespace backlight {
namespace {
UiDispatcher g_dispatcher;
StatusSink g_sink;  // read on the UI thread only
}  // namespace

void SetUiDispatcher(UiDispatcher dispatcher) { g_dispatcher = std::move(dispatcher); }
void SetStatusSink(StatusSink sink) { g_sink = std::move(sink); }

void PrepareUiDispatcher() {
  if (!g_dispatcher) ui::App().UtilityWindow();
}

bool ShowStatus(const std::function<std::wstring()>& text, os::Signal& abandon) {
  // The text is looked up on the UI thread too: the UI text table belongs to it.
  const std::function<void()> show = [&text] {
    if (g_sink) g_sink(text());
  };
  return g_dispatcher ? g_dispatcher(show, abandon) : ui::App().Synchronize(show, abandon);
}

}  // namespace backlight
