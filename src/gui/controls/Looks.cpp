#include "gui/controls/Looks.h"

#include "gui/controls/Fonts.h"

#include <QString>

// A font names the installed family itself: a name Qt's font list lacks makes every text layout ask the
// font configuration for a sorted fallback list first, once per family and writing system, which was most of
// the time to the first frame. What is drawn is the same font the substitution picks.
QFont FaceFont(const char* face, int pixels, bool bold) {
    QFont font(StandInFamily(face));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QFont InterfaceFont() {
    return FaceFont(kPGothicFace, 12);
}

QFont UrlBoxFont() {
    return FaceFont(kPMinchoFace, 21, true);
}

QFont TemplateEditFont() {
    return FaceFont(kGothicFace, 16, true);
}

QFont TemplateMenuFont(const QFont& menuFont) {
    QFont font = menuFont;
    font.setFamilies({StandInFamily(kGothicFace)});
    font.setPixelSize(15); // 11 points at 96 dots per inch
    return font;
}
