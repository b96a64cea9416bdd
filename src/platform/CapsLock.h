#pragma once

// The keyboard's Caps Lock. Setting takes effect when the window system has processed the request.
class ICapsLock {
public:
    virtual ~ICapsLock() = default;
    virtual bool IsOn() const = 0;
    virtual void Set(bool on) = 0;
};

// The Caps Lock of this desktop: on an X display the locked Lock modifier (XKB); elsewhere reading gives
// off and setting does nothing.
ICapsLock& DesktopCapsLock();
