// The platform's HTML Help viewer run as a program of its own.
#pragma once
#include <windows.h>

// Starts the viewer program of the system folder on topic contextId of helpFile and waits a few
// seconds for its window: answers that window, or null when the viewer is missing, ended
// without a window (a file or topic it cannot open) or showed none in time. The viewer lives
// in its own process, so a fault in it or in its HTML engine cannot take the caller down.
HWND QLNStartHelpViewer(LPCWSTR pszHelpFile, DWORD contextId);

// Whether the system has the viewer program that QLNStartHelpViewer runs.
bool QLNHasHelpViewerProgram();
