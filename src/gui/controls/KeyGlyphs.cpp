#include "gui/controls/KeyGlyphs.h"

#include <QString>

// The resources live in a static library; referencing their initialiser keeps the linker from dropping them.
static void InitGlyphResources() {
    Q_INIT_RESOURCE(glyphs);
}

QPixmap KeyGlyph(const char* name) {
    static const bool initialised = (InitGlyphResources(), true);
    Q_UNUSED(initialised);
    return QPixmap(QStringLiteral(":/glyphs/%1.xpm").arg(QLatin1String(name)));
}
