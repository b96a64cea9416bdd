#pragma once

// Makes every TMoxSpeedButton and TNelPictureButton reachable by assistive technology (AT-SPI through Qt): a
// key's caption (a picture button's action caption) is its name, its hint its description, and the press
// action clicks it as the mouse does. Safe to call often.
void InstallKeyAccessibility();
