#include "runtime/host/kelpapi.h"
