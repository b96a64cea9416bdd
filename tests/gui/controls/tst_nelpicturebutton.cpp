#include "gui/controls/Actions.h"
#include "gui/controls/NelPictureButton.h"

#include <QElapsedTimer>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QTest>
#include <memory>

namespace {

const QColor kYellow(0xFF, 0xFF, 0x00);

// Each picture a colour and a size of its own, so both what is drawn and the button's size tell which it is.
struct TPictureDef {
    QColor colour;
    QSize size;
};
const QHash<QString, TPictureDef>& Pictures() {
    static const QHash<QString, TPictureDef> pictures{
        {"Normal", {Qt::red, {40, 20}}}, {"Over", {Qt::green, {41, 21}}},   {"Down", {Qt::blue, {42, 22}}},
        {"Up", {Qt::cyan, {43, 23}}},    {"Disable", {Qt::gray, {44, 24}}},
    };
    return pictures;
}

QPixmap Solid(const QString& name, qreal ratio = 1.0) {
    const TPictureDef& def = Pictures()[name];
    QPixmap picture(def.size * ratio);
    picture.fill(def.colour);
    picture.setDevicePixelRatio(ratio);
    return picture;
}

} // namespace

class TestNelPictureButton : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> FParent;
    TNelPictureButton* FButton = nullptr;
    TAction* FAction = nullptr;
    int FExecuted = 0;

    void Step(const QString& step) {
        const QPoint inside(3, 3);
        const QPoint away(FButton->width() + 20, 3);
        if (step == "enter") {
            QEnterEvent enter(inside, inside, FButton->mapToGlobal(inside));
            QCoreApplication::sendEvent(FButton, &enter);
        } else if (step == "leave") {
            QEvent leave(QEvent::Leave);
            QCoreApplication::sendEvent(FButton, &leave);
        } else if (step == "press" || step == "rightPress") {
            QTest::mousePress(FButton, step == "press" ? Qt::LeftButton : Qt::RightButton, {}, inside);
        } else if (step == "release" || step == "rightRelease") {
            QTest::mouseRelease(FButton, step == "release" ? Qt::LeftButton : Qt::RightButton, {}, inside);
        } else if (step == "releaseAway") {
            QTest::mouseRelease(FButton, Qt::LeftButton, {}, away);
        } else if (step == "doubleClick" || step == "rightDoubleClick") {
            // What the second press of a double click arrives as.
            const Qt::MouseButton button = step == "doubleClick" ? Qt::LeftButton : Qt::RightButton;
            QMouseEvent twice(QEvent::MouseButtonDblClick, inside, FButton->mapToGlobal(inside), button, button,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(FButton, &twice);
        } else if (step == "disable" || step == "enable") {
            FAction->SetEnabled(step == "enable");
        } else {
            QFAIL(qPrintable("unknown step " + step));
        }
    }

private slots:
    void init() {
        FParent = std::make_unique<QWidget>();
        FParent->resize(200, 100);
        FButton = new TNelPictureButton(FParent.get());
        FAction = new TAction(QStringLiteral("actTest"), FParent.get());
        FExecuted = 0;
        FAction->OnExecute = [this](TAction*) { ++FExecuted; };
        FParent->show();
    }

    void cleanup() { FParent.reset(); }

    void states_data() {
        QTest::addColumn<QStringList>("pictures"); // which of the five the button is given
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("shown"); // the picture drawn, or "" for the bare yellow face
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("clicks");
        const QStringList all{"Normal", "Over", "Down", "Up", "Disable"};
        const QStringList noUp{"Normal", "Over", "Down", "Disable"};
        QTest::newRow("at rest") << all << 1.0 << QStringList{} << "Normal" << QSize(40, 20) << 0;
        QTest::newRow("cursor over") << all << 1.0 << QStringList{"enter"} << "Over" << QSize(41, 21) << 0;
        QTest::newRow("cursor gone") << all << 1.0 << QStringList{"enter", "leave"} << "Normal" << QSize(40, 20) << 0;
        QTest::newRow("held") << all << 1.0 << QStringList{"enter", "press"} << "Down" << QSize(42, 22) << 0;
        QTest::newRow("released over, repainted")
            << all << 1.0 << QStringList{"enter", "press", "release"} << "Up" << QSize(43, 23) << 1;
        QTest::newRow("released over, no up picture")
            << noUp << 1.0 << QStringList{"enter", "press", "release"} << "Over" << QSize(41, 21) << 1;
        QTest::newRow("pressed, moved away, released")
            << all << 1.0 << QStringList{"enter", "press", "releaseAway"} << "Normal" << QSize(40, 20) << 0;
        QTest::newRow("then the cursor leaves")
            << all << 1.0 << QStringList{"enter", "press", "releaseAway", "leave"} << "Normal" << QSize(40, 20) << 0;
        QTest::newRow("right button does nothing")
            << all << 1.0 << QStringList{"enter", "rightPress", "rightRelease"} << "Over" << QSize(41, 21) << 0;
        QTest::newRow("disabled action") << all << 1.0 << QStringList{"disable"} << "Disable" << QSize(44, 24) << 0;
        QTest::newRow("disabled, nothing to show for it")
            << noUp.mid(0, 3) << 1.0 << QStringList{"disable"} << "Normal" << QSize(40, 20) << 0;
        QTest::newRow("enabled again after the cursor left")
            << all << 1.0 << QStringList{"enter", "disable", "leave", "enable"} << "Normal" << QSize(40, 20) << 0;
        QTest::newRow("disabled while held, no release")
            << all << 1.0 << QStringList{"enter", "press", "disable"} << "Disable" << QSize(44, 24) << 0;
        QTest::newRow("no pictures") << QStringList{} << 1.0 << QStringList{"enter", "press", "release"} << ""
                                     << QSize(75, 25) << 1;
        QTest::newRow("2x pictures") << all << 2.0 << QStringList{"enter"} << "Over" << QSize(41, 21) << 0;
    }

    void states() {
        QFETCH(QStringList, pictures);
        QFETCH(qreal, ratio);
        QFETCH(QStringList, steps);
        QFETCH(QString, shown);
        QFETCH(QSize, size);
        QFETCH(int, clicks);
        using Setter = void (TNelPictureButton::*)(const QPixmap&);
        const QHash<QString, Setter> setters{{"Normal", &TNelPictureButton::SetPictureNormal},
                                             {"Over", &TNelPictureButton::SetPictureOver},
                                             {"Down", &TNelPictureButton::SetPictureDown},
                                             {"Up", &TNelPictureButton::SetPictureUp},
                                             {"Disable", &TNelPictureButton::SetPictureDisable}};
        for (const QString& name : pictures)
            (FButton->*setters[name])(Solid(name, ratio));
        FAction->Bind(FButton);
        for (const QString& step : steps)
            Step(step);

        QCOMPARE(FButton->size(), size);
        // A fresh paint, as after the window was covered and uncovered.
        const QImage drawn = FButton->grab().toImage();
        const QColor expected = shown.isEmpty() ? kYellow : Pictures()[shown].colour;
        QCOMPARE(drawn.pixelColor(drawn.width() - 1, drawn.height() - 1), expected);
        QCOMPARE(FExecuted, clicks);
    }

    // Which presses and releases raise the button's events and run its action.
    void pressesAndClicks_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("downs");
        QTest::addColumn<int>("ups");
        QTest::addColumn<int>("clicks"); // OnClick and the action, each this many times
        QTest::addColumn<bool>("held");
        QTest::newRow("click") << QStringList{"press", "release"} << 1 << 1 << 1 << false;
        QTest::newRow("held") << QStringList{"press"} << 1 << 0 << 0 << true;
        QTest::newRow("double click is two clicks")
            << QStringList{"press", "release", "doubleClick", "release"} << 2 << 2 << 2 << false;
        QTest::newRow("right button") << QStringList{"rightPress", "rightRelease"} << 0 << 0 << 0 << false;
        QTest::newRow("right double click")
            << QStringList{"rightPress", "rightRelease", "rightDoubleClick", "rightRelease"} << 0 << 0 << 0 << false;
        QTest::newRow("right press, left release") << QStringList{"rightPress", "release"} << 0 << 1 << 0 << false;
        QTest::newRow("release without a press") << QStringList{"release"} << 0 << 1 << 0 << false;
        QTest::newRow("released away") << QStringList{"press", "releaseAway"} << 1 << 1 << 0 << false;
        QTest::newRow("press while disabled") << QStringList{"disable", "press"} << 0 << 0 << 0 << false;
        QTest::newRow("pressed while disabled, released enabled")
            << QStringList{"disable", "press", "enable", "release"} << 0 << 1 << 0 << false;
        QTest::newRow("disabled while held") << QStringList{"press", "disable", "release"} << 1 << 0 << 0 << false;
        QTest::newRow("a click after a release away")
            << QStringList{"press", "releaseAway", "press", "release"} << 2 << 2 << 1 << false;
    }

    void pressesAndClicks() {
        QFETCH(QStringList, steps);
        QFETCH(int, downs);
        QFETCH(int, ups);
        QFETCH(int, clicks);
        QFETCH(bool, held);
        FButton->SetPictureNormal(Solid("Normal"));
        FAction->Bind(FButton);
        int downSeen = 0, upSeen = 0, clickSeen = 0;
        FButton->OnMouseDown = [&](TNelPictureButton*, Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
            QCOMPARE(button, Qt::LeftButton);
            QCOMPARE(QPoint(x, y), QPoint(3, 3));
            ++downSeen;
        };
        FButton->OnMouseUp = [&](TNelPictureButton*, Qt::MouseButton button, Qt::KeyboardModifiers, int, int) {
            QCOMPARE(button, Qt::LeftButton);
            QVERIFY(!FButton->Pressed()); // the press has ended when the release is reported
            ++upSeen;
        };
        FButton->OnClick = [&](TNelPictureButton*) { ++clickSeen; };
        for (const QString& step : steps)
            Step(step);
        QCOMPARE(downSeen, downs);
        QCOMPARE(upSeen, ups);
        QCOMPARE(clickSeen, clicks);
        QCOMPARE(FExecuted, clicks);
        QCOMPARE(FButton->Pressed(), held);
    }

    // An action that disables its button when it runs: the click that ran it raises no OnClick.
    void clickThatDisablesTheButton() {
        FAction->Bind(FButton);
        FAction->OnExecute = [this](TAction* action) {
            ++FExecuted;
            action->SetEnabled(false);
        };
        int clicks = 0;
        FButton->OnClick = [&clicks](TNelPictureButton*) { ++clicks; };
        Step("press");
        Step("release");
        QCOMPARE(FExecuted, 1);
        QVERIFY(!FButton->isEnabled());
        QCOMPARE(clicks, 0);
    }

    void hint_data() {
        QTest::addColumn<QString>("own");
        QTest::addColumn<QString>("shown");
        QTest::newRow("an empty hint takes the action's") << ""
                                                          << "action's hint, changed";
        QTest::newRow("its own hint stays") << "own hint"
                                            << "own hint";
    }

    void hint() {
        QFETCH(QString, own);
        QFETCH(QString, shown);
        FButton->SetHint(own);
        FAction->SetHint(QStringLiteral("action's hint"));
        FAction->Bind(FButton);
        FAction->SetHint(QStringLiteral("action's hint, changed"));
        QCOMPARE(FButton->toolTip(), shown);
    }

    void longPress_data() {
        QTest::addColumn<int>("holdMs");
        QTest::addColumn<bool>("repeats");
        QTest::newRow("released within the wait") << 250 << false;
        QTest::newRow("held for a second") << 1000 << true;
    }

    void longPress() {
        QFETCH(int, holdMs);
        QFETCH(bool, repeats);
        QList<qint64> events;
        QElapsedTimer held;
        FButton->SetLongMouseDownWait(20);
        FButton->OnLongMouseDown = [&](TNelPictureButton*) { events.append(held.elapsed()); };
        held.start();
        QTest::mousePress(FButton, Qt::LeftButton, {}, QPoint(3, 3));
        QTest::qWait(holdMs);
        QTest::mouseRelease(FButton, Qt::LeftButton, {}, QPoint(3, 3));
        const qsizetype atRelease = events.size();
        QTest::qWait(150);
        QCOMPARE(events.size(), atRelease); // nothing after the release
        if (!repeats) {
            QCOMPARE(atRelease, 0);
            return;
        }
        QVERIFY2(atRelease >= 3, qPrintable(QString::number(atRelease)));
        QVERIFY2(events.first() >= 400, qPrintable(QString::number(events.first())));
    }
};

QTEST_MAIN(TestNelPictureButton)
#include "tst_nelpicturebutton.moc"
