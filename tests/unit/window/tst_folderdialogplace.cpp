#include "core/window/FolderDialogPlace.h"

#include <QTest>

class TestFolderDialogPlace : public QObject {
    Q_OBJECT
private slots:
    void folderDialogPosition_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<QRect>("workArea");
        QTest::addColumn<QSize>("dialog");
        QTest::addColumn<QPoint>("expected");
        const QRect work(0, 0, 1024, 738);
        const QSize d(320, 330);
        QTest::newRow("owner form centre") << int(fdpOwnerFormCenter) << work << d << QPoint(287, 275);
        QTest::newRow("halves round toward zero")
            << int(fdpOwnerFormCenter) << work << QSize(321, 331) << QPoint(287, 275);
        QTest::newRow("custom: client origin + offsets") << int(fdpCustom) << work << d << QPoint(325, 330);
        QTest::newRow("desktop centre") << int(fdpDesktopCenter) << work << d << QPoint(352, 204);
        QTest::newRow("desktop: right and bottom edges only")
            << int(fdpDesktopCenter) << QRect(100, 30, 924, 708) << d << QPoint(352, 204);
        QTest::newRow("screen centre") << int(fdpScreenCenter) << work << d << QPoint(352, 219);
    }
    void folderDialogPosition() {
        QFETCH(int, position);
        QFETCH(QRect, workArea);
        QFETCH(QSize, dialog);
        QFETCH(QPoint, expected);
        TFolderDialogPlace place;
        place.position = TFolderDialogPosition(position);
        place.form = QRect(312, 315, 270, 250);
        place.formClientOrigin = QPoint(316, 340);
        place.workArea = workArea;
        place.screen = QSize(1024, 768);
        place.dialog = dialog;
        place.offsetX = 9;
        place.offsetY = -10;
        QCOMPARE(FolderDialogPosition(place), std::optional<QPoint>(expected));
    }
    void noPlaceLeavesItToTheWindowSystem() {
        TFolderDialogPlace place;
        place.dialog = QSize(320, 330);
        QCOMPARE(FolderDialogPosition(place), std::nullopt);
    }
};

QTEST_MAIN(TestFolderDialogPlace)
#include "tst_folderdialogplace.moc"
