#include "../../support/FakePlatform.h"
#include "gui/controls/ShotLabel.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QTest>
#include <memory>

Q_DECLARE_METATYPE(TCaptionType)

namespace {

const QColor kBlue(0x00, 0x00, 0xFF);
const QColor kRed(0xFF, 0x00, 0x00);

} // namespace

class TestShotLabel : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> FParent;
    TShotLabel* FLabel = nullptr;
    FakeShellOpen FShell;

    void Step(const QString& step) {
        const QPoint inside(3, 3);
        const QPoint away(FLabel->width() + 20, 3);
        if (step == "enter") {
            QEnterEvent enter(inside, inside, FLabel->mapToGlobal(inside));
            QCoreApplication::sendEvent(FLabel, &enter);
        } else if (step == "leave") {
            QEvent leave(QEvent::Leave);
            QCoreApplication::sendEvent(FLabel, &leave);
        } else if (step == "press") {
            QTest::mousePress(FLabel, Qt::LeftButton, {}, inside);
        } else if (step == "release") {
            QTest::mouseRelease(FLabel, Qt::LeftButton, {}, inside);
        } else if (step == "releaseAway") {
            QTest::mouseRelease(FLabel, Qt::LeftButton, {}, away);
        } else if (step == "rightPress") {
            QTest::mousePress(FLabel, Qt::RightButton, {}, inside);
        } else if (step == "rightRelease") {
            QTest::mouseRelease(FLabel, Qt::RightButton, {}, inside);
        } else if (step == "doubleClick") {
            // What the second press of a double click arrives as.
            QMouseEvent twice(QEvent::MouseButtonDblClick, inside, FLabel->mapToGlobal(inside), Qt::LeftButton,
                              Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(FLabel, &twice);
        } else {
            QFAIL(qPrintable("unknown step " + step));
        }
    }

private slots:
    void init() {
        FParent = std::make_unique<QWidget>();
        FParent->resize(300, 60);
        FLabel = new TShotLabel(FParent.get());
        FLabel->setGeometry(10, 10, 200, 15);
        FLabel->SetShellOpen(&FShell);
        FShell = FakeShellOpen();
        FParent->show();
    }

    void cleanup() { FParent.reset(); }

    void clickOpens_data() {
        QTest::addColumn<TCaptionType>("type");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("linkTo");
        QTest::addColumn<QStringList>("opened");
        using enum TCaptionType;
        QTest::newRow("address") << ctURL << "https://a.example/"
                                 << "" << QStringList{"https://a.example/"};
        QTest::newRow("mail adds mailto") << ctMail << "me@a.example"
                                          << "" << QStringList{"mailto:me@a.example"};
        QTest::newRow("link to an address") << ctLinkToURL << "home"
                                            << "https://b.example/" << QStringList{"https://b.example/"};
        QTest::newRow("link to mail") << ctLinkToMail << "write"
                                      << "me@b.example" << QStringList{"mailto:me@b.example"};
        QTest::newRow("link to an address, none given") << ctLinkToURL << "home"
                                                        << "" << QStringList{};
        QTest::newRow("link to mail, none given") << ctLinkToMail << "write"
                                                  << "" << QStringList{};
        QTest::newRow("empty caption, mail") << ctMail << ""
                                             << "" << QStringList{};
        QTest::newRow("empty caption, link given") << ctLinkToURL << ""
                                                   << "https://b.example/" << QStringList{};
        QTest::newRow("no type") << ctNone << "https://a.example/"
                                 << "" << QStringList{};
    }

    void clickOpens() {
        QFETCH(TCaptionType, type);
        QFETCH(QString, caption);
        QFETCH(QString, linkTo);
        QFETCH(QStringList, opened);
        FLabel->SetCaptionType(type);
        FLabel->SetCaption(caption);
        FLabel->SetCaptionLinkTo(linkTo);
        for (const char* step : {"enter", "press", "release"})
            Step(QString::fromLatin1(step));
        QCOMPARE(FShell.openedUrls, opened);
        QVERIFY(FShell.opened.isEmpty());
    }

    // Colour and style ("u" underline, "b" bold, "i" italic) after the steps, and how often the link opened.
    void look_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<QString>("style");
        QTest::addColumn<int>("opened");
        QTest::newRow("at rest") << QStringList{} << kBlue << "" << 0;
        QTest::newRow("cursor over") << QStringList{"enter"} << kRed << "u" << 0;
        QTest::newRow("cursor gone") << QStringList{"enter", "leave"} << kBlue << "" << 0;
        QTest::newRow("held") << QStringList{"enter", "press"} << QColor(Qt::green) << "b" << 0;
        QTest::newRow("clicked, cursor still over") << QStringList{"enter", "press", "release"} << kRed << "u" << 1;
        QTest::newRow("pressed, dragged away, released")
            << QStringList{"enter", "press", "releaseAway"} << kBlue << "" << 0;
        QTest::newRow("then the cursor leaves")
            << QStringList{"enter", "press", "releaseAway", "leave"} << kBlue << "" << 0;
        QTest::newRow("entered twice") << QStringList{"enter", "enter", "leave"} << kBlue << "" << 0;
        QTest::newRow("right button held") << QStringList{"enter", "rightPress"} << kRed << "u" << 0;
        QTest::newRow("right click") << QStringList{"enter", "rightPress", "rightRelease"} << kRed << "u" << 0;
        QTest::newRow("right press, left release") << QStringList{"enter", "rightPress", "release"} << kRed << "u" << 0;
        QTest::newRow("release without a press") << QStringList{"enter", "release"} << kRed << "u" << 0;
        QTest::newRow("double click is two clicks")
            << QStringList{"enter", "press", "release", "doubleClick", "release"} << kRed << "u" << 2;
        QTest::newRow("pressed with no entry seen") << QStringList{"press", "release"} << kBlue << "" << 1;
        QTest::newRow("dragged away and back")
            << QStringList{"enter", "press", "leave", "enter", "release"} << kRed << "u" << 1;
    }

    void look() {
        QFETCH(QStringList, steps);
        QFETCH(QColor, colour);
        QFETCH(QString, style);
        QFETCH(int, opened);
        FLabel->SetCaption(QStringLiteral("https://a.example/"));
        FLabel->SetFontColorDown(Qt::green);
        FLabel->SetFontStyleDown(TFontStyle::fsBold);
        for (const QString& step : steps)
            Step(step);
        QCOMPARE(FLabel->FontColor(), colour);
        const QFont font = FLabel->font();
        QCOMPARE(QString(font.underline() ? "u" : "") + (font.bold() ? "b" : "") + (font.italic() ? "i" : ""), style);
        QCOMPARE(FShell.openedUrls, QStringList(opened, QStringLiteral("https://a.example/")));
    }
};

QTEST_MAIN(TestShotLabel)
#include "tst_shotlabel.moc"
