#pragma once
// Small display steps the handlers share.

#include <string_view>

#include "platform/forms/control.h"

namespace corvena::payapp {

// DispFields over the whole form.
void RedrawAll();
// A header control, through SetProps.
void EnableField(forms::Control* control, bool enabled);
// A grid column, through SetCtrlProp.
void EnableColumn(forms::Control* column, bool enabled);
void ShowCaption(forms::Control* label, std::string_view text);
// The possible values of the reference to apply: the parent's released credits of the type.
void SetApplyDocList(std::string_view type);

}  // namespace corvena::payapp
