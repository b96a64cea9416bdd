#include "gui/main/Startup.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    // Every standard button of the program reads Japanese in a Japanese interface (the test runs in the C
    // locale, which gives the program's own language, whatever locale the shell has).
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

    void translationLanguage_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("language");
        QTest::newRow("english") << QStringLiteral("velmarinth_en.qm") << QStringLiteral("en");
        QTest::newRow("region") << QStringLiteral("velmarinth_pt_BR.qm") << QStringLiteral("pt_BR");
        QTest::newRow("one letter") << QStringLiteral("velmarinth_x.qm") << QStringLiteral("x");
        QTest::newRow("no language") << QStringLiteral("velmarinth_.qm") << QString();
        QTest::newRow("other program") << QStringLiteral("qtbase_en.qm") << QString();
        QTest::newRow("prefix inside") << QStringLiteral("avelmarinth_en.qm") << QString();
        QTest::newRow("source file") << QStringLiteral("velmarinth_en.ts") << QString();
        QTest::newRow("suffix longer") << QStringLiteral("velmarinth_en.qmx") << QString();
        QTest::newRow("case") << QStringLiteral("Velmarinth_en.qm") << QString();
    }
    void translationLanguage() {
        QFETCH(QString, file);
        QFETCH(QString, language);
        QCOMPARE(TranslationLanguage(file), language);
    }

    // The translations built into the program, found among the resources.
    void translatedLanguagesAreThoseBuiltIn() { QCOMPARE(TranslatedLanguages(), QStringList{QStringLiteral("en")}); }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
