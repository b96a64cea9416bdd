#include "core/text/ShiftJis.h"
#include "gui/controls/OneLineEdit.h"
#include "gui/main/UrlBox.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

namespace {

void Drop(QWidget* target, const QString& text, const QPoint& at) {
    QMimeData data;
    data.setText(text);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &move);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
}

} // namespace

class TestOneLineEdit : public QObject {
    Q_OBJECT
private slots:
    // Each way text enters the box "abcd" with the caret after "ab".
    void lineBreakNeverEnters_data() {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("inserted");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::newRow("paste, cr lf") << "paste"
                                      << "x\r\n[Option]\r\ny=1"
                                      << "abxcd" << 3;
        QTest::newRow("paste, lone lf") << "paste"
                                        << "x\ny"
                                        << "abxcd" << 3;
        QTest::newRow("paste, lone cr") << "paste"
                                        << "x\ry"
                                        << "abxcd" << 3;
        QTest::newRow("paste, break first") << "paste"
                                            << "\r\nx"
                                            << "abcd" << 2;
        QTest::newRow("drop") << "drop"
                              << "x\r\ny"
                              << "abxcd" << 3;
        QTest::newRow("input method") << "input method"
                                      << "x\ny"
                                      << "abxcd" << 3;
        QTest::newRow("key with text") << "key"
                                       << "x\ny"
                                       << "abxcd" << 3;
        QTest::newRow("paste, NUL") << "paste" << QString("x") + QChar(0) + "y"
                                    << "abxcd" << 3;
        QTest::newRow("text set, all new") << "set"
                                           << "xy\r\nzw"
                                           << "xy" << 2;
        QTest::newRow("text set keeping start and end: the break goes") << "set"
                                                                        << "ab\r\ncd"
                                                                        << "abcd" << 2;
        QTest::newRow("screen reader inserts") << "accessible insert"
                                               << "x\r\ny"
                                               << "abxcd" << 3;
        QTest::newRow("screen reader replaces") << "accessible replace"
                                                << "x\ny"
                                                << "abxd" << 3;
        QTest::newRow("screen reader sets the text") << "accessible set"
                                                     << "xy\r\nzw"
                                                     << "xy" << 2;
        QTest::newRow("url box paste command") << "url box"
                                               << "x\r\ny"
                                               << "abxcd" << 3;
    }
    void lineBreakNeverEnters() {
        QFETCH(QString, way);
        QFETCH(QString, inserted);
        QFETCH(QString, text);
        QFETCH(int, caret);
        TUrlBox urlBox;
        TOneLineEdit plainBox;
        TOneLineEdit& box = way == "url box" ? urlBox : plainBox;
        box.setText("abcd");
        box.setCursorPosition(2);
        if (way == "paste") {
            QGuiApplication::clipboard()->setText(inserted);
            box.paste();
        } else if (way == "drop") {
            box.show();
            QVERIFY(QTest::qWaitForWindowExposed(&box));
            Drop(&box, inserted, box.inputMethodQuery(Qt::ImCursorRectangle).toRect().center());
        } else if (way == "input method") {
            QInputMethodEvent event;
            event.setCommitString(inserted);
            QCoreApplication::sendEvent(&box, &event);
        } else if (way == "key") {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, inserted);
            QCoreApplication::sendEvent(&box, &press);
        } else if (way == "set") {
            box.setText(inserted);
        } else if (way.startsWith("accessible")) {
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&box);
            QVERIFY(accessible && accessible->editableTextInterface());
            if (way == "accessible insert")
                accessible->editableTextInterface()->insertText(2, inserted);
            else if (way == "accessible replace")
                accessible->editableTextInterface()->replaceText(2, 3, inserted);
            else
                accessible->setText(QAccessible::Value, inserted);
        } else {
            urlBox.InsertAtCaret(sjis::fromUnicodeUrl(inserted));
        }
        QCOMPARE(box.text(), text);
        QCOMPARE(box.cursorPosition(), caret);
    }

    // Each way text enters the URL box "http://abc" with the caret after "http://": control characters and
    // what the code page cannot hold arrive percent-encoded, and the caret counts the bytes written.
    void urlBoxEncodesEveryChange_data() {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("inserted");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        const QString foreign = QString::fromUtf8("aé😀");
        QTest::newRow("insert") << "insert" << foreign << "http://a%C3%A9%F0%9F%98%80abc" << 26;
        QTest::newRow("typed") << "key" << QString::fromUtf8("é") << "http://%C3%A9abc" << 13;
        QTest::newRow("input method") << "input method" << QString::fromUtf8("😀") << "http://%F0%9F%98%80abc" << 19;
        QTest::newRow("screen reader sets the text")
            << "accessible set" << QString::fromUtf8("http://aé😀b/") << "http://a%C3%A9%F0%9F%98%80b/" << 28;
        QTest::newRow("screen reader inserts a line break") << "accessible insert"
                                                            << "x\r\ny"
                                                            << "http://xabc" << 8;
        QTest::newRow("control bytes set") << "set"
                                           << "a\x01"
                                              "b\x1b[31m\x7f"
                                           << "a%01b%1B[31m%7F" << 15;
        QTest::newRow("NUL ends a set text") << "set" << QString("http://a") + QChar(0) + "b\x01"
                                             << "http://a" << 8;
        QTest::newRow("from bytes, NUL and controls") << "bytes" << QString("http://a") + QChar(0) + "b"
                                                      << "http://a" << 0;
        QTest::newRow("from bytes, controls") << "bytes"
                                              << "http://a\x01"
                                                 "c\x1b[31m"
                                              << "http://a%01c%1B[31m" << 0;
        QTest::newRow("insert at caret, controls") << "insert at caret"
                                                   << "x\ty"
                                                   << "http://x%09yabc" << 12;
    }
    void urlBoxEncodesEveryChange() {
        QFETCH(QString, way);
        QFETCH(QString, inserted);
        QFETCH(QString, text);
        QFETCH(int, caret);
        TUrlBox box;
        box.setText("http://abc");
        box.setCursorPosition(7);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&box);
        if (way == "insert") {
            box.insert(inserted);
        } else if (way == "key") {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, inserted);
            QCoreApplication::sendEvent(&box, &press);
        } else if (way == "input method") {
            QInputMethodEvent event;
            event.setCommitString(inserted);
            QCoreApplication::sendEvent(&box, &event);
        } else if (way == "accessible set") {
            accessible->setText(QAccessible::Value, inserted);
        } else if (way == "accessible insert") {
            accessible->editableTextInterface()->insertText(7, inserted);
        } else if (way == "set") {
            box.setText(inserted);
        } else if (way == "bytes") {
            box.SetTextBytes(inserted.toLatin1(), 0);
        } else {
            box.InsertAtCaret(inserted.toLatin1());
        }
        QCOMPARE(box.text(), text);
        QCOMPARE(box.cursorPosition(), caret);
        // What is stored is what is shown, and the caret falls between the same characters in both.
        QCOMPARE(box.TextBytes(), text.toLatin1());
        QCOMPARE(box.SelStartBytes(), caret);
    }

    // Shift+Insert, the context menu's Paste and a middle click never read the clipboard in the box: they ask
    // the window, which reads it without waiting. The box's text stays as it was until the answer comes.
    void pasteAsksTheWindow_data() {
        QTest::addColumn<QString>("way");
        QTest::addColumn<int>("mode");
        QTest::newRow("shift insert") << "shift insert" << int(QClipboard::Clipboard);
        QTest::newRow("context menu") << "menu" << int(QClipboard::Clipboard);
        QTest::newRow("middle click") << "middle" << int(QClipboard::Selection);
    }
    void pasteAsksTheWindow() {
        QFETCH(QString, way);
        QFETCH(int, mode);
        QGuiApplication::clipboard()->setText(QStringLiteral("CLIP"));
        TUrlBox box;
        box.setText("http://abc");
        box.setCursorPosition(7);
        QSignalSpy asked(&box, &TUrlBox::PasteRequested);
        if (way == "shift insert") {
            QTest::keyClick(&box, Qt::Key_Insert, Qt::ShiftModifier);
        } else if (way == "menu") {
            std::unique_ptr<QMenu> menu(box.CreateContextMenu());
            QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"));
            QVERIFY(paste && paste->isEnabled());
            box.SetPasteOffered(false);
            std::unique_ptr<QMenu> withoutText(box.CreateContextMenu());
            QVERIFY(!withoutText->findChild<QAction*>(QStringLiteral("edit-paste"))->isEnabled());
            paste->trigger();
        } else {
            QTest::mouseClick(&box, Qt::MiddleButton, {}, QPoint(2, 5));
        }
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked.at(0).at(0).value<QClipboard::Mode>(), QClipboard::Mode(mode));
        QCOMPARE(box.text(), QStringLiteral("http://abc"));
        QCOMPARE(box.cursorPosition(), 7);
    }
};

QTEST_MAIN(TestOneLineEdit)
#include "tst_onelineedit.moc"
