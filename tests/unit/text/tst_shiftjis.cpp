#include "core/text/ShiftJis.h"
#include "core/text/SjisCase.h"

#include <QTest>
#include <thread>

class TestShiftJis : public QObject {
    Q_OBJECT
private slots:
    void decode_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("ascii") << QByteArray("http://a/") << QStringLiteral("http://a/");
        QTest::newRow("backslash and tilde stay ascii") << QByteArray("\\~") << QStringLiteral("\\~");
        QTest::newRow("control bytes keep their codes")
            << QByteArray("\x1a\x1c\x7f", 3) << QStringLiteral("\x1a\x1c\x7f");
        QTest::newRow("double byte po") << QByteArray("\x83\x7c") << QStringLiteral(u"ポ");
        QTest::newRow("trail 0x5c") << QByteArray("\x83\x5c") << QStringLiteral(u"ソ");
        QTest::newRow("halfwidth katakana") << QByteArray("\xb1") << QStringLiteral(u"ｱ");
        QTest::newRow("five extra bytes")
            << QByteArray("\x80\xa0\xfd\xfe\xff") << QString::fromUtf16(u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3");
        QTest::newRow("NEC special row") << QByteArray("\x87\x40") << QStringLiteral(u"①");
        QTest::newRow("IBM extension") << QByteArray("\xfa\x40") << QStringLiteral(u"ⅰ");
        QTest::newRow("lone lead byte at end") << QByteArray("a\x83") << QStringLiteral("a%83");
        QTest::newRow("lead before control") << QByteArray("\x83\x0d"
                                                           "a")
                                             << QStringLiteral("%83\ra");
        QTest::newRow("unassigned pair, second byte a bar") << QByteArray("\x85\x7c"
                                                                          "b")
                                                            << QStringLiteral("%85%7Cb");
        QTest::newRow("nul inside") << QByteArray("a\0b", 3) << QString::fromUtf16(u"a\0b", 3);
    }
    void decode() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(sjis::toUnicode(bytes), text);
    }

    void encode_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("url");
        QTest::addColumn<bool>("encodable");
        QTest::newRow("ascii") << QStringLiteral("www.") << QByteArray("www.") << true;
        QTest::newRow("kana") << QStringLiteral(u"ポx") << QByteArray("\x83\x7cx") << true;
        QTest::newRow("extra bytes") << QString::fromUtf16(u"\uF8F0\u0080") << QByteArray("\xa0\x80") << true;
        QTest::newRow("euro sign percent-encoded") << QStringLiteral(u"a€b") << QByteArray("a%E2%82%ACb") << false;
        QTest::newRow("emoji percent-encoded") << QStringLiteral(u"😀") << QByteArray("%F0%9F%98%80") << false;
        QTest::newRow("yen sign is one-way") << QStringLiteral(u"a¥b") << QByteArray("a%C2%A5b") << false;
        QTest::newRow("lone high surrogate") << QString::fromUtf16(u"a\xD800"
                                                                   u"b",
                                                                   3)
                                             << QByteArray("a%EF%BF%BDb") << false;
        QTest::newRow("lone low surrogate first")
            << QString::fromUtf16(u"\xDC00", 1) << QByteArray("%EF%BF%BD") << false;
    }
    void encode() {
        QFETCH(QString, text);
        QFETCH(QByteArray, url);
        QFETCH(bool, encodable);
        QCOMPARE(sjis::fromUnicodeUrl(text), url);
        QCOMPARE(sjis::isEncodable(text), encodable);
        QCOMPARE(sjis::fromUnicode(text, sjis::Unencodable::Refuse).has_value(), encodable);
    }

    // Text of ASCII alone converts without a converter; the first byte or character above it opens the one
    // its direction needs. Each row runs on a thread of its own, which has opened none yet.
    void convertersOpenOnDemand_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("decoders");
        QTest::addColumn<int>("encoders");
        QTest::newRow("ascii up to 0x7f")
            << QByteArray("h\\~\x7f\0", 5) << QString::fromUtf16(u"h\\~\x7f\0", 5) << 0 << 0;
        QTest::newRow("0x80 after ascii") << QByteArray("a\x80") << QString::fromUtf16(u"a\u0080") << 1 << 1;
        QTest::newRow("kana") << QByteArray("\x83\x7cx") << QStringLiteral(u"ポx") << 1 << 1;
        QTest::newRow("no character") << QByteArray("a\x85\x7c") << QStringLiteral("a%85%7C") << 1 << 0;
    }
    void convertersOpenOnDemand() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(int, decoders);
        QFETCH(int, encoders);
        QString decoded;
        QByteArray encoded;
        int afterDecoding = -1, afterEncoding = -1;
        std::thread([&] {
            decoded = sjis::toUnicode(bytes);
            afterDecoding = sjis::convertersOpenedOnThisThread();
            encoded = sjis::fromUnicodeUrl(text);
            afterEncoding = sjis::convertersOpenedOnThisThread();
        }).join();
        QCOMPARE(decoded, text);
        QCOMPARE(afterDecoding, decoders);
        QCOMPARE(afterEncoding - afterDecoding, encoders);
        if (encoders == 1)
            QCOMPARE(encoded, bytes);
    }

    // Bytes shown in a box and written back: the same bytes, "%XX" for bytes that form no character, or the
    // preferred code of a character that has two.
    void bytesRoundTrip_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("back");
        QTest::newRow("text and extra bytes")
            << QByteArray("http://\x83\x7c\xff\xa0") << QByteArray("http://\x83\x7c\xff\xa0");
        QTest::newRow("unassigned pair") << QByteArray("a\x85\x40") << QByteArray("a%85%40");
        QTest::newRow("lead before a line break") << QByteArray("\x83\x0d") << QByteArray("%83\r");
        QTest::newRow("NEC-selected IBM row") << QByteArray("\xed\x40") << QByteArray("\xfa\x5c");
    }
    void bytesRoundTrip() {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, back);
        QCOMPARE(sjis::fromUnicode(sjis::toUnicode(bytes), sjis::Unencodable::Refuse), std::optional(back));
    }

    // Every byte and byte pair that decodes to a real character comes back as the same bytes.
    void roundTripWholeTable() {
        int pairs = 0;
        for (int lead = 0; lead < 256; ++lead) {
            const bool isLead = sjis::isLeadByte(static_cast<unsigned char>(lead));
            for (int trail = isLead ? 0x40 : 0; trail < (isLead ? 0xFD : 1); ++trail) {
                QByteArray bytes(1, static_cast<char>(lead));
                if (isLead)
                    bytes.append(static_cast<char>(trail));
                const QString text = sjis::toUnicode(bytes);
                if (text.size() > 1 && text.startsWith(u'%')) // no character: shown as "%XX"
                    continue;
                ++pairs;
                QVERIFY2(text.size() == 1, bytes.toHex().constData());
                QCOMPARE(sjis::encodedLength(text[0]), bytes.size());
                const auto back = sjis::fromUnicode(text, sjis::Unencodable::Refuse);
                QVERIFY2(back.has_value(), bytes.toHex().constData());
                // Duplicate codes in the NEC and IBM rows map back to one preferred form.
                if (*back != bytes)
                    QCOMPARE(sjis::toUnicode(*back), text);
            }
        }
        QVERIFY(pairs > 7900);
    }

    // Every character of the Basic Multilingual Plane: a held one is written as bytes that read back as
    // itself, and the box counts exactly those bytes; any other becomes its percent-encoded UTF-8.
    void wholeBasicPlane() {
        QStringList faults;
        for (int u = 0; u <= 0xFFFF; ++u) {
            const QString text(QChar(static_cast<char16_t>(u)));
            const QByteArray url = sjis::fromUnicodeUrl(text);
            const QString shown = sjis::toUnicode(url);
            const QByteArray percent =
                (text[0].isSurrogate() ? QByteArray("\xEF\xBF\xBD") : text.toUtf8()).toPercentEncoding();
            const bool ok = sjis::isEncodable(text) ? shown == text : url == percent && shown == QString(percent);
            if (!ok || sjis::byteOffsetOf(shown, shown.size()) != url.size() || sjis::fromUnicodeUrl(shown) != url)
                faults << QString::number(u, 16);
        }
        QCOMPARE(faults, QStringList());
    }

    void decodedIndex_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qsizetype>("offset");
        QTest::addColumn<qsizetype>("index");
        QTest::newRow("after a pair") << QByteArray("a\x83\x7c"
                                                    "b")
                                      << qsizetype(3) << qsizetype(2);
        QTest::newRow("inside a pair") << QByteArray("a\x83\x7c") << qsizetype(2) << qsizetype(1);
        QTest::newRow("after bytes shown as %XX") << QByteArray("\x85\x40x") << qsizetype(3) << qsizetype(7);
        QTest::newRow("beyond the end") << QByteArray("ab") << qsizetype(99) << qsizetype(2);
        QTest::newRow("before the start") << QByteArray("ab") << qsizetype(-1) << qsizetype(0);
    }
    void decodedIndex() {
        QFETCH(QByteArray, bytes);
        QFETCH(qsizetype, offset);
        QFETCH(qsizetype, index);
        QCOMPARE(sjis::decodedIndexOf(bytes, offset), index);
    }

    void byteClasses_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("classes"); // S single, L lead, T trail
        QTest::newRow("ascii") << QByteArray("ab") << "SS";
        QTest::newRow("po then bar") << QByteArray("\x83\x7c|") << "LTS";
        QTest::newRow("trail 0x5c") << QByteArray("a\x83\x5c") << "SLT";
        QTest::newRow("trail that looks like a lead") << QByteArray("\x81\x81\x81") << "LTS";
        QTest::newRow("lone lead at end") << QByteArray("a\x83") << "SS";
        QTest::newRow("halfwidth kana is single") << QByteArray("\xb1\xb2") << "SS";
    }
    void byteClasses() {
        QFETCH(QByteArray, text);
        QFETCH(QString, classes);
        QString got;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const auto c = sjis::byteClassAt(text, i);
            got += c == sjis::ByteClass::Single ? 'S' : c == sjis::ByteClass::Lead ? 'L' : 'T';
        }
        QCOMPARE(got, classes);
    }

    void indexOfChar_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<qsizetype>("from");
        QTest::addColumn<qsizetype>("index");
        QTest::newRow("plain") << QByteArray("ab|c") << qsizetype(0) << qsizetype(2);
        QTest::newRow("trail byte is not a bar") << QByteArray("\x83\x7c\x7cx") << qsizetype(0) << qsizetype(2);
        QTest::newRow("only inside a character") << QByteArray("\x83\x7c") << qsizetype(0) << qsizetype(-1);
        QTest::newRow("from skips earlier") << QByteArray("|a|") << qsizetype(1) << qsizetype(2);
        QTest::newRow("empty") << QByteArray() << qsizetype(0) << qsizetype(-1);
    }
    void indexOfChar() {
        QFETCH(QByteArray, text);
        QFETCH(qsizetype, from);
        QFETCH(qsizetype, index);
        QCOMPARE(sjis::indexOfChar(text, '|', from), index);
    }

    void letterCase_data() {
        QTest::addColumn<QByteArray>("a");
        QTest::addColumn<QByteArray>("b");
        QTest::addColumn<bool>("same");
        QTest::newRow("ascii") << QByteArray("HTTP://Q/|") << QByteArray("http://q/|") << true;
        QTest::newRow("ascii differs") << QByteArray("http://q/") << QByteArray("http://r/") << false;
        QTest::newRow("length") << QByteArray("abc") << QByteArray("abcd") << false;
        QTest::newRow("full-width A a") << QByteArray("\x82\x60") << QByteArray("\x82\x81") << true;
        QTest::newRow("full-width vs ascii") << QByteArray("\x82\x60") << QByteArray("aa") << false;
        // "ア" (83 41) and "ャ" (83 61) differ only in a second byte that looks like "A" and "a".
        QTest::newRow("trail byte not folded") << QByteArray("\x83\x41") << QByteArray("\x83\x61") << false;
        QTest::newRow("greek") << QByteArray("\x83\x9f") << QByteArray("\x83\xbf") << true;
        QTest::newRow("cyrillic O o") << QByteArray("\x84\x4f") << QByteArray("\x84\x80") << true;
        QTest::newRow("cyrillic N n") << QByteArray("\x84\x4e") << QByteArray("\x84\x7e") << true;
        QTest::newRow("lone lead at end") << QByteArray("a\x83") << QByteArray("A\x83") << true;
        QTest::newRow("double vs two singles") << QByteArray("\x83\x41") << QByteArray("aA") << false;
    }
    void letterCase() {
        QFETCH(QByteArray, a);
        QFETCH(QByteArray, b);
        QFETCH(bool, same);
        QCOMPARE(sjis::equalIgnoringCase(a, b), same);
        QCOMPARE(sjis::equalIgnoringCase(b, a), same);
        // Settings names are looked up by their upper-case form and compared directly: both must agree.
        QCOMPARE(sjis::toUpper(a) == sjis::toUpper(b), same);
    }

    void offsets() {
        const QString text = QStringLiteral(u"aポｱb");
        const qsizetype bytes[] = {0, 1, 3, 4, 5};
        for (qsizetype i = 0; i <= text.size(); ++i) {
            QCOMPARE(sjis::byteOffsetOf(text, i), bytes[i]);
            QCOMPARE(sjis::indexOfByteOffset(text, bytes[i]), i);
        }
        QCOMPARE(sjis::indexOfByteOffset(text, 2), qsizetype(1)); // inside ポ: rounded down
        QCOMPARE(sjis::indexOfByteOffset(text, 99), text.size());
    }
};

QTEST_APPLESS_MAIN(TestShiftJis)
#include "tst_shiftjis.moc"
