#include "gui/controls/Looks.h"

#include "gui/controls/Fonts.h"

#include <QString>

QFont FaceFont(const char* face, int pixels, bool bold) {
    QFont font(QString::fromUtf8(face));
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
    font.setFamilies({QString::fromUtf8(kGothicFace)});
    font.setPixelSize(15); // 11 points at 96 dots per inch
    return font;
}
