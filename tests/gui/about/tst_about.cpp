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
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
