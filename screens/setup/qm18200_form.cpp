#include "screens/setup/qm18200_form.h"

#include <string>

#include "runtime/kelpbas.h"

namespace corvena::qm18200 {

namespace {

using forms::ControlClass;
using forms::ControlDesc;

ControlDesc label(std::string name, std::string caption) {
  return {.cls = ControlClass::Label, .name = std::move(name), .caption = std::move(caption)};
}

}  // namespace

forms::FormDesc QM18200Form() {
  forms::FormDesc desc{"Form1", Caption, {}};
  desc.controls = {
      {.cls = ControlClass::Update, .name = "Update1", .levels = "NASetup;C"},
      label("lWashAcct", "Wash Account:"),
      {.cls = ControlClass::MaskedText,
       .name = "cWashAcct",
       .fieldname = "bxnasetup.vond1",
       .level = "0",
       .mask = std::string(10, 'X'),
       .pv = "account_all",
       .blankerr = true,
       .fieldclass = 101},
      label("lWashSub", "Wash Sub:"),
      {.cls = ControlClass::MaskedText,
       .name = "cWashSub",
       .fieldname = "bxnasetup.vond2",
       .level = "0",
       .mask = std::string(24, 'X'),
       .pv = "subacct_sub_active",
       .blankerr = true,
       .fieldclass = 1},
      label("lLastNABatNbr", "Last NA Batch Number:"),
      {.cls = ControlClass::MaskedText,
       .name = "cLastNABatNbr",
       .fieldname = "bXNASETUP.LastNABatNbr",
       .level = "0",
       .mask = std::string(10, 'X'),
       .heading = "Last NA Batch Number"},
      label("lWarning",
            "The Wash Account and SubAccount must be setup in Cash Manager as a Bank Account if "
            "you are using the Cash Manager Module. "),
  };
  for (auto& control : runtime::customisationArrays()) desc.controls.push_back(std::move(control));
  return desc;
}

}  // namespace corvena::qm18200
