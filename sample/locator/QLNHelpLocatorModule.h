// Module-wide state of the help-file locator server: its instance handle and the count of
// live objects and server locks that DllCanUnloadNow answers from.
#pragma once
#include <windows.h>

HMODULE QLNHelpLocatorInstance();
void QLNHelpLocatorAddRef();
void QLNHelpLocatorRelease();
