#include "../../support/FakeXdgTree.h"
#include "gui/controls/BrowseMenuImage.h"
#include "gui/controls/SysImg.h"

#include <QBuffer>
#include <QPainter>
#include <QTest>

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kGreen(0, 255, 0);
const QColor kMenu(0x12, 0x34, 0x56);

// A 16 × 16 picture, transparent but for a square of colour in its middle (4..11).
QByteArray iconPng(const QColor& colour) {
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter(&image).fillRect(4, 4, 8, 8, colour);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

QColor pixel(const QPixmap& pixmap, int x, int y) {
    return pixmap.toImage().pixelColor(x, y);
}

bool isNear(const QColor& a, const QColor& b) {
    return qAbs(a.red() - b.red()) <= 2 && qAbs(a.green() - b.green()) <= 2 && qAbs(a.blue() - b.blue()) <= 2 &&
           qAbs(a.alpha() - b.alpha()) <= 2;
}

bool isGrey(const QColor& c) {
    return qAbs(c.red() - c.green()) < 24 && qAbs(c.green() - c.blue()) < 24;
}

} // namespace

class TestSysImg : public QObject {
    Q_OBJECT
private:
    FakeXdgTree* tree = nullptr;
    QStringList savedThemePaths;
    QString savedTheme;

private slots:
    // One desktop for all cases: a fake browser whose entry names a picture file, another program whose entry
    // names a theme icon, and a small icon theme of our own.
    void initTestCase() {
        tree = new FakeXdgTree;
        QVERIFY(tree->isValid());
        tree->writeFakeBrowser(QStringLiteral("bin/fakebrowser"));
        tree->write(QStringLiteral("pics/red.png"), iconPng(kRed));
        tree->installDefault(QStringLiteral("fake.desktop"), "fakebrowser %u", tree->path("pics/red.png").toUtf8());
        tree->write(QStringLiteral("opt/other/run"), "#!/bin/sh\n", true);
        tree->write(QStringLiteral("share/applications/other.desktop"),
                    "[Desktop Entry]\nType=Application\nName=O\nExec=" + tree->path("opt/other/run").toUtf8() +
                        "\nIcon=velbrowser\n");
        QVERIFY(QFile::link(tree->path("opt/other/run"), tree->path("bin/other-link")));
        tree->write(QStringLiteral("icons/veltest/index.theme"),
                    "[Icon Theme]\nName=veltest\nDirectories=16x16/apps,16x16/mimetypes\n\n"
                    "[16x16/apps]\nSize=16\nType=Fixed\n\n[16x16/mimetypes]\nSize=16\nType=Fixed\n");
        tree->write(QStringLiteral("icons/veltest/16x16/apps/velbrowser.png"), iconPng(kBlue));
        tree->write(QStringLiteral("icons/veltest/16x16/mimetypes/text-plain.png"), iconPng(kGreen));
        tree->write(QStringLiteral("icons/veltest/16x16/apps/edit-cut.png"), iconPng(kBlue));
        tree->write(QStringLiteral("icons/veltest/16x16/apps/view-list-tree.png"), iconPng(kGreen));
        tree->write(QStringLiteral("home/plain"), "text");
        QDir().mkpath(tree->path(QStringLiteral("tmp")));
        savedThemePaths = QIcon::themeSearchPaths();
        savedTheme = QIcon::themeName();
        QIcon::setThemeSearchPaths({tree->path(QStringLiteral("icons"))});
        QIcon::setThemeName(QStringLiteral("veltest"));
    }
    void cleanupTestCase() {
        QIcon::setThemeSearchPaths(savedThemePaths);
        QIcon::setThemeName(savedTheme);
        delete tree;
    }

