/* The game's swaps counted from outside, for the pace check: preloaded
   (LD_PRELOAD), it wraps SDL_GL_SwapWindow and keeps the running count,
   as text, at the start of the file TVL_SWAP_COUNT_FILE names. With
   TVL_VIEWPORT_FILE set it also wraps glViewport and appends each size
   the game's ResizeViewport gives, at the origin, "W H" a line (full
   screen moves the viewport of the full box into the middle: not a size
   given).
   With TVL_COPY_COUNT_FILE set it counts glCopyPixels calls the same way
   as swaps: full screen makes them without framebuffer objects, and at
   the full box for the first frame after each viewport the game sets. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

/* The running count of a call, as text, at the start of the file an
   environment variable names (a file descriptor kept in *fd). */
static void Count(const char *variable, int *fd, unsigned long *count) {
  if (*fd == -2) {
    const char *path = getenv(variable);
    *fd = path != NULL ? open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644) : -1;
  }
  ++*count;
  if (*fd >= 0) {
    char text[24];
    const int length = snprintf(text, sizeof text, "%20lu\n", *count);
    if (pwrite(*fd, text, (size_t)length, 0) != length)
      *fd = -1; /* nothing more to count into */
  }
}

typedef struct SDL_Window SDL_Window;
typedef void (*SwapWindow)(SDL_Window *);

void SDL_GL_SwapWindow(SDL_Window *window) {
  static SwapWindow real;
  static int fd = -2;
  static unsigned long count;
  if (real == NULL)
    real = (SwapWindow)dlsym(RTLD_NEXT, "SDL_GL_SwapWindow");
  if (real != NULL)
    real(window);
  Count("TVL_SWAP_COUNT_FILE", &fd, &count);
}

typedef void (*Viewport)(int, int, int, int);

void glViewport(int x, int y, int width, int height) {
  static Viewport real;
  static FILE *log;
  static int opened;
  if (real == NULL)
    real = (Viewport)dlsym(RTLD_NEXT, "glViewport");
  if (!opened) {
    const char *path = getenv("TVL_VIEWPORT_FILE");
    log = path != NULL ? fopen(path, "a") : NULL;
    opened = 1;
  }
  if (real != NULL)
    real(x, y, width, height);
  if (log != NULL && x == 0 && y == 0) {
    fprintf(log, "%d %d\n", width, height);
    fflush(log);
  }
}

typedef void (*CopyPixels)(int, int, int, int, unsigned);

void glCopyPixels(int x, int y, int width, int height, unsigned type) {
  static CopyPixels real;
  static int fd = -2;
  static unsigned long count;
  if (real == NULL)
    real = (CopyPixels)dlsym(RTLD_NEXT, "glCopyPixels");
  if (real != NULL)
    real(x, y, width, height, type);
  Count("TVL_COPY_COUNT_FILE", &fd, &count);
}
