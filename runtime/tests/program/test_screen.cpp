#include "runtime/tests/program/test_screen.h"

#include "runtime/modal_forms.h"

namespace corvena::runtime::testing {

ScreenDefinition TestScreen::definition() {
  using forms::ControlClass;
  ScreenDefinition def;
  def.program = "QM99999";
  def.form = [] {
    forms::FormDesc desc{"Form1", "Runtime Test Screen (QM.999.99)", {}};
    desc.controls = {
        {.cls = ControlClass::Update, .name = "Update1", .levels = "Customer;N"},
        {.cls = ControlClass::MaskedText,
         .name = "cCustId",
         .fieldname = "bCustomer.CustId",
         .level = "0,k",
         .mask = "UUUUUUUUUUUUUUU"},
        {.cls = ControlClass::MaskedText,
         .name = "cName",
         .fieldname = "bCustomer.Name",
         .level = "0"},
        {.cls = ControlClass::Button, .name = "cmdDetail", .caption = "Detail"},
    };
    for (auto& c : customisationArrays()) desc.controls.push_back(c);
    return desc;
  };
  def.registerHandlers = [this](forms::Form& form) {
    form.control("cmdDetail").onClick([this] {
      DisplayFormModal(detailForm, true);
      bCustomer.Name = "Back from " + std::string(detailNote);
    });
    form.onLoad([this] {
      detailForm = &forms::session().loadForm(detailDesc());
      detailForm->control("cmdOk").onClick([this] { host::hide_form(detailForm); });
      detailForm->control("cNote").onValueCheck([this](std::string& text) {
        detailNote = text;
        return 0;
      });
      LoadSubForm(detailForm);
      RuntimeInit();
      host::SetAddr(0, "bCustomer", bCustomer, nCustomer);
      host::SqlCursorEx(CSR_Customer, 0, "CSR_Customer", "Customer", "Customer");
      ScreenInit();
    });
    form.onUnload([this] {
      ++unloads;
      std::string text1, text2;
      ScreenExit(text1, text2);
    });
  };
  return def;
}

forms::FormDesc TestScreen::detailDesc() {
  using forms::ControlClass;
  return forms::FormDesc{"Form2",
                         "Detail",
                         {{.cls = ControlClass::MaskedText,
                           .name = "cNote",
                           .fieldname = "bCustomer.Attn",
                           .level = "0"},
                          {.cls = ControlClass::Button, .name = "cmdOk", .caption = "OK"}}};
}

}  // namespace corvena::runtime::testing
