#pragma once

// The keyboard's Caps Lock. On an X display it is the locked Lock modifier (XKB); elsewhere reading gives
// off and setting does nothing. Setting takes effect when the server has processed the request.
bool IsCapsLockOn();
void SetCapsLock(bool on);
