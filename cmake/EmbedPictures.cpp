// Build tool: decodes the program's pictures and writes them out as C++ arrays of pixels, in the format a
// pixmap of this machine's kind keeps them in, so that the program uses them in place at start instead of
// probing image formats, loading the reader's plugins and inflating PNGs before its first frame.
//
// Usage: EmbedPictures OUTPUT.cpp NAME=FILE...
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QString>

#include <cstdio>

namespace {

// The format QPixmap::fromImage turns a picture into on a raster (X11 or Wayland) screen, so that making the
// pixmap at run time is a plain copy and gives the same pixels as decoding the file there did.
QImage AsPixmapKeepsIt(const QImage& image) {
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
}

QByteArray Escaped(const QImage& image) {
    QByteArray text;
    text.reserve(image.sizeInBytes() * 4);
    const auto* bytes = image.constBits();
    for (qsizetype i = 0; i < image.sizeInBytes(); ++i) {
        if (i % 32 == 0)
            text += i == 0 ? "\n    \"" : "\"\n    \"";
        text += '\\';
        text += QByteArray::number(bytes[i], 8).rightJustified(3, '0');
    }
    return text + '"';
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: EmbedPictures OUTPUT.cpp NAME=FILE...\n");
        return 2;
    }
    QByteArray arrays, table;
    for (int i = 2; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        const qsizetype equals = argument.indexOf('=');
        const QByteArray name = argument.left(equals);
        QImageReader reader(QFile::decodeName(argument.mid(equals + 1)));
        const QImage image = AsPixmapKeepsIt(reader.read());
        if (equals <= 0 || image.isNull()) {
            std::fprintf(stderr, "EmbedPictures: cannot read %s: %s\n", argv[i], qPrintable(reader.errorString()));
            return 1;
        }
        const QByteArray symbol = "kPixels" + QByteArray::number(i - 2);
        arrays += "alignas(4) const char " + symbol + "[] =" + Escaped(image) + ";\n";
        table += QStringLiteral("    {\"%1\", %2, %3, %4, QImage::Format(%5), %6},\n")
                     .arg(QString::fromLatin1(name))
                     .arg(image.width())
                     .arg(image.height())
                     .arg(image.bytesPerLine())
                     .arg(int(image.format()))
                     .arg(QString::fromLatin1(symbol))
                     .toLatin1();
    }
    QFile out(QFile::decodeName(argv[1]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "EmbedPictures: cannot write %s\n", argv[1]);
        return 1;
    }
    out.write("// Written by EmbedPictures from the pictures in resources/ at build time.\n"
              "#include \"gui/controls/EmbeddedPictures.h\"\n\nnamespace {\n\n" +
              arrays + "\n} // namespace\n\nconst TEmbeddedPicture kEmbeddedPictures[] = {\n" + table +
              "};\nconst int kEmbeddedPictureCount = " + QByteArray::number(argc - 2) + ";\n");
    return out.flush() ? 0 : 1;
}
