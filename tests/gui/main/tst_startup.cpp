#include "gui/main/Startup.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    // Every standard button of the program reads Japanese, whatever the locale.
    void standardButtonsAreJapanese_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("yes") << int(QMessageBox::Yes) << QString::fromUtf8("はい(&Y)");
        QTest::newRow("no") << int(QMessageBox::No) << QString::fromUtf8("いいえ(&N)");
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << QString::fromUtf8("キャンセル");
    }
    void standardButtonsAreJapanese() {
        QFETCH(int, button);
        QFETCH(QString, text);
        static const bool prepared = (PrepareApplication(), true);
        Q_UNUSED(prepared);
        QMessageBox box(QMessageBox::Question, QStringLiteral("確認"), QStringLiteral("?"),
                        QMessageBox::StandardButton(button));
        QCOMPARE(box.button(QMessageBox::StandardButton(button))->text(), text);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
