// Builds a window from its table in window_layout.h: the form's own
// settings, then every control in table order with its name, parent,
// bounds, caption, font and starting state. The forms then look their
// controls up by name.
#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/forms.h"
#include "ui/window_layout.h"

namespace ui {

class FormControls {
 public:
  void Add(std::string name, TControl* control) { controls_.emplace_back(std::move(name), control); }
  TControl* Find(std::string_view name) const;
  // The control of that name as a T; throws std::logic_error when the
  // table has no such control or it is of another class.
  template <class T>
  T* Get(std::string_view name) const {
    T* control = dynamic_cast<T*>(Find(name));
    if (!control) Missing(name);
    return control;
  }

 private:
  [[noreturn]] static void Missing(std::string_view name);
  std::vector<std::pair<std::string, TControl*>> controls_;
};

// Caption, border and icons, placement, size, font and stay-on-top.
void ApplyFormLayout(TCustomForm& form, const FormLayout& spec);

// Creates the controls of `spec` on `form` (which owns them).
FormControls BuildControls(TCustomForm& form, const FormLayout& spec);

// Copies a table font into a control's font.
void ApplyFont(TFont& font, const FontDesc& spec);

}  // namespace ui
