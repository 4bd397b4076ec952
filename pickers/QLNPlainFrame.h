// A frame for a box of text that shows on every side of a themed page's body.
#pragma once
#include <windows.h>

// Replaces a static control's sunken edge by a plain frame of the same width, so that the box
// keeps its place and size. A sunken edge is grey at the top and left and white at the bottom
// and right: on the white body of a themed page only half of it shows.
void QLNGivePlainFrame(HWND hWnd);
