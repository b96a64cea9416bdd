#include "platform/UiLanguage.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTest>
#include <cstdio>

namespace {

// Run as a child with this variable set, the test prints the process's own choice and ends.
constexpr char kPrintChoice[] = "VEL_TEST_PRINT_UI_LANGUAGE";

} // namespace

class TestUiLanguage : public QObject {
    Q_OBJECT
private slots:
    void choice_data() {
        QTest::addColumn<bool>("localeIsC");
        QTest::addColumn<QStringList>("uiLanguages");
        QTest::addColumn<QString>("expected");
        const QStringList none;
        QTest::newRow("C locale: own language") << true << QStringList{"en", "en-US"} << "ja";
        QTest::newRow("Japanese first") << false << QStringList{"ja-JP", "ja"} << "ja";
        QTest::newRow("English first") << false << QStringList{"en-US", "en-Latn-US", "en"} << "en";
        QTest::newRow("English, then Japanese") << false << QStringList{"en", "ja"} << "en";
        QTest::newRow("untranslated, then Japanese") << false << QStringList{"fr", "fr-FR", "ja"} << "ja";
        QTest::newRow("untranslated, then English") << false << QStringList{"de", "de-DE", "en"} << "en";
        QTest::newRow("untranslated only: English") << false << QStringList{"de-DE", "de"} << "en";
        QTest::newRow("a region written with _") << false << QStringList{"ja_JP"} << "ja";
        QTest::newRow("regions only, then Japanese") << false << QStringList{"de-DE", "ja-JP"} << "ja";
        QTest::newRow("upper-case code") << false << QStringList{"JA"} << "ja";
        QTest::newRow("a code that only begins like one") << false << QStringList{"jam", "en"} << "en";
        QTest::newRow("no list") << false << none << "en";
    }
    void choice() {
        QFETCH(bool, localeIsC);
        QFETCH(QStringList, uiLanguages);
        QFETCH(QString, expected);
        QCOMPARE(ChooseUiLanguage(localeIsC, uiLanguages, {QStringLiteral("en")}), expected);
    }

    // The same choice as the desktop's variables make it, in a process of its own.
    void fromEnvironment_data() {
        QTest::addColumn<QStringList>("variables");
        QTest::addColumn<QString>("expected");
        QTest::newRow("nothing set") << QStringList{} << "ja";
        QTest::newRow("LANG=C") << QStringList{"LANG=C"} << "ja";
        QTest::newRow("LANG=POSIX") << QStringList{"LANG=POSIX"} << "ja";
        QTest::newRow("LANG=C.UTF-8") << QStringList{"LANG=C.UTF-8"} << "ja";
        QTest::newRow("LANGUAGE without a locale") << QStringList{"LANGUAGE=en", "LANG=C"} << "ja";
        QTest::newRow("LANG=en_US.UTF-8") << QStringList{"LANG=en_US.UTF-8"} << "en";
        QTest::newRow("LANG=ja_JP.UTF-8") << QStringList{"LANG=ja_JP.UTF-8"} << "ja";
        QTest::newRow("LANG=de_DE.UTF-8") << QStringList{"LANG=de_DE.UTF-8"} << "en";
        QTest::newRow("LANGUAGE=fr:ja") << QStringList{"LANGUAGE=fr:ja", "LANG=fr_FR.UTF-8"} << "ja";
        QTest::newRow("LANGUAGE=ja:en, LANG English") << QStringList{"LANGUAGE=ja:en", "LANG=en_US.UTF-8"} << "ja";
        QTest::newRow("LC_ALL=C over LANG") << QStringList{"LC_ALL=C", "LANG=en_US.UTF-8"} << "ja";
        QTest::newRow("LC_MESSAGES over LANG") << QStringList{"LC_MESSAGES=en_US.UTF-8", "LANG=ja_JP.UTF-8"} << "en";
        QTest::newRow("LC_ALL over LC_MESSAGES")
            << QStringList{"LC_ALL=ja_JP.UTF-8", "LC_MESSAGES=en_US.UTF-8"} << "ja";
    }
    void fromEnvironment() {
        QFETCH(QStringList, variables);
        QFETCH(QString, expected);
        QProcess child;
        QStringList environment = variables;
        environment << QString::fromLatin1(kPrintChoice) + QStringLiteral("=1");
        child.setEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(QString::fromLatin1(child.readAllStandardOutput()).trimmed(), expected);
    }
};

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsSet(kPrintChoice)) {
        QCoreApplication app(argc, argv);
        std::printf("%s\n", qPrintable(DesktopUiLanguage({QStringLiteral("en")})));
        return 0;
    }
    QCoreApplication app(argc, argv);
    TestUiLanguage test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_uilanguage.moc"
