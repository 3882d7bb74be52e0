// Every field of the batch header is shown beside a label: its own ("lType"
// by "cType") or, failing that, its heading.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "screens/payapp/payapp_form.h"

namespace corvena::payapp::testing {
namespace {

using forms::ControlClass;
using forms::ControlDesc;

std::string lowered(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

const ControlDesc* labelOf(const ControlDesc& field) {
  const std::string wanted = "l" + lowered(field.name.substr(1));
  for (const auto& c : Form1Desc().controls)
    if (c.cls == ControlClass::Label && lowered(c.name) == wanted && c.parent == field.parent)
      return &c;
  return nullptr;
}

bool isField(ControlClass cls) {
  return cls == ControlClass::MaskedText || cls == ControlClass::Float ||
         cls == ControlClass::Date || cls == ControlClass::Combo;
}

TEST(HeaderLabels, EveryHeaderFieldHasALabelOrAHeading) {
  int fields = 0;
  for (const auto& c : Form1Desc().controls) {
    if (c.parent != "frmNAHeader" || !isField(c.cls)) continue;
    ++fields;
    const ControlDesc* label = labelOf(c);
    EXPECT_TRUE((label && !label->caption.empty()) || !c.heading.empty()) << c.name;
  }
  EXPECT_EQ(fields, 14);
}

TEST(HeaderLabels, TheReferenceToApplyIsLabelledAsSuch) {
  for (const auto& c : Form1Desc().controls) {
    if (c.name != "cCMRefNbr") continue;
    const ControlDesc* label = labelOf(c);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->caption, "Ref Nbr to Apply:");
    return;
  }
  FAIL() << "no cCMRefNbr";
}

}  // namespace
}  // namespace corvena::payapp::testing