    // Which colour the middle of each path's icon has; an invalid colour: the generic image 0.
    void icon_data() {
        QTest::addColumn<QString>("path"); // "@" is the tree
        QTest::addColumn<QColor>("colour");
        QTest::newRow("program of the default entry, picture file") << QStringLiteral("@/bin/fakebrowser") << kRed;
        QTest::newRow("program of another entry, theme icon") << QStringLiteral("@/opt/other/run") << kBlue;
        QTest::newRow("program started through a link") << QStringLiteral("@/bin/other-link") << kBlue;
        QTest::newRow("missing file of a known type") << QStringLiteral("@/gone/readme.txt") << kGreen;
        QTest::newRow("missing file of an unknown type") << QStringLiteral("@/gone/browser.zzqx") << QColor();
        QTest::newRow("missing program") << QStringLiteral("@/gone/browser") << QColor();
        QTest::newRow("empty path") << QString() << QColor();
    }
    void icon() {
        QFETCH(QString, path);
        QFETCH(QColor, colour);
        path.replace(u'@', tree->root());
        const QByteArray tmpBefore = qgetenv("TMPDIR");
        qputenv("TMPDIR", tree->path(QStringLiteral("tmp")).toLocal8Bit());
        TSysImageList images(tree->environment());
        const int index = images.GetFileIconIndex(path.toUtf8(), false);
        qputenv("TMPDIR", tmpBefore);
        QCOMPARE(index == 0, !colour.isValid());
        if (colour.isValid()) {
            const QPixmap normal = images.Pixmap(index, true);
            QCOMPARE(normal.size(), QSize(16, 16));
            QCOMPARE(pixel(normal, 8, 8), colour);
            QCOMPARE(pixel(normal, 0, 0).alpha(), 0);
            const QColor disabled = pixel(images.Pixmap(index, false), 8, 8);
            QVERIFY2(disabled != colour && isGrey(disabled), qPrintable(disabled.name()));
        }
        QCOMPARE(images.GetFileIconIndex(path.toUtf8(), false), index); // asked again: the same image
        QCOMPARE(QDir(tree->path(QStringLiteral("tmp"))).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList{});
        QVERIFY(!QFileInfo::exists(tree->path(QStringLiteral("gone"))));
    }

    // A file that no desktop entry starts shows the icon the platform gives files of its kind.
    void platformFileIcon() {
        TSysImageList images(tree->environment());
        const QString plain = tree->path(QStringLiteral("home/plain"));
        const int index = images.GetFileIconIndex(plain.toUtf8(), false);
        QVERIFY(index > 0);
        const QImage expected = QFileIconProvider().icon(QFileInfo(plain)).pixmap(16, 16).toImage();
        QCOMPARE(images.Pixmap(index, true).toImage().convertToFormat(expected.format()), expected);
    }

