// Prints one line for every bell the X server rings, so a test can count the program's beeps.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <cstdio>

int main()
{
    int event = 0;
    int error = 0;
    int major = XkbMajorVersion;
    int minor = XkbMinorVersion;
    int opcode = 0;
    Display *display = XkbOpenDisplay(nullptr, &event, &error, &major, &minor, nullptr);
    if (!display || !XkbQueryExtension(display, &opcode, &event, &error, &major, &minor)) {
        std::fprintf(stderr, "bellwatch: no XKB on this display\n");
        return 1;
    }
    XkbSelectEvents(display, XkbUseCoreKbd, XkbBellNotifyMask, XkbBellNotifyMask);
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;) {
        XEvent e;
        XNextEvent(display, &e);
        if (e.type == event && reinterpret_cast<XkbEvent *>(&e)->any.xkb_type == XkbBellNotify) {
            std::printf("bell\n");
            std::fflush(stdout);
        }
    }
}
