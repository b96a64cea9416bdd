#include "core/text/UrlRule.h"

#include <QTest>

class TestUrlRule : public QObject {
    Q_OBJECT
private slots:
    void browsableUrl_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("url");
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("bare www") << QByteArray("www") << true;
        QTest::newRow("bare http") << QByteArray("http") << true;
        QTest::newRow("www.q") << QByteArray("www.q") << true;
        QTest::newRow("https") << QByteArray("https://q") << true;
        QTest::newRow("httpfoo") << QByteArray("httpfoo") << true;
        QTest::newRow("ww") << QByteArray("ww") << false;
        QTest::newRow("htt") << QByteArray("htt") << false;
        QTest::newRow("upper HTTP") << QByteArray("HTTP://Q") << false;
        QTest::newRow("mixed Www") << QByteArray("Www.q") << false;
        QTest::newRow("ftp") << QByteArray("ftp://q") << false;
        QTest::newRow("leading blank") << QByteArray(" http://q") << false;
    }
    void browsableUrl() {
        QFETCH(QByteArray, text);
        QFETCH(bool, url);
        QCOMPARE(IsBrowsableUrl(text), url);
    }
};

QTEST_APPLESS_MAIN(TestUrlRule)
#include "tst_urlrule.moc"
