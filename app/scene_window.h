// The game window and its GL context: open, close, window procedure, viewport.
#pragma once

#include "platform/win32.h"

bool OpenSceneWindow(const char *title, int width, int height, int bits,
                     bool fullScreenWanted);
void CloseSceneWindow();
LRESULT CALLBACK SceneWindowProc(HWND window, UINT message, WPARAM wParam,
                                 LPARAM lParam);
void ResizeViewport(int width, int height);
