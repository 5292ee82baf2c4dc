// The platform seam: the subset of the Win32 API that the game calls. On
// Windows this is <windows.h> itself; elsewhere it declares the same names
// with their published values and layouts, implemented by the shared
// emulation (emulation.h) under a face: SDL2 (sdl/) or the scripted twin
// used in tests (scripted/). Game code includes only this. Each function
// says what the game passes and what it relies on; a new face is written
// from this header.
#pragma once

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

// The game's swap, paced to at most 60 passes a second as the emulation
// paces it elsewhere, and polling the gamepads once a pass
// (win32/paced_swap.cpp): gdi32's SwapBuffers under it.
BOOL PacedSwapBuffers(HDC deviceContext);
#define SwapBuffers PacedSwapBuffers
// The key state with the gamepads' keys held too (win32/xinput_keys.cpp).
SHORT PadAwareGetKeyState(int virtualKey);
#define GetKeyState PadAwareGetKeyState
#else

#include <cstddef>
#include <cstdint>

// ---- Types, with the sizes of 64-bit Windows ------------------------------

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using UINT = unsigned int;
using SHORT = std::int16_t;
using LPSTR = char *;
using LPCSTR = const char *;
using LPCWSTR = const wchar_t *;
using LPVOID = void *;
using LPCVOID = const void *;
using UINT_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;
using SIZE_T = std::size_t;
using WPARAM = UINT_PTR;
using LPARAM = LONG_PTR;
using LRESULT = LONG_PTR;
using ATOM = WORD;
using HANDLE = void *;

// Handles are distinct pointer types, as with STRICT on Windows.
#define TVL_DECLARE_HANDLE(name)                                               \
  struct name##__ {                                                            \
    int unused;                                                                \
  };                                                                           \
  using name = name##__ *
TVL_DECLARE_HANDLE(HWND);
TVL_DECLARE_HANDLE(HDC);
TVL_DECLARE_HANDLE(HGLRC);
TVL_DECLARE_HANDLE(HINSTANCE);
using HMODULE = HINSTANCE;
TVL_DECLARE_HANDLE(HICON);
TVL_DECLARE_HANDLE(HCURSOR);
TVL_DECLARE_HANDLE(HBRUSH);
TVL_DECLARE_HANDLE(HMENU);
#undef TVL_DECLARE_HANDLE

#define TRUE 1
#define FALSE 0
#define WINAPI
#define CALLBACK

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using PROC = void (*)();

struct POINT {
  LONG x;
  LONG y;
};

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};

struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
};

struct WNDCLASSA {
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCSTR lpszMenuName;
  LPCSTR lpszClassName;
};

// The fields the game fills are named; the rest keep the layout.
struct PIXELFORMATDESCRIPTOR {
  WORD nSize;
  WORD nVersion;
  DWORD dwFlags;
  BYTE iPixelType;
  BYTE cColorBits;
  BYTE cRedBits, cRedShift, cGreenBits, cGreenShift, cBlueBits, cBlueShift;
  BYTE cAlphaBits;
  BYTE cAlphaShift;
  BYTE cAccumBits, cAccumRedBits, cAccumGreenBits, cAccumBlueBits,
      cAccumAlphaBits;
  BYTE cDepthBits;
  BYTE cStencilBits;
  BYTE cAuxBuffers;
  BYTE iLayerType;
  BYTE bReserved;
  DWORD dwLayerMask, dwVisibleMask, dwDamageMask;
};
static_assert(sizeof(PIXELFORMATDESCRIPTOR) == 40, "published PFD size");

struct DEVMODEA {
  BYTE dmDeviceName[32];
  WORD dmSpecVersion, dmDriverVersion;
  WORD dmSize;
  WORD dmDriverExtra;
  DWORD dmFields;
  BYTE printerOrPosition[16]; // dmOrientation.. or dmPosition..
  SHORT dmColor, dmDuplex, dmYResolution, dmTTOption, dmCollate;
  BYTE dmFormName[32];
  WORD dmLogPixels;
  DWORD dmBitsPerPel;
  DWORD dmPelsWidth;
  DWORD dmPelsHeight;
  DWORD dmDisplayFlags, dmDisplayFrequency, dmICMMethod, dmICMIntent,
      dmMediaType, dmDitherType, dmReserved1, dmReserved2, dmPanningWidth,
      dmPanningHeight;
};
// 148 is the size of the layout that ends with dmReserved2.
static_assert(offsetof(DEVMODEA, dmPanningWidth) == 148, "DEVMODEA layout");
static_assert(sizeof(DEVMODEA) == 156, "DEVMODEA size");

// ---- Constants, with their published values -------------------------------

#define WM_SIZE 0x0005
#define WM_ACTIVATE 0x0006
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_SYSCOMMAND 0x0112

#define WA_INACTIVE 0
#define WA_ACTIVE 1
#define SIZE_RESTORED 0
#define SC_SCREENSAVE 0xF140
#define SC_MONITORPOWER 0xF170

