#pragma once
// The message box moved below every folder; this name stays for the callers in app/.
#include "core/Messages.h"
