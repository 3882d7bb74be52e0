#pragma once
// The host's table records (ARDoc, Customer, setup rows, ...) and the sign-on and
// currency records, for screens that read or fill host rows.

#include "platform/db/host_records.h"
