#include "core/settings/QuickIni.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Byte literal that may hold NUL bytes.
template <size_t N> QByteArray B(const char (&text)[N]) {
    return QByteArray(text, N - 1);
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

int Mode(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

bool Chmod(const QString& path, int mode) {
    return ::chmod(QFile::encodeName(path).constData(), static_cast<mode_t>(mode)) == 0;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QStringList Entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

const QByteArray kHeader = "******************************************\r\n"
                           "*     Velmarinth initialization file     *\r\n"
                           "******************************************";

// Runs as the unprivileged child of the permission cases: opens the store and, for "update", writes it.
int RunChild(const char* action, const QString& path) {
    try {
        TQuickIni ini(path);
        if (qstrcmp(action, "update") == 0) {
            ini.WriteString("Main", "Left", "1");
            ini.Release();
        }
        std::fputs("ok", stdout);
        return 0;
    } catch (const EFileError& e) {
        std::fputs(e.Message().toUtf8().constData(), stdout);
        return 3;
    }
}

} // namespace

class TestQuickIni : public QObject {
    Q_OBJECT

    QTemporaryDir FDir;
    QString Path() const { return FDir.filePath("Velmarinth.ini"); }

    // The store as loaded from the given file bytes.
    std::unique_ptr<TQuickIni> Load(const QByteArray& bytes) {
        WriteFile(Path(), bytes);
        return std::make_unique<TQuickIni>(Path());
    }

private slots:
    void load_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("image");
        QTest::newRow("empty file") << B("") << B("");
        QTest::newRow("crlf, cr, lf") << B("[a]\r\nx=1\ry=2\nz=3") << B("[a]\r\nx=1\r\ny=2\r\nz=3\r\n\r\n");
        QTest::newRow("lf cr is two breaks") << B("[a]\n\rx=1\n\r") << B("[a]\r\nx=1\r\n\r\n");
        QTest::newRow("controls trimmed") << B(" \t[a]\0 \r\n\t k \x01=\t v \x1f\r\n") << B("[a]\r\nk=v\r\n\r\n");
        QTest::newRow("high bytes not trimmed") << B("[a]\r\n\xa0k=v\x81") << B("[a]\r\n\xa0k=v\x81\r\n\r\n");
        QTest::newRow("comments") << B("[a]\r\n;x=1\r\n  ;y=2\r\nz=3;4") << B("[a]\r\nz=3;4\r\n\r\n");
        QTest::newRow("before first section") << B("x=1\r\njunk\r\n[a]\r\ny=2") << B("[a]\r\ny=2\r\n\r\n");
        QTest::newRow("name trimmed") << B("[  Main \t]\r\n") << B("[Main]\r\n\r\n");
        QTest::newRow("empty name") << B("[]\r\nk=v") << B("[]\r\nk=v\r\n\r\n");
        QTest::newRow("duplicate sections")
            << B("[a]\r\nx=1\r\n[A]\r\nx=2") << B("[a]\r\nx=1\r\n\r\n[A]\r\nx=2\r\n\r\n");
        QTest::newRow("line without equals") << B("[a]\r\n just text \r\nk=v") << B("[a]\r\njust text\r\nk=v\r\n\r\n");
        QTest::newRow("first equals splits") << B("[a]\r\nk = b = c") << B("[a]\r\nk=b = c\r\n\r\n");
        QTest::newRow("empty key and value") << B("[a]\r\n=\r\n = \r\nk=") << B("[a]\r\n=\r\n=\r\nk=\r\n\r\n");
        QTest::newRow("text after bracket")
            << B("[a]\r\nx=1\r\n[b] ;c\r\ny=2") << B("[a]\r\nx=1\r\n[b] ;c\r\ny=2\r\n\r\n");
        QTest::newRow("text after bracket first") << B("[b]x\r\n[a]") << B("[a]\r\n\r\n");
        QTest::newRow("bracket as trail byte")
            << B("[a]\r\n[\x83]\r\n[\x83]]") << B("[a]\r\n[\x83]\r\n\r\n[\x83]]\r\n\r\n");
        QTest::newRow("blank lines") << B("\r\n\r\n[a]\r\n\r\n \t \r\n") << B("[a]\r\n\r\n");
        QTest::newRow("quoted kept raw") << B("[a]\r\nk= \"  x \" ") << B("[a]\r\nk=\"  x \"\r\n\r\n");
        QTest::newRow("nul inside kept") << B("[a]\r\nk=x\0y") << B("[a]\r\nk=x\0y\r\n\r\n");
    }
    void load() {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, image);
        QCOMPARE(Load(file)->FileImage(), image);
    }

    // Whatever a file reads as, its rewrite reads the same and is rewritten unchanged.
    void roundTrip_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("blank as second byte of a name")
            << B("[A]\r\nk=1\r\n[\x81 ]\r\nk=2") << B("A") << B("k") << B("1");
        QTest::newRow("control as second byte of a name")
            << B("[A]\r\nk=1\r\n[\x81\x01]\r\nk=2") << B("A") << B("k") << B("1");
        QTest::newRow("blank after a lead byte, then a blank")
            << B("[Main]\r\nLeft=50\r\n[x\x81 ]\r\nLeft=700") << B("Main") << B("Left") << B("50");
        QTest::newRow("bracket as trail byte") << B("[a]\r\nk=1\r\n[\x83]\r\nk=2") << B("a") << B("k") << B("2");
        QTest::newRow("lone lead byte ends a value") << B("[a]\r\nk=v\x81 \r\n") << B("a") << B("k") << B("v\x81");
        QTest::newRow("quoted blanks") << B("[a]\r\nk=\" x \"") << B("a") << B("k") << B(" x ");
    }
    void roundTrip() {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, value);
        const TQuickIni ini = TQuickIni::FromBytes(file);
        QCOMPARE(ini.ReadString(section, key, "def"), value);
        const QByteArray image = ini.FileImage();
        const TQuickIni rewritten = TQuickIni::FromBytes(image);
        QCOMPARE(rewritten.ReadString(section, key, "def"), value);
        QCOMPARE(rewritten.FileImage(), image);
    }

    // A section is written only under a name that its header line gives back.
    void sectionNamesReadBack_data() {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("image");
        QTest::newRow("lone lead byte at the end") << B("x\x81") << B("");
        QTest::newRow("lead byte alone") << B("\x81") << B("");
        QTest::newRow("blank at the end") << B("Main ") << B("");
        QTest::newRow("double byte at the end") << B("x\x83\x5d") << B("[x\x83\x5d]\r\nk=1\r\n\r\n");
        QTest::newRow("blank as second byte") << B("\x81 ") << B("[\x81 ]\r\nk=1\r\n\r\n");
    }
    void sectionNamesReadBack() {
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, image);
        TQuickIni ini = TQuickIni::FromBytes(B("[a]\r\nk=0"));
        ini.WriteString(section, "k", "1");
        QCOMPARE(ini.FileImage(), "[a]\r\nk=0\r\n\r\n" + image);
        const TQuickIni rewritten = TQuickIni::FromBytes(ini.FileImage());
        QCOMPARE(rewritten.ReadString(section, "k", "def"), image.isEmpty() ? B("def") : B("1"));
        QCOMPARE(rewritten.ReadString("a", "k", "def"), B("0"));
    }

    void readString_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("value"); // default "def"
        const QByteArray k = "[a]\r\nk=";
        QTest::newRow("letter case") << B("[main]\r\n  left =  12  ") << B("Main") << B("Left") << B("12");
        QTest::newRow("last key") << B("[a]\r\nk=1\r\nK=2") << B("a") << B("k") << B("2");
        QTest::newRow("last section") << B("[Main]\r\nLeft=10\r\n[Main]\r\nLeft=20") << B("Main") << B("Left")
                                      << B("20");
        QTest::newRow("last section lacks key") << B("[a]\r\nk=1\r\n[a]\r\nj=2") << B("a") << B("k") << B("def");
        QTest::newRow("missing section") << B("[a]\r\nk=1") << B("b") << B("k") << B("def");
        QTest::newRow("missing key") << B("[a]\r\nk=1") << B("a") << B("j") << B("def");
        QTest::newRow("line is no key") << B("[a]\r\nk") << B("a") << B("k") << B("def");
        QTest::newRow("empty value") << B("[a]\r\nk=") << B("a") << B("k") << B("");
        QTest::newRow("quoted") << k + "\"abc\"" << B("a") << B("k") << B("abc");
        QTest::newRow("two quotes") << k + "\"\"" << B("a") << B("k") << B("\"\"");
        QTest::newRow("doubled inside") << k + "\"a\"\"b\"" << B("a") << B("k") << B("a\"b");
        QTest::newRow("text after close") << k + "\"a\"xyz" << B("a") << B("k") << B("a");
        QTest::newRow("no close") << k + "\"abc" << B("a") << B("k") << B("ab");
        QTest::newRow("no close, pair") << k + "\"a\"\"" << B("a") << B("k") << B("a");
        QTest::newRow("no close, double byte") << k + "\"x\x82\xa0" << B("a") << B("k") << B("x");
        QTest::newRow("one quote") << k + "\"" << B("a") << B("k") << B("\"");
        QTest::newRow("three quotes") << k + "\"\"\"" << B("a") << B("k") << B("\"\"\"");
        QTest::newRow("four quotes") << k + "\"\"\"\"" << B("a") << B("k") << B("\"");
        QTest::newRow("quote not first") << k + "a\"b\"" << B("a") << B("k") << B("a\"b\"");
        QTest::newRow("full-width letters")
            << B("[\x82\x8d\x82\x81]\r\nk=1") << B("\x82\x6c\x82\x60") << B("K") << B("1");
        QTest::newRow("full-width z") << B("[\x82\x9a]\r\nk=1") << B("\x82\x79") << B("k") << B("1");
        QTest::newRow("greek alpha") << B("[\x83\xbf]\r\nk=1") << B("\x83\x9f") << B("k") << B("1");
        QTest::newRow("greek omega") << B("[\x83\xd6]\r\nk=1") << B("\x83\xb6") << B("k") << B("1");
        QTest::newRow("cyrillic a") << B("[\x84\x70]\r\nk=1") << B("\x84\x40") << B("k") << B("1");
        QTest::newRow("cyrillic before the gap") << B("[\x84\x7e]\r\nk=1") << B("\x84\x4e") << B("k") << B("1");
        QTest::newRow("cyrillic") << B("[\x84\x80]\r\nk=1") << B("\x84\x4f") << B("k") << B("1");
        QTest::newRow("cyrillic ya") << B("[\x84\x91]\r\nk=1") << B("\x84\x60") << B("k") << B("1");
        QTest::newRow("trail byte kept") << B("[\x83\x61]\r\nk=1") << B("\x83\x41") << B("k") << B("def");
        QTest::newRow("trail byte same") << B("[\x83\x61]\r\nk=1") << B("\x83\x61") << B("k") << B("1");
    }
    void readString() {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, value);
        const auto ini = Load(file);
        QCOMPARE(ini->ReadString(section, key, "def"), value);
        QCOMPARE(ini->ReadString("none", key, "\"def\""), B("def")); // a default is unquoted too
    }

    void readInteger_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<qint32>("value"); // default 7
        QTest::newRow("decimal") << B("291") << 291;
        QTest::newRow("negative") << B("-5000") << -5000;
        QTest::newRow("plus") << B("+5") << 5;
        QTest::newRow("minus zero") << B("-0") << 0;
        QTest::newRow("leading zeros") << B("00012") << 12;
        QTest::newRow("max") << B("2147483647") << 2147483647;
        QTest::newRow("min") << B("-2147483648") << qint32(-2147483647 - 1);
        QTest::newRow("above max") << B("2147483648") << 7;
        QTest::newRow("below min") << B("-2147483649") << 7;
        QTest::newRow("very long") << B("99999999999999999999999") << 7;
        QTest::newRow("0x10") << B("0x10") << 16;
        QTest::newRow("0X1f") << B("0X1f") << 31;
        QTest::newRow("$64") << B("$64") << 100;
        QTest::newRow("0x64") << B("0x64") << 100;
        QTest::newRow("hex leading zeros") << B("$0000000010") << 16;
        QTest::newRow("hex all ones") << B("$FFFFFFFF") << -1;
        QTest::newRow("hex 80000000") << B("0x80000000") << qint32(-2147483647 - 1);
        QTest::newRow("hex too big") << B("$100000000") << 7;
        QTest::newRow("0x alone") << B("0x") << 7;
        QTest::newRow("$ alone") << B("$") << 7;
        QTest::newRow("signed hex") << B("-$10") << 7;
        QTest::newRow("minus 0x") << B("-0x10") << 7;
        QTest::newRow("bad hex digit") << B("0x1g") << 7;
        QTest::newRow("12px") << B("12px") << 7;
        QTest::newRow("yes") << B("yes") << 7;
        QTest::newRow("empty") << B("") << 7;
        QTest::newRow("sign alone") << B("-") << 7;
        QTest::newRow("inner blank") << B("1 2") << 7;
        QTest::newRow("quoted blank") << B("\" 5\"") << 7;
        QTest::newRow("quoted number") << B("\"42\"") << 42;
        QTest::newRow("exponent") << B("1e3") << 7;
        QTest::newRow("full-width digit") << B("\x82\x54") << 7;
    }
    void readInteger() {
        QFETCH(QByteArray, text);
        QFETCH(qint32, value);
        QCOMPARE(Load("[a]\r\nk=" + text)->ReadInteger("a", "k", 7), value);
    }

    void readBool_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("def");
        QTest::addColumn<bool>("value");
        QTest::newRow("0x10 on") << B("TopMost=0x10") << false << true;
        QTest::newRow("5 on") << B("TopMost=5") << false << true;
        QTest::newRow("-1 on") << B("TopMost=-1") << false << true;
        QTest::newRow("yes default off") << B("TopMost=yes") << false << false;
        QTest::newRow("yes default on") << B("TopMost=yes") << true << true;
        QTest::newRow("empty default off") << B("TopMost=") << false << false;
        QTest::newRow("0 over default on") << B("TopMost=0") << true << false;
        QTest::newRow("missing default on") << B("Other=0") << true << true;
    }
    void readBool() {
        QFETCH(QByteArray, line);
        QFETCH(bool, def);
        QFETCH(bool, value);
        QCOMPARE(Load("[Main]\r\n" + line)->ReadBool("Main", "TopMost", def), value);
    }

    void writeString_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("image");
        QTest::newRow("in place, writer's spelling") << B("[main]\r\nleft=1\r\ntop=2") << B("Main") << B("Left")
                                                     << B("5") << B("[main]\r\nLeft=5\r\ntop=2\r\n\r\n");
        QTest::newRow("append to section") << B("[a]\r\nx=1\r\n[b]\r\ny=2") << B("A") << B("z") << B("3")
                                           << B("[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\ny=2\r\n\r\n");
        QTest::newRow("new section last")
            << B("[a]\r\nx=1") << B("b") << B("y") << B("2") << B("[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n\r\n");
        QTest::newRow("last duplicate section")
            << B("[a]\r\nk=1\r\n[a]\r\nk=2") << B("a") << B("k") << B("3") << B("[a]\r\nk=1\r\n\r\n[a]\r\nk=3\r\n\r\n");
        QTest::newRow("last duplicate key")
            << B("[a]\r\nk=1\r\nk=2") << B("a") << B("k") << B("3") << B("[a]\r\nk=1\r\nk=3\r\n\r\n");
        QTest::newRow("line is no key") << B("[a]\r\nk") << B("a") << B("k") << B("v") << B("[a]\r\nk\r\nk=v\r\n\r\n");
        const QByteArray s = "[a]\r\nk=";
        QTest::newRow("leading blank") << s << B("a") << B("k") << B(" www.|") << s + "\" www.|\"\r\n\r\n";
        QTest::newRow("trailing tab") << s << B("a") << B("k") << B("x\t") << s + "\"x\t\"\r\n\r\n";
        QTest::newRow("quote and blank") << s << B("a") << B("k") << B("a\"b ") << s + "\"a\"\"b \"\r\n\r\n";
        QTest::newRow("quoted written back")
            << B("[a]\r\nk=\"abc\"") << B("a") << B("k") << B("abc") << B("[a]\r\nk=abc\r\n\r\n");
        QTest::newRow("no quotes needed") << s << B("a") << B("k") << B("abc") << s + "abc\r\n\r\n";
        QTest::newRow("inner blank") << s << B("a") << B("k") << B("a b\tc") << s + "a b\tc\r\n\r\n";
        QTest::newRow("empty") << s << B("a") << B("k") << B("") << s + "\r\n\r\n";
        QTest::newRow("blank only") << s << B("a") << B("k") << B(" ") << s + "\" \"\r\n\r\n";
        QTest::newRow("leading quote") << s << B("a") << B("k") << B("\"abc\"") << s + "\"\"\"abc\"\"\"\r\n\r\n";
        QTest::newRow("two quotes") << s << B("a") << B("k") << B("\"\"") << s + "\"\"\"\"\"\"\r\n\r\n";
        QTest::newRow("nul at end") << s << B("a") << B("k") << B("a\0") << s + B("\"a\0\"\r\n\r\n");
        QTest::newRow("double byte") << s << B("a") << B("k") << B("\x83\x5c\x7c") << s + "\x83\x5c\x7c\r\n\r\n";
    }
    void writeString() {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, value);
        QFETCH(QByteArray, image);
        auto ini = Load(file);
        ini->WriteString(section, key, value);
        QCOMPARE(ini->FileImage(), image);
        QCOMPARE(ini->ReadString(section, key, "def"), value);
        ini->Release();
        QCOMPARE(ReadFile(Path()), image);
        QCOMPARE(TQuickIni(Path()).ReadString(section, key, "def"), value);
    }

    // Text from outside (a pasted URL) never adds a line of its own: it is cut at its first break.
    void lineBreaksNeverWritten_data() {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("image");
        QTest::newRow("settings in a value")
            << B("Main") << B("URLBox") << B("http://a/\r\n[Option]\r\nUseDirectedBrowser=1\r\nDirectedBrowserPath=~/x")
            << B("[Main]\r\nURLBox=http://a/\r\n\r\n");
        QTest::newRow("lone lf") << B("s") << B("k") << B("a\nb=1") << B("[s]\r\nk=a\r\n\r\n");
        QTest::newRow("lone cr") << B("s") << B("k") << B("a\rb=1") << B("[s]\r\nk=a\r\n\r\n");
        QTest::newRow("break first") << B("s") << B("k") << B("\n[t]") << B("[s]\r\nk=\r\n\r\n");
        QTest::newRow("break in a key") << B("s") << B("k\r\n[t]\r\nj") << B("1") << B("[s]\r\nk=1\r\n\r\n");
        QTest::newRow("break in a section") << B("s\n[t]") << B("k") << B("1") << B("[s]\r\nk=1\r\n\r\n");
    }
    void lineBreaksNeverWritten() {
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, value);
        QFETCH(QByteArray, image);
        QFile::remove(Path());
        TQuickIni ini(Path());
        ini.WriteString(section, key, value);
        ini.Release();
        QCOMPARE(ReadFile(Path()), image);
    }

    void readList_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QList<QByteArray>>("list");
        QTest::addColumn<bool>("exists");
        QTest::newRow("missing keys") << B("[Template]\r\nCount=3\r\n0=a|") << QList<QByteArray>{"a|", "", ""} << true;
        QTest::newRow("no Count") << B("[Template]\r\n0=a|") << QList<QByteArray>{} << true;
        QTest::newRow("empty section") << B("[Template]\r\n[Main]\r\nx=1") << QList<QByteArray>{} << false;
        QTest::newRow("no section") << B("[Main]\r\nx=1") << QList<QByteArray>{} << false;
        QTest::newRow("only a plain line") << B("[Template]\r\nabc") << QList<QByteArray>{} << true;
        QTest::newRow("Count 0") << B("[Template]\r\nCount=0\r\n0=a") << QList<QByteArray>{} << true;
        QTest::newRow("Count negative") << B("[Template]\r\nCount=-2\r\n0=a") << QList<QByteArray>{} << true;
        QTest::newRow("Count not a number") << B("[Template]\r\nCount=x\r\n0=a") << QList<QByteArray>{} << true;
        QTest::newRow("quoted and unordered")
            << B("[template]\r\n1=\" b\"\r\ncount=2\r\n0=a") << QList<QByteArray>{"a", " b"} << true;
        QTest::newRow("last key wins") << B("[Template]\r\nCount=2\r\n0=a\r\n1=b\r\nCOUNT=3\r\n0=c")
                                       << QList<QByteArray>{"c", "b", ""} << true;
        QTest::newRow("keys not as written") << B("[Template]\r\nCount=\"3\"\r\n00=a\r\n+1=b\r\n2 =c\r\nCount")
                                             << QList<QByteArray>{"", "", "c"} << true;
        QTest::newRow("last duplicate") << B("[Template]\r\nCount=1\r\n0=a\r\n[Template]\r\nCount=1\r\n0=b")
                                        << QList<QByteArray>{"b"} << true;
        QTest::newRow("empty last duplicate")
            << B("[Template]\r\nCount=1\r\n0=a\r\n[Template]") << QList<QByteArray>{} << false;
    }
    void readList() {
        QFETCH(QByteArray, file);
        QFETCH(QList<QByteArray>, list);
        QFETCH(bool, exists);
        const auto ini = Load(file);
        QList<QByteArray> read{"stale"};
        ini->ReadList("Template", read);
        QCOMPARE(read, list);
        QCOMPARE(ini->SectionExists("TEMPLATE"), exists);
    }

    void writeList() {
        auto ini = Load("[Main]\r\nx=1\r\n[template]\r\nCount=9\r\n8=old\r\n[Option]\r\ny=2\r\n[TEMPLATE]\r\nz=3");
        const QList<QByteArray> list{"http://www.|.co.jp/", " www.|", "", "\"q\""};
        ini->WriteList("Template", list);
        QCOMPARE(ini->FileImage(), B("[Main]\r\nx=1\r\n\r\n[Option]\r\ny=2\r\n\r\n[Template]\r\nCount=4\r\n"
                                     "0=http://www.|.co.jp/\r\n1=\" www.|\"\r\n2=\r\n3=\"\"\"q\"\"\"\r\n\r\n"));
        ini->Release();
        QList<QByteArray> read;
        TQuickIni(Path()).ReadList("Template", read);
        QCOMPARE(read, list);

        ini->WriteString("template", "1", "x"); // the list's keys are found after WriteList too
        QCOMPARE(ini->ReadString("TEMPLATE", "count", ""), B("4"));
        QCOMPARE(ini->FileImage().count("1=x\r\n2="), 1);

        ini = Load("");
        ini->WriteList("T", {});
        ini->WriteList("U\r\n[V]", {"a\r\n0=b"});
        QCOMPARE(ini->FileImage(), B("[T]\r\nCount=0\r\n\r\n[U]\r\nCount=1\r\n0=a\r\n\r\n"));
        QVERIFY(ini->SectionExists("T"));
    }

    void eraseAndClear() {
        auto ini = Load("[a]\r\nk=1\r\n[b]\r\nk=2\r\n[A]\r\nk=3");
        ini->SetHeader("h");
        ini->EraseSection("missing");
        ini->EraseSection("A");
        QVERIFY(!ini->SectionExists("a"));
        QCOMPARE(ini->ReadString("a", "k", "def"), B("def"));
        ini->WriteString("a", "j", "4");
        QCOMPARE(ini->FileImage(), B(";h\r\n\r\n[b]\r\nk=2\r\n\r\n[a]\r\nj=4\r\n\r\n"));
        ini->Clear();
        QVERIFY(!ini->SectionExists("b"));
        QCOMPARE(ini->ReadString("b", "k", "def"), B("def"));
        QCOMPARE(ini->FileImage(), B(";h\r\n\r\n"));
    }

    void headerFooter_data() {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QByteArray>("footer");
        QTest::addColumn<bool>("withSection");
        QTest::addColumn<QByteArray>("image");
        QTest::newRow("nothing") << B("") << B("") << false << B("");
        QTest::newRow("header") << B("a\r\nb") << B("") << false << B(";a\r\n;b\r\n\r\n");
        QTest::newRow("header, final break") << B("a\r\n") << B("") << false << B(";a\r\n\r\n");
        QTest::newRow("header, cr and lf") << B("a\rb\nc") << B("") << false << B(";a\r\n;b\r\n;c\r\n\r\n");
        QTest::newRow("header, break only") << B("\r\n") << B("") << false << B(";\r\n\r\n");
        QTest::newRow("footer") << B("") << B("f\r\ng") << false << B(";f\r\n;g\r\n");
        QTest::newRow("all") << B("h") << B("f") << true << B(";h\r\n\r\n[s]\r\nk=v\r\n\r\n;f\r\n");
    }
    void headerFooter() {
        QFETCH(QByteArray, header);
        QFETCH(QByteArray, footer);
        QFETCH(bool, withSection);
        QFETCH(QByteArray, image);
        QFile::remove(Path());
        TQuickIni ini(Path());
        ini.SetHeader(header);
        ini.SetFooter(footer);
        if (withSection)
            ini.WriteString("s", "k", "v");
        ini.Release();
        QCOMPARE(ReadFile(Path()), image); // an empty store writes a file of 0 bytes
    }

    void saveSettingsFile() {
        WriteFile(Path(), ";old\r\n[Main]\r\nURLBox=stale\r\n[Extra]\r\nx=1\r\n");
        TQuickIni ini(Path());
        ini.Clear();
        ini.SetHeader(kHeader);
        ini.WriteInteger("Main", "Left", 291);
        ini.WriteInteger("Main", "Top", -5);
        ini.WriteBool("Main", "TopMost", true);
        ini.WriteInteger("MakeIS", "TargetFolderIndex", 2);
        ini.WriteString("MakeIS", "TargetFolder", "/home/u/\x83\x66\x83\x58\x83\x4e\x83\x67\x83\x62\x83\x76/");
        ini.WriteList("Template", {"http://www.|.co.jp/", " www.|", ""});
        ini.WriteString("Option", "DirectedBrowserPath", "/usr/bin/firefox");
        ini.WriteBool("Option", "ShowToolTip", false);
        ini.WriteBool("Option", "SyncCapsLock", true);
        ini.WriteBool("Main", "CapsLock", true);
        ini.WriteBool("Option", "SaveURLBox", false);
        ini.WriteString("Main", "URLBox", "http://www.qq|.co.jp/");
        ini.WriteBool("Option", "MinimizeAfterExe", true);
        ini.WriteBool("Option", "RunWithCommandLine", true);
        ini.WriteBool("Option", "UseDirectedBrowser", true);
        ini.Release();
        const QByteArray expected = ";******************************************\r\n"
                                    ";*     Velmarinth initialization file     *\r\n"
                                    ";******************************************\r\n"
                                    "\r\n"
                                    "[Main]\r\nLeft=291\r\nTop=-5\r\nTopMost=1\r\nCapsLock=1\r\n"
                                    "URLBox=http://www.qq|.co.jp/\r\n\r\n"
                                    "[MakeIS]\r\nTargetFolderIndex=2\r\n"
                                    "TargetFolder=/home/u/\x83\x66\x83\x58\x83\x4e\x83\x67\x83\x62\x83\x76/\r\n\r\n"
                                    "[Template]\r\nCount=3\r\n0=http://www.|.co.jp/\r\n1=\" www.|\"\r\n2=\r\n\r\n"
                                    "[Option]\r\nDirectedBrowserPath=/usr/bin/firefox\r\nShowToolTip=0\r\n"
                                    "SyncCapsLock=1\r\nSaveURLBox=0\r\nMinimizeAfterExe=1\r\n"
                                    "RunWithCommandLine=1\r\nUseDirectedBrowser=1\r\n\r\n";
        QCOMPARE(ReadFile(Path()), expected);
    }

    void startupAndShutdown_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("startup");  // the file after opening, reading and releasing
        QTest::addColumn<QByteArray>("shutdown"); // after Clear and writing Left back as read
        QTest::newRow("missing file") << QByteArray() << B("") << B("[Main]\r\nLeft=-1\r\n\r\n");
        QTest::newRow("letter case") << B(";******\r\n;* x *\r\n\r\n[main]\r\n  left =  12  \r\n")
                                     << B("[main]\r\nleft=12\r\n\r\n") << B("[Main]\r\nLeft=12\r\n\r\n");
        QTest::newRow("two Main") << B("[Main]\r\nLeft=10\r\n\r\n[Main]\r\nLeft=20\r\n")
                                  << B("[Main]\r\nLeft=10\r\n\r\n[Main]\r\nLeft=20\r\n\r\n")
                                  << B("[Main]\r\nLeft=20\r\n\r\n");
    }
    void startupAndShutdown() {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, startup);
        QFETCH(QByteArray, shutdown);
        QFile::remove(Path());
        if (!file.isNull())
            WriteFile(Path(), file);
        qint32 left = 0;
        {
            TQuickIni ini(Path());
            left = ini.ReadInteger("Main", "Left", -1);
            ini.Release();
        }
        QCOMPARE(ReadFile(Path()), startup);
        TQuickIni ini(Path());
        ini.Clear();
        ini.WriteInteger("Main", "Left", left);
        ini.Release();
        QCOMPARE(ReadFile(Path()), shutdown);
    }

    void releaseAndReplace() {
        WriteFile(Path(), "[a]\r\nk=1\r\n");
        {
            TQuickIni ini(Path());
            ini.WriteString("a", "k", "2");
            QFile::remove(Path()); // deleted while the program runs: written anew
            ini.Release();
            QCOMPARE(ReadFile(Path()), B("[a]\r\nk=2\r\n\r\n"));
            QFile::remove(Path());
            ini.Release(); // at most once
            QVERIFY(!QFile::exists(Path()));
        }
        {
            TQuickIni ini(Path());
            ini.SetAutoUpdate(false);
            ini.Release();
            QVERIFY(!QFile::exists(Path()));
        }
        WriteFile(Path(), "[a]\r\nk=1\r\n");
        QVERIFY(Chmod(Path(), 0640));
        TQuickIni(Path()).Release();
        QCOMPARE(Mode(Path()), 0640);
        QCOMPARE(Entries(FDir.path()), QStringList{"Velmarinth.ini"});

        // A link stays a link; the file it points to is replaced.
        const QString target = FDir.filePath("real.ini");
        WriteFile(target, "[a]\r\nk=1\r\n");
        QFile::remove(Path());
        QVERIFY(QFile::link(target, Path()));
        TQuickIni linked(Path());
        linked.WriteString("a", "k", "3");
        linked.Release();
        QVERIFY(QFileInfo(Path()).isSymLink());
        QCOMPARE(ReadFile(target), B("[a]\r\nk=3\r\n\r\n"));
        QFile::remove(Path());
        QFile::remove(target);
    }

    void folderInPlace() {
        const QString path = FDir.filePath("folder.ini");
        QVERIFY(QDir().mkdir(path));
        try {
            TQuickIni ini(path);
            QFAIL("a folder opened as a settings file");
        } catch (const EFileError& e) {
            QCOMPARE(e.Message(), QString("ファイル %1 は開けません").arg(path));
        }
        QDir().rmdir(path);
        TQuickIni ini(path);
        QVERIFY(QDir().mkdir(path));
        try {
            ini.UpdateFile();
            QFAIL("a settings file written over a folder");
        } catch (const EFileError& e) {
            QCOMPARE(e.Message(), QString("ファイル %1 を作成できません").arg(path));
        }
        QVERIFY(QFileInfo(path).isDir());
        QDir().rmdir(path);
    }

    // Root may write anywhere, so these run the store in a child process as an unprivileged user.
    void permissions_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("folderMode");
        QTest::addColumn<int>("fileMode"); // -1: no file
        QTest::addColumn<QString>("message");
        QTest::newRow("unreadable file") << "open" << 0777 << 0222 << "ファイル %1 は開けません";
        QTest::newRow("read-only file") << "update" << 0777 << 0444 << "ファイル %1 を作成できません";
        QTest::newRow("read-only folder, no file") << "update" << 0555 << -1 << "ファイル %1 を作成できません";
        QTest::newRow("read-only folder, writable file") << "update" << 0555 << 0666 << "ファイル %1 を作成できません";
        QTest::newRow("writable") << "update" << 0777 << 0666 << "ok";
    }
    void permissions() {
        QFETCH(QString, action);
        QFETCH(int, folderMode);
        QFETCH(int, fileMode);
        QFETCH(QString, message);
        const bool root = geteuid() == 0;
        const QString setpriv = QStandardPaths::findExecutable("setpriv");
        if (root && setpriv.isEmpty())
            QSKIP("setpriv is missing: running as root, every file is writable, so these cases would prove nothing");

        QTemporaryDir base;
        QVERIFY(base.isValid());
        QVERIFY(Chmod(base.path(), 0755));
        const QString program = base.filePath("child");
        QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), program));
        QVERIFY(Chmod(program, 0755));
        const QString folder = base.filePath("folder");
        QVERIFY(QDir().mkdir(folder));
        const QString path = folder + "/Velmarinth.ini";
        const QByteArray original = "[Main]\r\nLeft=5\r\n";
        if (fileMode >= 0) {
            WriteFile(path, original);
            QVERIFY(Chmod(path, fileMode));
        }
        QVERIFY(Chmod(folder, folderMode));

        QStringList args{"--quickini-child", action, path};
        if (root)
            args = QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", program} + args;
        QProcess child;
        child.start(root ? setpriv : program, args);
        QVERIFY(child.waitForFinished(30000));
        const QString output = QString::fromUtf8(child.readAllStandardOutput());
        QVERIFY2(!output.isEmpty(), child.readAllStandardError().constData()); // e.g. a noexec temp folder
        QCOMPARE(output, message.contains("%1") ? message.arg(path) : message);

        QVERIFY(Chmod(folder, 0755));
        if (fileMode >= 0)
            QVERIFY(Chmod(path, 0644));
        QCOMPARE(Entries(folder), fileMode >= 0 ? QStringList{"Velmarinth.ini"} : QStringList{});
        if (fileMode >= 0 && message != "ok")
            QCOMPARE(ReadFile(path), original);
        if (message == "ok")
            QCOMPARE(ReadFile(path), B("[Main]\r\nLeft=1\r\n\r\n"));
    }

    void robustness() {
        // Binary garbage: whatever survives is in normal form and reads back the same.
        QRandomGenerator random(932);
        QByteArray garbage(1 << 20, Qt::Uninitialized);
        for (char& c : garbage)
            c = static_cast<char>(random.bounded(256));
        garbage.replace(0, 5, "[s]\r\n");
        auto ini = Load(garbage);
        const QByteArray image = ini->FileImage();
        QVERIFY(image.size() > garbage.size() * 9 / 10); // lines it does not understand are kept, not dropped
        QCOMPARE(Load(image)->FileImage(), image);

        // A 10 MB line and bytes that are no valid code page 932 survive byte for byte.
        QByteArray huge(10 << 20, 'x');
        huge[0] = '\x81';
        huge[huge.size() / 2] = '\0';
        huge[huge.size() - 1] = '\xfc';
        const QByteArray invalid = B("\x81\x20\xff\xa0\x80\xfd\x82");
        ini = Load("[s]\r\nk=" + huge + "\r\nj=" + invalid + "\r\n[" + huge.chopped(1) + "]\r\nk=1");
        QCOMPARE(ini->ReadString("s", "k", ""), huge);
        QCOMPARE(ini->ReadString("s", "j", ""), invalid);
        QCOMPARE(ini->ReadInteger(huge.chopped(1), "k", 0), 1);
        QCOMPARE(ini->ReadInteger("s", "k", 3), 3);

        // Text replaced over and over is reclaimed, and what remains is intact.
        ini = Load("[a]\r\nfirst=1\r\n[b]\r\nk=0");
        const QByteArray filler(100, 'f');
        for (int i = 1; i <= 50000; ++i)
            ini->WriteString("b", "k", filler + QByteArray::number(i));
        ini->WriteList("c", QList<QByteArray>(20000, filler));
        ini->EraseSection("c");
        QCOMPARE(ini->FileImage(), "[a]\r\nfirst=1\r\n\r\n[b]\r\nk=" + filler + "50000\r\n\r\n");

        // A damaged Count does not fill memory with empty entries.
        QList<QByteArray> list;
        Load("[T]\r\nCount=2147483647\r\n0=a")->ReadList("T", list);
        QCOMPARE(list.first(), B("a"));
        QVERIFY(list.size() >= 3 && list.size() <= 100000);
    }
};

int main(int argc, char** argv) {
    if (argc == 4 && qstrcmp(argv[1], "--quickini-child") == 0)
        return RunChild(argv[2], QString::fromLocal8Bit(argv[3]));
    QCoreApplication app(argc, argv);
    TestQuickIni test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_quickini.moc"
