#include "runtime/corvena_vbt_app.h"

#include <algorithm>
#include <cctype>

#include "platform/forms/runtime_error.h"
#include "runtime/app_information.h"
#include "runtime/kelpbas.h"
#include "runtime/text_value.h"

namespace corvena::runtime {

namespace {

std::string lowerCase(std::string_view s) {
  std::string out(s);
  for (auto& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string_view arrayFor(const std::string& className) {
  if (className == "zeptools.zepframe") return "ZEPNewFrame";
  if (className == "tabdlg.sstab.1") return "ZEPNewTab";
  return "ZEPContainer1";
}

// Customisation skips a step that raises a run-time error and goes on with the
// next; any other fault is no part of its plan and goes up to the caller.
template <class F>
void step(F&& statement) {
  try {
    statement();
  } catch (const forms::RuntimeError&) {
  }
}

}  // namespace

CorvenaVBTApp::CorvenaVBTApp(forms::Session& session)
    : SavedHelpFile(App().HelpFile), session_(session) {}

CorvenaVBTApp::~CorvenaVBTApp() {
  for (int i = 0; i < CreatedFormCount; ++i) {
    forms::Form* form = CreatedForms[static_cast<std::size_t>(i)];
    step([&] {
      if (stillLoaded(form)) session_.unloadForm(*form);
    });
  }
}

bool CorvenaVBTApp::stillLoaded(const forms::Form* form) const {
  const auto& forms = session_.forms();
  return std::any_of(forms.begin(), forms.end(),
                     [&](const auto& f) { return f.get() == form && f->loaded(); });
}

host::CreatedObject CorvenaVBTApp::CreateControl(std::string_view className, std::int32_t& hwnd,
                                                 forms::Form* FormToPlaceCtrl) {
  const std::string name = lowerCase(className);
  if (name == PlainFormClass) return createForm(hwnd);
  return createArrayElement(arrayFor(name), FormToPlaceCtrl, hwnd);
}

host::CreatedObject CorvenaVBTApp::createForm(std::int32_t& hwnd) {
  forms::Form* form = nullptr;
  step([&] { form = &session_.loadForm(new_form()); });
  if (!form) return {};
  CreatedForms.push_back(form);
  ++CreatedFormCount;
  hwnd = static_cast<std::int32_t>(form->windowHandle());
  return form;
}

host::CreatedObject CorvenaVBTApp::createArrayElement(std::string_view arrayName, forms::Form* form,
                                                      std::int32_t& hwnd) {
  forms::Control* first = nullptr;
  step([&] {
    if (form) first = form->find(arrayName, 0);
  });
  if (!first) return {};
  int n = 0;
  step([&] {
    n = ValInt16(first->property("tag")) + 1;
    session_.setProperty(*first, "tag", std::to_string(n));
  });
  if (arrayName == "ZEPContainer1") {
    step([&] {
      if (first->visible()) session_.setProperty(*first, "visible", "0");
    });
  }
  forms::Control* created = nullptr;
  step([&] { created = &form->loadArrayElement(arrayName, n); });
  hwnd = 0;
  if (!created) return {};
  return created;
}

bool CorvenaVBTApp::UnloadForm(forms::Form* lpdForm) {
  if (!lpdForm) return false;
  session_.unloadForm(*lpdForm);
  return true;
}

void CorvenaVBTApp::DeleteControl(forms::Control* CtrlToDelete) {
  step([&] {
    if (CtrlToDelete) CtrlToDelete->form().unloadControl(*CtrlToDelete);
  });
}

void CorvenaVBTApp::ChangeHelpFile(std::string_view NewHelpFile) {
  App().HelpFile = std::string(NewHelpFile);
}

void CorvenaVBTApp::RestoreHelpFile() {
  App().HelpFile = SavedHelpFile;
}

void CorvenaVBTApp::DisplayForm(forms::Form* lpdForm) {
  if (!lpdForm) throw forms::RuntimeError(91, "Object variable not set");
  session_.showForm(*lpdForm, false);
}

void CorvenaVBTApp::HideForm(forms::Form* lpdForm) {
  if (!lpdForm) throw forms::RuntimeError(91, "Object variable not set");
  session_.hideForm(*lpdForm);
}

}  // namespace corvena::runtime
