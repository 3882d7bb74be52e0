#pragma once
// The application object a screen gives the host at registration: the host's
// customisation creates forms and controls inside the screen through it, and
// shows, hides and unloads forms and switches help files.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms/session.h"
#include "runtime/host/application_object.h"

namespace corvena::runtime {

// The host's class identifier of a plain form, matched in lower case.
inline constexpr std::string_view PlainFormClass = "corvena.form";

class CorvenaVBTApp : public host::ApplicationObject {
 public:
  explicit CorvenaVBTApp(forms::Session& session);
  // Unloads every form it created, in creation order.
  ~CorvenaVBTApp() override;
  CorvenaVBTApp(const CorvenaVBTApp&) = delete;
  CorvenaVBTApp& operator=(const CorvenaVBTApp&) = delete;

  host::CreatedObject CreateControl(std::string_view className, std::int32_t& hwnd,
                                    forms::Form* FormToPlaceCtrl) override;
  bool UnloadForm(forms::Form* lpdForm) override;
  void DeleteControl(forms::Control* CtrlToDelete) override;
  void ChangeHelpFile(std::string_view NewHelpFile) override;
  void RestoreHelpFile() override;
  void DisplayForm(forms::Form* lpdForm) override;
  void HideForm(forms::Form* lpdForm) override;

  std::vector<forms::Form*> CreatedForms;
  std::int16_t CreatedFormCount = 0;
  std::string SavedHelpFile;

 private:
  host::CreatedObject createForm(std::int32_t& hwnd);
  host::CreatedObject createArrayElement(std::string_view arrayName, forms::Form* form,
                                         std::int32_t& hwnd);
  bool stillLoaded(const forms::Form* form) const;
  forms::Session& session_;
};

}  // namespace corvena::runtime
