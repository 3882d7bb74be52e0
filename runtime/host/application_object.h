#pragma once
// The application object a screen hands the host at registration: the host asks
// it to create forms and controls inside the screen (customisation) and to show,
// hide and unload forms and switch help files.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "platform/forms/control.h"
#include "platform/forms/form.h"

namespace corvena::host {

// What CreateControl hands back: nothing, a form or a control.
using CreatedObject = std::variant<std::monostate, forms::Form*, forms::Control*>;

class ApplicationObject {
 public:
  virtual ~ApplicationObject() = default;
  virtual CreatedObject CreateControl(std::string_view className, std::int32_t& hwnd,
                                      forms::Form* FormToPlaceCtrl) = 0;
  virtual bool UnloadForm(forms::Form* lpdForm) = 0;
  virtual void DeleteControl(forms::Control* CtrlToDelete) = 0;
  virtual void ChangeHelpFile(std::string_view NewHelpFile) = 0;
  virtual void RestoreHelpFile() = 0;
  virtual void DisplayForm(forms::Form* lpdForm) = 0;
  virtual void HideForm(forms::Form* lpdForm) = 0;
};

}  // namespace corvena::host
