#include "gui/controls/ZelkTextDropTarget.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <memory>
#include <optional>

namespace {

struct TDragOutcome {
    bool enterAccepted = false;
    bool moveAccepted = false;
    Qt::DropAction moveAction = Qt::IgnoreAction;
    bool dropAccepted = false;
};

// One whole drag over target, from entering to the drop.
TDragOutcome Drag(QWidget* target, const QMimeData& data, Qt::KeyboardModifiers keys,
                  Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction) {
    const QPoint at(5, 5);
    TDragOutcome outcome;
    QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, keys);
    QCoreApplication::sendEvent(target, &enter);
    outcome.enterAccepted = enter.isAccepted();
    QDragMoveEvent move(at, offered, &data, Qt::LeftButton, keys);
    QCoreApplication::sendEvent(target, &move);
    outcome.moveAccepted = move.isAccepted();
    outcome.moveAction = move.dropAction();
    QDropEvent drop(at, offered, &data, Qt::LeftButton, keys);
    QCoreApplication::sendEvent(target, &drop);
    outcome.dropAccepted = drop.isAccepted();
    return outcome;
}

// Offers text that cannot be had at the drop, as a drag whose source went away once the drop began.
class TLostText final : public QMimeData {
public:
    QStringList formats() const override { return {QStringLiteral("text/plain")}; }

protected:
    QVariant retrieveData(const QString&, QMetaType) const override { return {}; }
};

std::unique_ptr<QMimeData> Offer(const QString& kind, const QString& text) {
    if (kind == "lost text")
        return std::make_unique<TLostText>();
    auto data = std::make_unique<QMimeData>();
    if (kind == "text")
        data->setText(text);
    else if (kind == "image")
        data->setImageData(QImage(4, 4, QImage::Format_RGB32));
    return data;
}

// A drop target whose slots keep what they are given and answer with one effect.
class TRecordingTarget final : public TZelkCustomDropTarget {
public:
    struct TCall {
        QString event;
        int keys = 0;
        QPoint point;
        Qt::DropAction effect = Qt::IgnoreAction;
    };
    QList<TCall> calls;
    Qt::DropAction answer = Qt::CopyAction;

    explicit TRecordingTarget(bool withSlots) {
        if (!withSlots)
            return;
        OnDragEnter = [this](const QMimeData*, TZelkDragKeys keys, QPoint point, Qt::DropAction& effect) {
            Record("enter", keys, point, effect);
        };
        OnDragOver = [this](TZelkDragKeys keys, QPoint point, Qt::DropAction& effect) {
            Record("over", keys, point, effect);
        };
        OnDrop = [this](const QMimeData*, TZelkDragKeys keys, QPoint point, Qt::DropAction& effect) {
            Record("drop", keys, point, effect);
        };
        OnDragLeave = [this] { calls.append({QStringLiteral("leave"), 0, QPoint(), Qt::IgnoreAction}); };
    }

    QStringList Events() const {
        QStringList events;
        for (const TCall& call : calls)
            events << call.event;
        return events;
    }

private:
    void Record(const char* event, TZelkDragKeys keys, QPoint point, Qt::DropAction& effect) {
        calls.append({QString::fromLatin1(event), int(keys.toInt()), point, effect});
        effect = answer;
    }
};

} // namespace

