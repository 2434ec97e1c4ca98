// The control bar's buttons without a window: their table, where each one lies, which one a
// point hits, how a press is tracked to its release, and the bar's height.
#pragma once

#include <stdint.h>

constexpr int kBarButtonCount = 13;

struct BarButton {
    const char* icon; // the icon resource drawn on the face
    uint16_t command; // posted to the frame
    uint32_t state;
    int16_t x, y, width, height; // the face, in bar client coordinates
};

// The buttons in display order, laid out for the system icon size.
void BarButtons_Layout(BarButton buttons[kBarButtonCount], int iconWidth, int iconHeight);
// The first button whose face holds the point, edges included; -1 for none.
int BarButtons_Hit(const BarButton* buttons, int count, int x, int y);
// The bar's height: half an icon and a margin, or the closed find box and a margin if that is
// more; past 32 pixels the box is taken to be wrong and half an icon and a margin it is.
int BarButtons_BarHeight(int iconHeight, int comboHeight);

// A press of a button, from the button going down to its release.
struct BarTracking {
    int pressed;   // the pressed button, -1 for none
    bool tracking; // the mouse is captured
    bool drawnPressed;
};

enum BarRedraw {
    kBarRedrawNone,
    kBarRedrawPressed,
    kBarRedrawUnpressed,
};

void BarTracking_Reset(BarTracking* t);
// The button goes down: the one hit is drawn pressed and tracked.
BarRedraw BarTracking_Down(BarTracking* t, const BarButton* buttons, int x, int y);
// The pointer leaves the pressed face or comes back to it.
BarRedraw BarTracking_Move(BarTracking* t, const BarButton* buttons, int x, int y);
// The button comes up: the command to post (0 for none) and how the face is drawn again.
uint16_t BarTracking_Up(BarTracking* t, const BarButton* buttons, int x, int y, BarRedraw* redraw);
