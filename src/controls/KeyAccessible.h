#pragma once

// Makes every TMoxSpeedButton reachable by assistive technology (AT-SPI through Qt): its caption is its
// name, its hint its description, and the press action clicks it as the mouse does. Safe to call often.
void InstallKeyAccessibility();
