#pragma once
// A form with the About page's HTML view filling it, for tests that show a page in the real view.
#include "ui/form.h"
#include "ui/html_view.h"

namespace testing_support {

class HtmlViewForm : public ui::Form {
 public:
  HtmlViewForm() {
    SetBorderStyle(ui::BorderStyle::None);
    SetBounds(0, 0, 500, 300);
    View.SetAlign(ui::Align::Client);
  }
  ui::HtmlView View{this};
};

}  // namespace testing_support