class TestDropTarget : public QObject {
    Q_OBJECT
private slots:
    // What a drag onto a box "box" shows and reports; the box's own drop handling never runs.
    void textDrops_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("keys");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QStringList>("reported");
        const int none = Qt::NoModifier;
        QTest::newRow("text") << "text"
                              << "abc" << none << true << QStringList{"abc"};
        QTest::newRow("text, shift held") << "text"
                                          << "abc" << int(Qt::ShiftModifier) << true << QStringList{"abc"};
        QTest::newRow("text, ctrl and shift held")
            << "text"
            << "abc" << int(Qt::ControlModifier | Qt::ShiftModifier) << true << QStringList{"abc"};
        QTest::newRow("ends at its NUL") << "text" << QString("ab") + QChar(0) + "cd" << none << true
                                         << QStringList{"ab"};
        QTest::newRow("empty text is reported") << "text"
                                                << "" << none << true << QStringList{""};
        QTest::newRow("text that cannot be fetched is no drop") << "lost text"
                                                                << "" << none << true << QStringList{};
        QTest::newRow("picture only is refused") << "image"
                                                 << "" << none << false << QStringList{};
        QTest::newRow("nothing offered is refused") << "none"
                                                    << "" << none << false << QStringList{};
    }
    void textDrops() {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(int, keys);
        QFETCH(bool, accepted);
        QFETCH(QStringList, reported);
        QLineEdit box(QStringLiteral("box"));
        TZelkTextDropTarget target;
        QStringList drops;
        target.OnTextDrop = [&drops](const QString& dropped) { drops << dropped; };
        target.SetWindow(&box);
        const auto data = Offer(kind, text);
        const TDragOutcome outcome = Drag(&box, *data, Qt::KeyboardModifiers(keys));
        QCOMPARE(outcome.enterAccepted, accepted);
        QCOMPARE(outcome.moveAccepted, accepted);
        if (accepted)
            QCOMPARE(outcome.moveAction, Qt::CopyAction);
        QCOMPARE(outcome.dropAccepted, accepted);
        QCOMPARE(drops, reported);
        QCOMPARE(box.text(), QStringLiteral("box"));
    }

    // A drag over answers as its drag's entry did, whatever it offers itself and whatever keys are held. The
    // toolkit sends a drag over only after an accepted entry, so it is handed to the target directly.
    void dragOverAnswersAsTheEntry_data() {
        QTest::addColumn<QString>("entered");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("text entered") << "text" << true;
        QTest::newRow("picture entered") << "image" << false;
    }
    void dragOverAnswersAsTheEntry() {
        QFETCH(QString, entered);
        QFETCH(bool, accepted);
        QLineEdit box;
        TZelkTextDropTarget target;
        target.SetWindow(&box);
        const auto entry = Offer(entered, QStringLiteral("abc"));
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, entry.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(&box, &enter);
        const auto text = Offer(QStringLiteral("text"), QStringLiteral("abc"));
        QDragMoveEvent move(QPoint(6, 6), Qt::CopyAction | Qt::MoveAction, text.get(), Qt::LeftButton,
                            Qt::ShiftModifier);
        QObject* filter = target.findChild<TZelkDropTargetObject*>();
        QVERIFY(filter->eventFilter(&box, &move));
        QCOMPARE(move.isAccepted(), accepted);
        if (accepted)
            QCOMPARE(move.dropAction(), Qt::CopyAction);
    }

    // Which box gets the drops as Window changes, and what is left when one side goes away first.
    void windowRegistration_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("reported");
        QTest::addColumn<bool>("firstAcceptsDrops");
        QTest::newRow("registered") << "none" << QStringList{"to first"} << true;
        QTest::newRow("moved to the second box") << "second" << QStringList{"to second"} << false;
        QTest::newRow("set to none") << "null" << QStringList{} << false;
        QTest::newRow("component freed") << "free component" << QStringList{} << false;
        QTest::newRow("first box freed") << "free window" << QStringList{} << false;
    }
    void windowRegistration() {
        QFETCH(QString, change);
        QFETCH(QStringList, reported);
        QFETCH(bool, firstAcceptsDrops);
        auto first = std::make_unique<QLineEdit>();
        first->setAcceptDrops(false);
        QLineEdit second;
        second.setAcceptDrops(false);
        auto target = std::make_unique<TZelkTextDropTarget>();
        QStringList drops;
        target->OnTextDrop = [&drops](const QString& dropped) { drops << dropped; };
        target->SetWindow(first.get());
        QVERIFY(first->acceptDrops());
        if (change == "second")
            target->SetWindow(&second);
        else if (change == "null")
            target->SetWindow(nullptr);
        else if (change == "free component")
            target.reset();
        else if (change == "free window")
            first.reset();
        QMimeData toFirst, toSecond;
        toFirst.setText(QStringLiteral("to first"));
        toSecond.setText(QStringLiteral("to second"));
        if (first) {
            Drag(first.get(), toFirst, Qt::NoModifier);
            QCOMPARE(first->acceptDrops(), firstAcceptsDrops);
        }
        Drag(&second, toSecond, Qt::NoModifier);
        QCOMPARE(drops, reported);
        QCOMPARE(second.acceptDrops(), change == "second");
        // A component that outlived its window frees without touching it.
        target.reset();
    }

    // The keys every slot is given, in their bit order: Ctrl 1, Shift 2, left button 4, middle 8, right 16.
    void dragKeys_data() {
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("keys");
        QTest::newRow("none") << 0 << 0 << 0;
        QTest::newRow("ctrl") << int(Qt::ControlModifier) << 0 << 1;
        QTest::newRow("shift") << int(Qt::ShiftModifier) << 0 << 2;
        QTest::newRow("alt is not carried") << int(Qt::AltModifier) << 0 << 0;
        QTest::newRow("ctrl, shift and alt")
            << int(Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier) << 0 << 3;
        QTest::newRow("left") << 0 << int(Qt::LeftButton) << 4;
        QTest::newRow("middle") << 0 << int(Qt::MiddleButton) << 8;
        QTest::newRow("right") << 0 << int(Qt::RightButton) << 16;
        QTest::newRow("ctrl and three buttons")
            << int(Qt::ControlModifier) << int(Qt::LeftButton | Qt::MiddleButton | Qt::RightButton) << 29;
    }
    void dragKeys() {
        QFETCH(int, modifiers);
        QFETCH(int, buttons);
        QFETCH(int, keys);
        QWidget box;
        TRecordingTarget target(true);
        target.SetWindow(&box);
        QMimeData data;
        data.setText(QStringLiteral("x"));
        const auto mods = Qt::KeyboardModifiers(modifiers);
        const auto held = Qt::MouseButtons(buttons);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, held, mods);
        QCoreApplication::sendEvent(&box, &enter);
        QDragMoveEvent move(QPoint(5, 5), Qt::CopyAction, &data, held, mods);
        QCoreApplication::sendEvent(&box, &move);
        QDropEvent drop(QPoint(5, 5), Qt::CopyAction, &data, held, mods);
        QCoreApplication::sendEvent(&box, &drop);
        QCOMPARE(target.Events(), QStringList({"enter", "over", "drop"}));
        for (const TRecordingTarget::TCall& call : target.calls)
            QCOMPARE(call.keys, keys);
    }

    // What the slots are given (the point on the screen, the proposed effect) and what their answer does; with
    // no slots the proposed effect stands.
    void slotsAndEffects_data() {
        QTest::addColumn<bool>("withSlots");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("answer"); // the effect the slots choose
        QTest::addColumn<int>("proposed");
        QTest::addColumn<int>("taken"); // Qt::IgnoreAction: refused
        const int copy = Qt::CopyAction, move = Qt::MoveAction, link = Qt::LinkAction, none = Qt::IgnoreAction;
        QTest::newRow("no slots: the proposed copy") << false << 0 << none << copy << copy;
        QTest::newRow("no slots: the proposed move") << false << int(Qt::ShiftModifier) << none << move << move;
        QTest::newRow("slots choose a link") << true << 0 << link << copy << link;
        QTest::newRow("slots choose a copy over a move") << true << int(Qt::ShiftModifier) << copy << move << copy;
        QTest::newRow("slots refuse") << true << 0 << none << copy << none;
    }
    void slotsAndEffects() {
        QFETCH(bool, withSlots);
        QFETCH(int, modifiers);
        QFETCH(int, answer);
        QFETCH(int, proposed);
        QFETCH(int, taken);
        QWidget window;
        window.setGeometry(100, 50, 200, 100);
        auto* box = new QWidget(&window);
        box->setGeometry(10, 20, 100, 30);
        TRecordingTarget target(withSlots);
        target.answer = Qt::DropAction(answer);
        target.SetWindow(box);
        QMimeData data;
        data.setText(QStringLiteral("x"));
        const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
        const auto mods = Qt::KeyboardModifiers(modifiers);
        // In, over, out again; then in once more and the drop.
        QDragEnterEvent enter(QPoint(5, 6), offered, &data, Qt::LeftButton, mods);
        QCoreApplication::sendEvent(box, &enter);
        QDragMoveEvent move(QPoint(7, 8), offered, &data, Qt::LeftButton, mods);
        QCoreApplication::sendEvent(box, &move);
        QDragLeaveEvent leave;
        QCoreApplication::sendEvent(box, &leave);
        QDragEnterEvent again(QPoint(5, 6), offered, &data, Qt::LeftButton, mods);
        QCoreApplication::sendEvent(box, &again);
        QDropEvent drop(QPoint(9, 10), offered, &data, Qt::LeftButton, mods);
        QCoreApplication::sendEvent(box, &drop);
        for (QDropEvent* event : std::initializer_list<QDropEvent*>{&enter, &move, &again, &drop}) {
            QCOMPARE(event->isAccepted(), taken != Qt::IgnoreAction);
            if (taken != Qt::IgnoreAction)
                QCOMPARE(int(event->dropAction()), taken);
        }
        if (!withSlots) {
            QVERIFY(target.calls.isEmpty());
            return;
        }
        // A refused drag is not followed by the toolkit: only its entries come.
        const QStringList events = taken == Qt::IgnoreAction ? QStringList{"enter", "enter"}
                                                             : QStringList{"enter", "over", "leave", "enter", "drop"};
        QCOMPARE(target.Events(), events);
        // The window lies at 100, 50 on the screen and the box at 10, 20 in it.
        const QHash<QString, QPoint> points{{"enter", {115, 76}}, {"over", {117, 78}}, {"drop", {119, 80}}};
        for (const TRecordingTarget::TCall& call : target.calls) {
            if (call.event != "leave") {
                QCOMPARE(call.point, points[call.event]);
                QCOMPARE(int(call.effect), proposed);
            }
        }
    }
};

QTEST_MAIN(TestDropTarget)
#include "tst_droptarget.moc"
