#pragma once
// The customer setup form (QM.181.00) as data: the parent national account with
// its options above, the child customers in a grid below.

#include "platform/forms/form.h"

namespace corvena::qm18100 {

forms::FormDesc QM18100Form();

}  // namespace corvena::qm18100
