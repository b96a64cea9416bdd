#include "../../support/FakePlatform.h"
#include "../../support/NamedChild.h"
#include "gui/about/About.h"

#include <QFrame>
#include <QLabel>
#include <QTest>

class TestAbout : public QObject {
    Q_OBJECT

    FakeShellOpen FShell;

private slots:
    void textsFitInsideTheBevel_data() {
        QTest::addColumn<QString>("label");
        for (const char* name : {"lblCatch", "lblVersion", "lblCopyright", "slblURL"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    // A text wider than its label is cut off, and one outside the bevel runs over its frame.
    void textsFitInsideTheBevel() {
        QFETCH(QString, label);
        TfrmAbout dialog(nullptr, FShell);
        auto* text = Named<QLabel>(&dialog, label);
        const QRect bevel = Named<QFrame>(&dialog, "bvlAbout")->geometry();
        QVERIFY2(text->sizeHint().width() <= text->width(), qPrintable(QString::number(text->sizeHint().width())));
        QVERIFY2(bevel.contains(text->geometry()), qPrintable(QString::number(text->width())));
    }

    // The link is shown at its own 15 pixels, never made smaller to fit, and still opens the whole address.
    void linkShownAtItsSize() {
        TfrmAbout dialog(nullptr, FShell);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* link = Named<QLabel>(&dialog, "slblURL");
        QCOMPARE(link->font().pixelSize(), 15);
        QVERIFY2(link->sizeHint().width() <= link->width(), qPrintable(QString::number(link->sizeHint().width())));
        FShell.openedUrls.clear();
        QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
        QCOMPARE(FShell.openedUrls, QStringList{QStringLiteral("https://github.com/velmarinth/velmarinth")});
    }

    // Centred on the 800 × 800 offscreen screen by its whole window: 303 × 224 and the 2-pixel frame of the offscreen
    // platform make 307 × 228.
    void centredByItsWholeWindow() {
        TfrmAbout dialog(nullptr, FShell);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTRY_COMPARE(dialog.frameGeometry(), QRect(246, 286, 307, 228));
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
