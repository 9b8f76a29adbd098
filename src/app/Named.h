#pragma once
// The naming helper moved below every folder; this name stays for the callers in app/.
#include "core/Named.h"
