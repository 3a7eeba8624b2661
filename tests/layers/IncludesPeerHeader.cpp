// A core source that includes the reference camera library's header.
#include "kelpra/KelpraTestHooks.h"
