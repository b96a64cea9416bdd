#pragma once

#include <QString>

// The faces the interface names: the Windows fonts it was drawn with.
inline constexpr char kPGothicFace[] = "ＭＳ Ｐゴシック";
inline constexpr char kGothicFace[] = "ＭＳ ゴシック";
inline constexpr char kPMinchoFace[] = "ＭＳ Ｐ明朝";

// Maps the Windows faces to their metric-compatible IPA stand-ins for the whole application.
void MapWindowsFonts();

// The installed family that shows a face: the IPA stand-in of a Windows face, any other name as it is.
QString StandInFamily(const char* face);
