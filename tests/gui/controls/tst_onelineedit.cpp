#include "core/text/ShiftJis.h"
#include "gui/controls/OneLineEdit.h"
#include "gui/main/UrlBox.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
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
        QTest::newRow("text set") << "set"
                                  << "ab\r\ncd"
                                  << "ab" << 2;
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
        } else {
            urlBox.InsertAtCaret(sjis::fromUnicodeUrl(inserted));
        }
        QCOMPARE(box.text(), text);
        QCOMPARE(box.cursorPosition(), caret);
    }
};

QTEST_MAIN(TestOneLineEdit)
#include "tst_onelineedit.moc"
