#pragma once
// The program's pictures live in a resource file compiled into the library; windows that
// show them call loadResources() first (idempotent).
void loadResources();
