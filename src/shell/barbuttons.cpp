// The control bar's button table and the press of a button, as plain arithmetic.
#include "shell/barbuttons.h"

namespace {

struct ButtonSpec {
    const char* icon;
    uint16_t command;
};

// Open, close, print, search, copy, edit, launch, next window, home, end, find, find next, exit.
const ButtonSpec kButtons[kBarButtonCount] = {
    {"TBOPEN", 101}, {"TBCLOSE", 102},    {"TBPRINT", 95}, {"TBsearch", 142}, {"TBCopy", 220},
    {"TBEDIT", 223}, {"TBlaunch", 222},   {"TBNXTW", 320}, {"TBHOME", 201},   {"TBEND", 202},
    {"TBFIND", 200}, {"TBFINDNEXT", 203}, {"TBEXIT", 103},
};

constexpr int kTallestBar = 32;

bool OnFace(const BarButton& b, int x, int y) {
    return x >= b.x && x <= b.x + b.width && y >= b.y && y <= b.y + b.height;
}

} // namespace

void BarButtons_Layout(BarButton buttons[kBarButtonCount], int iconWidth, int iconHeight) {
    // The buttons start five icons in, after the "Find:" label and its box.
    for (int i = 0; i < kBarButtonCount; i++) {
        BarButton& b = buttons[i];
        b.icon = kButtons[i].icon;
        b.command = kButtons[i].command;
        b.state = 1;
        b.x = (int16_t)(iconWidth * (i + 5) + 4);
        b.y = 4;
        b.width = (int16_t)(iconWidth - 9);
        b.height = (int16_t)(iconHeight / 2 + 2);
    }
}

int BarButtons_Hit(const BarButton* buttons, int count, int x, int y) {
    for (int i = 0; i < count; i++) {
        if (OnFace(buttons[i], x, y))
            return i;
    }
    return -1;
}

int BarButtons_BarHeight(int iconHeight, int comboHeight) {
    const int height = iconHeight / 2 + 12;
    if (comboHeight + 4 <= height)
        return height;
    return comboHeight + 4 > kTallestBar ? height : comboHeight + 4;
}

void BarTracking_Reset(BarTracking* t) {
    t->pressed = -1;
    t->tracking = false;
    t->drawnPressed = false;
}

BarRedraw BarTracking_Down(BarTracking* t, const BarButton* buttons, int x, int y) {
    const int hit = BarButtons_Hit(buttons, kBarButtonCount, x, y);
    if (hit < 0)
        return kBarRedrawNone;
    t->pressed = hit;
    t->tracking = true;
    t->drawnPressed = true;
    return kBarRedrawPressed;
}

BarRedraw BarTracking_Move(BarTracking* t, const BarButton* buttons, int x, int y) {
    if (!t->tracking || t->pressed < 0)
        return kBarRedrawNone;
    const bool on = OnFace(buttons[t->pressed], x, y);
    if (on == t->drawnPressed)
        return kBarRedrawNone;
    t->drawnPressed = on;
    return on ? kBarRedrawPressed : kBarRedrawUnpressed;
}

uint16_t BarTracking_Up(BarTracking* t, const BarButton* buttons, int x, int y, BarRedraw* redraw) {
    *redraw = kBarRedrawNone;
    uint16_t command = 0;
    if (t->tracking && t->pressed >= 0 && t->drawnPressed) {
        // Released off the face without a move there first: drawn up, and nothing happens.
        *redraw = kBarRedrawUnpressed;
        if (OnFace(buttons[t->pressed], x, y))
            command = buttons[t->pressed].command;
    }
    BarTracking_Reset(t);
    return command;
}