#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_F1 0x70 // F2..F12 follow
// Letters and digits use their upper-case ASCII codes ('B' = 0x42).

#define MB_OK 0x00000000u
#define MB_YESNO 0x00000004u
#define MB_ICONHAND 0x00000010u
#define MB_ICONSTOP MB_ICONHAND
#define MB_ICONQUESTION 0x00000020u
#define MB_ICONEXCLAMATION 0x00000030u
#define MB_ICONINFORMATION 0x00000040u
#define MB_TYPEMASK 0x0000000Fu
#define MB_ICONMASK 0x000000F0u
#define IDOK 1
#define IDYES 6
#define IDNO 7

#define WS_POPUP 0x80000000u
#define WS_VISIBLE 0x10000000u
#define WS_CLIPSIBLINGS 0x04000000u
#define WS_CLIPCHILDREN 0x02000000u
#define WS_CAPTION 0x00C00000u
#define WS_THICKFRAME 0x00040000u
#define WS_OVERLAPPEDWINDOW 0x00CF0000u // caption, sizing frame, buttons
#define WS_EX_WINDOWEDGE 0x00000100u
#define WS_EX_APPWINDOW 0x00040000u
#define CS_VREDRAW 0x0001u
#define CS_HREDRAW 0x0002u
#define CS_OWNDC 0x0020u

#define PFD_DOUBLEBUFFER 0x00000001u
#define PFD_DRAW_TO_WINDOW 0x00000004u
#define PFD_SUPPORT_OPENGL 0x00000020u
#define PFD_TYPE_RGBA 0
#define PFD_MAIN_PLANE 0

#define DM_BITSPERPEL 0x00040000u
#define DM_PELSWIDTH 0x00080000u
#define DM_PELSHEIGHT 0x00100000u
#define CDS_FULLSCREEN 0x00000004u
#define DISP_CHANGE_SUCCESSFUL 0
#define DISP_CHANGE_FAILED (-1)
#define DISP_CHANGE_BADMODE (-2)

#define SW_SHOW 5
#define PM_REMOVE 0x0001u

#define IDI_WINLOGO (reinterpret_cast<LPCSTR>(UINT_PTR{32517}))
#define IDC_ARROW (reinterpret_cast<LPCSTR>(UINT_PTR{32512}))

#define LOWORD(l) (static_cast<WORD>(static_cast<UINT_PTR>(l) & 0xffff))
#define HIWORD(l) (static_cast<WORD>((static_cast<UINT_PTR>(l) >> 16) & 0xffff))
#define MAKELONG(a, b)                                                         \
  (static_cast<LONG>(static_cast<DWORD>(static_cast<WORD>(a)) |                \
                     (static_cast<DWORD>(static_cast<WORD>(b)) << 16)))

#define GENERIC_READ 0x80000000u
#define FILE_SHARE_READ 0x00000001u
#define OPEN_EXISTING 3u
#define FILE_ATTRIBUTE_NORMAL 0x00000080u
#define INVALID_HANDLE_VALUE                                                   \
  (reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1)))
#define INVALID_FILE_SIZE 0xFFFFFFFFu
#define PAGE_READONLY 0x02u
#define FILE_MAP_READ 0x0004u

// ---- user32: windows, messages, dialogs, keyboard --------------------------

// null: the process's own module, never null.
HINSTANCE GetModuleHandleA(LPCSTR moduleName);
// null instance, IDI_WINLOGO: a non-null icon for the class.
HICON LoadIconA(HINSTANCE instance, LPCSTR iconName);
// null instance, IDC_ARROW: a non-null cursor for the class.
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR cursorName);
// A class with a procedure and a name not taken: non-zero; else 0.
ATOM RegisterClassA(const WNDCLASSA *windowClass);
// FALSE for an unknown class or one that still has windows.
BOOL UnregisterClassA(LPCSTR className, HINSTANCE instance);
// Grows a client rectangle by the frame CreateWindowExA takes off again.
BOOL AdjustWindowRectEx(RECT *rect, DWORD style, BOOL menu, DWORD exStyle);
// A registered class, no parent: a hidden window, WM_SIZE sent; null if not.
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName,
                     DWORD style, int x, int y, int width, int height,
                     HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
// The window and its queued messages go; FALSE for an unknown window.
BOOL DestroyWindow(HWND window);
// SW_SHOW (others change nothing): shown, focused, WM_ACTIVATE on change.
BOOL ShowWindow(HWND window, int showCommand);
// Activates the window (WM_ACTIVATE on change); FALSE for an unknown one.
BOOL SetForegroundWindow(HWND window);
// Key messages go to this window; the previous focus window.
HWND SetFocus(HWND window);
// The focus window, null for none.
HWND GetFocus();
// The window's title, shown in its frame.
BOOL SetWindowTextA(HWND window, LPCSTR text);
// A display counter: the cursor shows while it is 0 or more; the new count.
int ShowCursor(BOOL show);
// W, H, bits, CDS_FULLSCREEN: success only for an offered mode; null: undo.
LONG ChangeDisplaySettingsA(DEVMODEA *mode, DWORD flags);
// MB_OK or MB_YESNO with an icon: IDOK, IDYES or IDNO; the game waits.
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

