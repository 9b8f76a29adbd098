#pragma once
// The owner helpers moved below every folder; this name stays for the callers in app/.
#include "core/DialogOwner.h"
