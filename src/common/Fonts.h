#pragma once

// The interface names the Windows faces ("ＭＳ Ｐゴシック", "ＭＳ ゴシック", "ＭＳ Ｐ明朝"); this maps them to
// their metric-compatible IPA stand-ins for the whole application.
void MapWindowsFonts();