    // The desktop is asked afresh: a program installed, given an entry or removed since the last look shows what
    // the desktop shows now, in one and the same list; an icon seen before keeps its index.
    void askedAfresh_data() {
        QTest::addColumn<QString>("program"); // under the tree
        QTest::addColumn<bool>("fileBefore");
        QTest::addColumn<bool>("entryBefore");
        QTest::addColumn<bool>("fileAfter");
        QTest::addColumn<bool>("entryAfter");
        QTest::addColumn<bool>("indexBefore"); // a picture other than the generic one
        QTest::addColumn<bool>("blueAfter");   // the entry's own icon; otherwise generic (index 0) or the file's
        QTest::addColumn<bool>("indexAfter");
        QTest::addColumn<int>("grows"); // pictures the list gains at the second look
        QTest::newRow("installed with its entry")
            << "late/one" << false << false << true << true << false << true << true << 1;
        QTest::newRow("given an entry") << "late/two" << true << false << true << true << true << true << true << 1;
        QTest::newRow("removed") << "late/three" << true << true << false << false << true << false << false << 0;
        QTest::newRow("nothing changed") << "late/four" << true << true << true << true << true << true << true << 0;
    }
    void askedAfresh() {
        QFETCH(QString, program);
        QFETCH(bool, fileBefore);
        QFETCH(bool, entryBefore);
        QFETCH(bool, fileAfter);
        QFETCH(bool, entryAfter);
        QFETCH(bool, indexBefore);
        QFETCH(bool, blueAfter);
        QFETCH(bool, indexAfter);
        QFETCH(int, grows);
        const QString path = tree->path(program);
        const QString entry = QStringLiteral("share/applications/late-") + QFileInfo(program).fileName() + ".desktop";
        const auto put = [&](bool file, bool withEntry) {
            if (file)
                tree->write(program, "#!/bin/sh\n", true);
            else
                QFile::remove(path);
            if (withEntry)
                tree->write(entry, "[Desktop Entry]\nType=Application\nName=L\nExec=" + path.toUtf8() +
                                       " %u\nIcon=velbrowser\n");
            else
                QFile::remove(tree->path(entry));
        };
        put(fileBefore, entryBefore);
        TSysImageList images(tree->environment());
        const int before = images.GetFileIconIndex(path.toUtf8(), false);
        QCOMPARE(before > 0, indexBefore);
        QCOMPARE(images.GetFileIconIndex(path.toUtf8(), false), before);
        const int count = images.Count();

        put(fileAfter, entryAfter);
        const int after = images.GetFileIconIndex(path.toUtf8(), false);
        put(false, false);
        QCOMPARE(after > 0, indexAfter);
        if (indexAfter)
            QCOMPARE(pixel(images.Pixmap(after, true), 8, 8) == kBlue, blueAfter);
        // Only a picture not in the list yet adds one.
        QCOMPARE(images.Count(), count + grows);
        QCOMPARE(after == before, fileBefore == fileAfter && entryBefore == entryAfter);
    }

    void iconSize() {
        TSysImageList images(tree->environment());
        const int index = images.GetFileIconIndex(tree->path("bin/fakebrowser").toUtf8(), false);
        int changes = 0;
        connect(&images, &TSysImageList::OnChange, this, [&] { ++changes; });
        images.SetIconSize(isLargeIcons);
        images.SetIconSize(isLargeIcons);
        QCOMPARE(changes, 1);
        QCOMPARE(images.GetFileIconIndex(tree->path("bin/fakebrowser").toUtf8(), false), index);
        const QPixmap large = images.Pixmap(index, true);
        QCOMPARE(large.size(), QSize(32, 32));
        QCOMPARE(pixel(large, 16, 16), kRed);
    }

    // The toolbar images by index up to the last one, and the file icons kept for the way back.
    void iconSet() {
        TSysImageList images(tree->environment());
        const int file = images.GetFileIconIndex(tree->path("bin/fakebrowser").toUtf8(), false);
        const int files = images.Count();
        int changes = 0;
        connect(&images, &TSysImageList::OnChange, this, [&] { ++changes; });
        images.SetBkColor(kMenu);
        images.SetIconSet(isToolbar);
        images.SetIconSet(isToolbar);
        QCOMPARE(changes, 1);
        QVERIFY(!images.BkColor().isValid());
        QCOMPARE(images.Count(), 33);
        QCOMPARE(pixel(images.Pixmap(0, true), 8, 8), kBlue);   // cut, the first standard image
        QCOMPARE(pixel(images.Pixmap(32, true), 8, 8), kGreen); // the last history image
        QCOMPARE(pixel(images.Pixmap(33, true), 8, 8).alpha(), 0);
        images.SetBkColor(kMenu);
        images.SetIconSize(isLargeIcons);
        QVERIFY(!images.BkColor().isValid());
        images.SetIconSet(isSystem);
        QCOMPARE(changes, 3);
        QCOMPARE(images.Count(), files);
        QCOMPARE(pixel(images.Pixmap(file, true), 16, 16), kRed);
    }

