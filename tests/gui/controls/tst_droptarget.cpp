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

    void dragKeys_data() {
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("keys");
        QTest::newRow("none") << 0 << 0 << 0;
        QTest::newRow("ctrl") << int(Qt::ControlModifier) << 0 << int(TZelkDragKey::Ctrl);
        QTest::newRow("shift and alt") << int(Qt::ShiftModifier | Qt::AltModifier) << 0 << int(TZelkDragKey::Shift);
        QTest::newRow("left") << 0 << int(Qt::LeftButton) << int(TZelkDragKey::LeftButton);
        QTest::newRow("middle and right") << 0 << int(Qt::MiddleButton | Qt::RightButton)
                                          << int(TZelkDragKey::MiddleButton) + int(TZelkDragKey::RightButton);
    }
    void dragKeys() {
        QFETCH(int, modifiers);
        QFETCH(int, buttons);
        QFETCH(int, keys);
        QCOMPARE(int(ZelkDragKeys(Qt::KeyboardModifiers(modifiers), Qt::MouseButtons(buttons))), keys);
    }
};

QTEST_MAIN(TestDropTarget)
#include "tst_droptarget.moc"
