// Painting cost of the key faces: one key, and the whole keyboard of 73 keys.
#include "gui/controls/KeyGlyphs.h"
#include "gui/controls/MoxSBUtils.h"
#include "gui/controls/MoxSpeedButton.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <benchmark/benchmark.h>

namespace {

enum TKeyStyle { ksCharacter, ksEdit, ksCaps };

struct TKey {
    const char* caption;
    int W;
    int H;
    TKeyStyle style;
    const char* family;
    int pixels;
    const char* glyph;
};

QList<TKey> Keyboard() {
    QList<TKey> keys{
        {"Copy", 70, 20, ksEdit, "IPAPGothic", 15, "Copy"},  {"Paste", 70, 20, ksEdit, "IPAPGothic", 15, "Paste"},
        {"", 30, 20, ksEdit, "IPAPGothic", 20, "MoveTop"},   {"", 30, 20, ksEdit, "IPAPGothic", 20, "FastLeft"},
        {"", 30, 20, ksEdit, "IPAPGothic", 20, "FastRight"}, {"", 30, 20, ksEdit, "IPAPGothic", 20, "MoveLast"},
        {"AC", 50, 23, ksEdit, "IPAPGothic", 19, nullptr},   {"Del", 50, 23, ksEdit, "IPAPGothic", 19, nullptr},
        {"BS", 50, 23, ksEdit, "IPAPGothic", 19, nullptr},   {"CapsLock", 70, 20, ksCaps, "IPAPGothic", 13, nullptr},
    };
    const QList<std::pair<const char*, int>> fragments{
        {"http://", 71}, {"www.", 53}, {".biz/", 53}, {".com/", 53}, {".org/", 53}, {"index.", 56},
        {"html", 47},    {".co", 31},  {".ne", 32},   {".or", 31},   {".ac", 31},   {".ad", 31},
        {".go", 32},     {".jp/", 37}, {".net/", 48}, {".php", 41},  {".cgi", 36},  {"htm", 36}};
    for (const auto& [caption, width] : fragments)
        keys.append({caption, width, 23, ksCharacter, "IPAPMincho", 16, nullptr});
    static const char* letters[] = {"q", "w", "e", "r", "t", "y", "u", "i", "o", "p", "a", "s", "d",
                                    "f", "g", "h", "j", "k", "l", "z", "x", "c", "v", "b", "n", "m",
                                    "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "-", "~", "_"};
    for (const char* letter : letters)
        keys.append({letter, 23, 23, ksCharacter, "IPAPGothic", 19, nullptr});
    for (const char* symbol : {"/", ":", ".", "%", "?", "&&"})
        keys.append({symbol, 23, 23, ksCharacter, "IPAPMincho", 19, nullptr});
    return keys;
}

QFont KeyFont(const TKey& key) {
    QFont font(QString::fromLatin1(key.family));
    font.setPixelSize(key.pixels);
    font.setBold(true);
    return font;
}

struct TPreparedKey {
    TKey key;
    QFont font;
    QImage glyph;
};

QList<TPreparedKey> PreparedKeyboard() {
    QList<TPreparedKey> prepared;
    for (const TKey& key : Keyboard())
        prepared.append({key, KeyFont(key), key.glyph ? KeyGlyph(key.glyph).toImage() : QImage()});
    return prepared;
}

void Draw(QPainter& canvas, const TPreparedKey& k, bool hot) {
    const bool character = k.key.style == ksCharacter;
    TButtonFace face;
    face.W = k.key.W;
    face.H = k.key.H;
    face.caption = QString::fromLatin1(k.key.caption);
    face.font = k.font;
    face.fontColor = character ? QColor(Qt::black) : QColor(Qt::white);
    face.shadowColor = k.key.style == ksEdit ? QColor(0x31, 0x6A, 0xC5) : QColor(0x00, 0x4E, 0x98);
    face.lightColor = k.key.style == ksEdit ? QColor(0xAA, 0xD9, 0xFF) : QColor(Qt::white);
    face.hotTrackColor = character ? QColor(0x6B, 0xDD, 0xFA) : QColor(0x6F, 0xBE, 0xFF);
    face.colorWhenDown = QColor(0x02, 0x9F, 0xFD);
    face.faceColor = character ? QColor(0xD8, 0xE4, 0xF8) : QColor(0x9D, 0xB9, 0xEB);
    face.flat = !character;
    face.mouseInside = hot;
    face.glyph = k.glyph;
    face.numGlyphs = k.glyph.isNull() ? 0 : 2;
    face.hotLevel = hot ? 8 : 0;
    DrawButtonFace(canvas, face);
}

void BM_DrawButtonFace_LetterKey(benchmark::State& state) {
    const QList<TPreparedKey> keys = PreparedKeyboard();
    const TPreparedKey& key =
        *std::find_if(keys.begin(), keys.end(), [](const TPreparedKey& k) { return qstrcmp(k.key.caption, "q") == 0; });
    QImage image(key.key.W, key.key.H, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter canvas(&image);
        Draw(canvas, key, false);
    }
}
BENCHMARK(BM_DrawButtonFace_LetterKey);

void BM_DrawButtonFace_GlyphKey(benchmark::State& state) {
    const QList<TPreparedKey> keys = PreparedKeyboard();
    const TPreparedKey& key = keys.first(); // "Copy" with its glyph strip
    QImage image(key.key.W, key.key.H, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter canvas(&image);
        Draw(canvas, key, true);
    }
}
BENCHMARK(BM_DrawButtonFace_GlyphKey);

void BM_DrawButtonFace_73Keys(benchmark::State& state) {
    const QList<TPreparedKey> keys = PreparedKeyboard();
    QImage image(400, 210, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter canvas(&image);
        int x = 0;
        int y = 0;
        for (const TPreparedKey& key : keys) {
            if (x + key.key.W > 400) {
                x = 0;
                y += 23;
            }
            canvas.save();
            canvas.translate(x, y);
            Draw(canvas, key, false);
            canvas.restore();
            x += key.key.W;
        }
    }
    state.counters["keys"] = double(keys.size());
}
BENCHMARK(BM_DrawButtonFace_73Keys);

// The whole widget path: 73 TMoxSpeedButton children painted through their off-screen buffers.
void BM_Paint73KeyWidgets(benchmark::State& state) {
    QWidget window;
    window.resize(400, 210);
    const QList<TPreparedKey> keys = PreparedKeyboard();
    int x = 0;
    int y = 0;
    for (const TPreparedKey& k : keys) {
        if (x + k.key.W > 400) {
            x = 0;
            y += 23;
        }
        auto* key = new TMoxSpeedButton(&window);
        key->setGeometry(x, y, k.key.W, k.key.H);
        key->SetCaption(QString::fromLatin1(k.key.caption));
        key->setFont(k.font);
        key->SetColor(k.key.style == ksCharacter ? QColor(0xD8, 0xE4, 0xF8) : QColor(0x9D, 0xB9, 0xEB));
        key->SetFlat(k.key.style != ksCharacter);
        if (k.key.glyph)
            key->SetGlyph(KeyGlyph(k.key.glyph));
        x += k.key.W;
    }
    QImage target(window.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state)
        window.render(&target);
}
BENCHMARK(BM_Paint73KeyWidgets);

} // namespace
