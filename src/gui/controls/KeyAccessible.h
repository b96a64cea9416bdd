#pragma once

class QAccessibleEvent;
class TMoxSpeedButton;

// Makes every TMoxSpeedButton and TNelPictureButton reachable by assistive technology (AT-SPI through Qt): a
// key's caption (a picture button's action caption) is its name, its hint its description unless that would
// only say the name again, and the press action clicks it as the mouse does. A key of a group is a toggle
// (a check box to the screen reader when it can be released by a second click, as the Caps key, else a radio
// button) whose checked state is its Down state. Safe to call often.
void InstallKeyAccessibility();

// Tells assistive technology that a key of a group went down or up: a screen reader that keeps its state would
// otherwise go on saying the old one.
void KeyDownChanged(TMoxSpeedButton* key);

// Where KeyDownChanged hands its event instead of to the platform's accessibility, when set (tests listen here:
// without a screen reader the platform takes none).
extern void (*KeyStateListener)(QAccessibleEvent* event);
