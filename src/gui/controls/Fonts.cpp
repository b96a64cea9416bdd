#include "gui/controls/Fonts.h"

#include <QFont>
#include <cstring>

namespace {

struct TStandIn {
    const char* face;
    const char* family;
};

constexpr TStandIn kStandIns[] = {
    {kPGothicFace, "IPAPGothic"},
    {kGothicFace, "IPAGothic"},
    {kPMinchoFace, "IPAPMincho"},
};

} // namespace

void MapWindowsFonts() {
    for (const TStandIn& standIn : kStandIns)
        QFont::insertSubstitution(QString::fromUtf8(standIn.face), QString::fromLatin1(standIn.family));
}

QString StandInFamily(const char* face) {
    for (const TStandIn& standIn : kStandIns) {
        if (std::strcmp(face, standIn.face) == 0)
            return QString::fromLatin1(standIn.family);
    }
    return QString::fromUtf8(face);
}
