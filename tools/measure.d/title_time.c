/* Starts a program and prints how many milliseconds pass until its first picture shows on the
 * X screen: the first time the screen's middle row is no longer all black. The program is left
 * running; its process id goes to standard error. Usage: title_time PROGRAM [ARGS...] */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

static double Now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

static int RowShowsSomething(Display* display, Window root, int width, int y) {
    XImage* row = XGetImage(display, root, 0, y, (unsigned)width, 1, AllPlanes, ZPixmap);
    if (!row) return 0;
    int lit = 0;
    for (int x = 0; x < width && !lit; ++x) lit = (XGetPixel(row, x, 0) & 0xFFFFFF) != 0;
    XDestroyImage(row);
    return lit;
}

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: title_time PROGRAM [ARGS...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "title_time: no X display\n");
        return 2;
    }
    Window root = DefaultRootWindow(display);
    int width = DisplayWidth(display, DefaultScreen(display));
    int height = DisplayHeight(display, DefaultScreen(display));
    double start = Now();
    pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    fprintf(stderr, "%d\n", (int)child);
    while (Now() - start < 20000) {
        /* Two rows, so that a picture with a black band across its middle still counts. */
        if (RowShowsSomething(display, root, width, height / 2) ||
            RowShowsSomething(display, root, width, height / 3)) {
            printf("%.0f\n", Now() - start);
            return 0;
        }
        usleep(1000);
    }
    fprintf(stderr, "title_time: nothing showed within 20 s\n");
    return 1;
}
