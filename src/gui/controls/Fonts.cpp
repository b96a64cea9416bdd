#include "gui/controls/Fonts.h"

#include <QFont>

void MapWindowsFonts() {
    QFont::insertSubstitution(QString::fromUtf8(kPGothicFace), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QString::fromUtf8(kGothicFace), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QString::fromUtf8(kPMinchoFace), QStringLiteral("IPAPMincho"));
}
