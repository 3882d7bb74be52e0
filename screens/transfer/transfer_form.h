#pragma once
// The transfer screen's two forms as declared: the main form with the batch,
// the source and the destination grid, and the detail-lines form opened for
// one destination.

#include "platform/forms/form.h"

namespace corvena::transfer {

const forms::FormDesc& Form1Desc();
const forms::FormDesc& DetailLinesDesc();

}  // namespace corvena::transfer
