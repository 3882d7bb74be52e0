#include "platform/forms/session.h"

#include "platform/forms/fp.h"
#include "platform/forms/headless_ui.h"
#include "platform/forms/mask.h"
#include "platform/forms/messages.h"
#include "platform/forms/proc_ref.h"