    // The red square of the default browser's icon drawn in each style: its middle and a corner outside it.
    void drawingStyle_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QColor>("blend");
        QTest::addColumn<QColor>("middle");
        QTest::addColumn<QColor>("corner");
        const QColor white(Qt::white);
        const QColor none(Qt::transparent);
        QTest::newRow("transparent ignores the background") << int(dsTransparent) << white << QColor() << kRed << none;
        QTest::newRow("normal, no background") << int(dsNormal) << QColor() << QColor() << kRed << none;
        QTest::newRow("normal on its background") << int(dsNormal) << white << QColor() << kRed << white;
        QTest::newRow("focus mixes in a quarter") << int(dsFocus) << QColor() << kBlue << QColor(191, 0, 64) << none;
        QTest::newRow("selected mixes in half") << int(dsSelected) << white << kBlue << QColor(128, 0, 128) << white;
        QTest::newRow("selected, no blend colour")
            << int(dsSelected) << white << QColor() << QColor(255, 128, 128) << white;
    }
    void drawingStyle() {
        QFETCH(int, style);
        QFETCH(QColor, background);
        QFETCH(QColor, blend);
        QFETCH(QColor, middle);
        QFETCH(QColor, corner);
        TSysImageList images(tree->environment());
        const int index = images.GetFileIconIndex(tree->path("bin/fakebrowser").toUtf8(), false);
        images.SetDrawingStyle(TDrawingStyle(style));
        images.SetBkColor(background);
        images.SetBlendColor(blend);
        const QPixmap drawn = images.Pixmap(index, true);
        QVERIFY2(isNear(pixel(drawn, 8, 8), middle), qPrintable(pixel(drawn, 8, 8).name(QColor::HexArgb)));
        QVERIFY2(isNear(pixel(drawn, 0, 0), corner), qPrintable(pixel(drawn, 0, 0).name(QColor::HexArgb)));
    }

    // The browse item's picture: the background says whether the command is enabled.
    void menuImage_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QColor>("middle"); // invalid: greyed
        QTest::newRow("enabled") << QStringLiteral("@/bin/fakebrowser") << true << kMenu << kRed;
        QTest::newRow("disabled") << QStringLiteral("@/bin/fakebrowser") << false << QColor(Qt::white) << QColor();
        QTest::newRow("no browser, enabled") << QString() << true << kMenu << QColor();
    }
    void menuImage() {
        QFETCH(QString, path);
        QFETCH(bool, enabled);
        QFETCH(QColor, background);
        QFETCH(QColor, middle);
        TSysImageList images(tree->environment());
        const QPixmap image = BrowseMenuImage(images, path.replace(u'@', tree->root()).toUtf8(), enabled, kMenu);
        QCOMPARE(image.size(), QSize(16, 16));
        QVERIFY(!image.hasAlpha());
        QCOMPARE(pixel(image, 0, 0), background);
        QCOMPARE(pixel(image, 15, 15), background);
        if (middle.isValid())
            QCOMPARE(pixel(image, 8, 8), middle);
        else if (!path.isEmpty())
            QVERIFY(isGrey(pixel(image, 8, 8)) && pixel(image, 8, 8) != background);
    }

    // Opening the File menu again and again never grows the menu's image list.
    void replaceLastImage() {
        QList<QPixmap> list;
        for (int i = 0; i < 8; ++i) {
            QPixmap p(16, 16);
            p.fill(QColor(i, i, i));
            list.append(p);
        }
        QPixmap browse(16, 16);
        browse.fill(kRed);
        for (int round = 0; round < 3; ++round)
            QCOMPARE(ReplaceLastImage(list, browse), 7);
        QCOMPARE(list.size(), 8);
        QCOMPARE(pixel(list.at(7), 0, 0), kRed);
        QCOMPARE(pixel(list.at(6), 0, 0), QColor(6, 6, 6));
        QList<QPixmap> empty;
        QCOMPARE(ReplaceLastImage(empty, browse), 0);
        QCOMPARE(empty.size(), 1);
    }
};

QTEST_MAIN(TestSysImg)
#include "tst_sysimg.moc"