// null, 0, 0, PM_REMOVE: the next message, WM_QUIT last; FALSE, no wait.
BOOL PeekMessageA(MSG *msg, HWND window, UINT filterMin, UINT filterMax,
                  UINT removeMessage);
// TRUE for a key message; no character messages are made.
BOOL TranslateMessage(const MSG *msg);
// Calls the message's window's class procedure; its result.
LRESULT DispatchMessageA(const MSG *msg);
// WM_QUIT with the code is handed out after the messages already queued.
void PostQuitMessage(int exitCode);
// Default processing: WM_CLOSE destroys the window; everything else is 0.
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// A virtual key: the 0x80 bit set while it is held down.
SHORT GetKeyState(int virtualKey);

// ---- gdi32 and WGL: pixel format, context, buffer swap ---------------------

// The window's own device context, the same until the window goes.
HDC GetDC(HWND window);
// 1 when the DC is the window's.
int ReleaseDC(HWND window, HDC deviceContext);
// An RGBA descriptor of size 40: a format with the depth asked, or 0.
int ChoosePixelFormat(HDC deviceContext, const PIXELFORMATDESCRIPTOR *pfd);
// Once per window, before any context: the format's buffers.
BOOL SetPixelFormat(HDC deviceContext, int format,
                    const PIXELFORMATDESCRIPTOR *pfd);
// A fixed-function context with ARB multitexture, not yet current, or null.
HGLRC wglCreateContext(HDC deviceContext);
// Makes the context current on the DC (null, null: none current).
BOOL wglMakeCurrent(HDC deviceContext, HGLRC renderingContext);
// Releases it first when current; FALSE for an unknown context.
BOOL wglDeleteContext(HGLRC renderingContext);
// A GL or WGL_EXT_swap_control entry point of the current context, or null.
PROC wglGetProcAddress(LPCSTR name);
// Presents the frame; a window not shown waits one refresh interval.
BOOL SwapBuffers(HDC deviceContext);

// ---- kernel32: files mapped read-only --------------------------------------

// GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING: a file or INVALID_HANDLE_VALUE.
HANDLE CreateFileA(LPCSTR fileName, DWORD access, DWORD shareMode,
                   LPVOID security, DWORD creation, DWORD flags,
                   HANDLE templateFile);
// As CreateFileA, for a UTF-16 (here UTF-32) name.
HANDLE CreateFileW(LPCWSTR fileName, DWORD access, DWORD shareMode,
                   LPVOID security, DWORD creation, DWORD flags,
                   HANDLE templateFile);
// The size's low 32 bits (high bits to sizeHigh); INVALID_FILE_SIZE on error.
DWORD GetFileSize(HANDLE file, DWORD *sizeHigh);
// PAGE_READONLY, 0, 0: a mapping of the whole file; null for an empty one.
HANDLE CreateFileMappingA(HANDLE file, LPVOID security, DWORD protect,
                          DWORD maxSizeHigh, DWORD maxSizeLow, LPCSTR name);
// FILE_MAP_READ, 0, 0, 0: the whole file's bytes, valid until unmapped.
LPVOID MapViewOfFile(HANDLE mapping, DWORD access, DWORD offsetHigh,
                     DWORD offsetLow, SIZE_T bytes);
// Ends a view; the file and mapping may already be closed.
BOOL UnmapViewOfFile(LPCVOID view);
// Closes a file or a mapping.
BOOL CloseHandle(HANDLE object);

// ---- kernel32: the program's folders ---------------------------------------

#define FILE_ATTRIBUTE_DIRECTORY 0x00000010u
#define INVALID_FILE_ATTRIBUTES 0xFFFFFFFFu

// The running program's full path (module null) into buffer[size], cut short
// and NUL-terminated when longer; returns the length, size when cut, 0 on
// failure.
DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size);
// FILE_ATTRIBUTE_DIRECTORY for a folder, FILE_ATTRIBUTE_NORMAL for anything
// else that exists, INVALID_FILE_ATTRIBUTES when nothing is there.
DWORD GetFileAttributesA(LPCSTR fileName);
// Makes pathName the working folder; FALSE (nothing changed) when it cannot.
BOOL SetCurrentDirectoryA(LPCSTR pathName);
// The working folder into buffer[size]: its length, or the size it needs
// (with the NUL) when it does not fit, or 0 on failure.
DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer);

// The game's entry, called by the face's main().
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance,
                   LPSTR commandLine, int showCommand);

#endif // _WIN32
