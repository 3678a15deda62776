#pragma once
// What a surface tells the game about the keyboard and the mouse, with the surface's own
// argument variables passed by reference: a handler that changes KeyAscii or KeyCode changes
// what the surface sees when it returns.
#include <cstdint>
#include <functional>

namespace platform {

class SurfaceNotifications {
public:
    struct Handlers {
        std::function<void()> Click;
        std::function<void()> DblClick;
        std::function<void(int16_t& KeyCode, int16_t& Shift)> KeyDown;
        std::function<void(int16_t& KeyAscii)> KeyPress;
        std::function<void(int16_t& KeyCode, int16_t& Shift)> KeyUp;
        std::function<void(int16_t& Button, int16_t& Shift, float& X, float& Y)> MouseDown;
        std::function<void(int16_t& Button, int16_t& Shift, float& X, float& Y)> MouseMove;
        std::function<void(int16_t& Button, int16_t& Shift, float& X, float& Y)> MouseUp;
        std::function<void()> Paint;  // after the normal content was painted
    };
    Handlers handlers;
    // The surface's own KeyAscii / KeyCode after the last key notification's handlers returned.
    int16_t lastKeyAscii() const { return lastKeyAscii_; }
    int16_t lastKeyCode() const { return lastKeyCode_; }

protected:
    int16_t lastKeyAscii_ = 0, lastKeyCode_ = 0;
};

} // namespace platform
