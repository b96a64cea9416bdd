#include "core/browser/DefaultBrowser.h"

#include <QHash>
#include <QSet>
#include <QTest>

namespace {

// A machine with a few files, some of them known under a short name as well.
class FakeSystem final : public IBrowserSystem {
public:
    QSet<QByteArray> files;
    QSet<QByteArray> folders;
    QHash<QByteArray, QByteArray> longNames; // short name -> long name
    QByteArray handlerCommand;
    QByteArray fallbackCommand;
    mutable int fallbackAsked = 0;

    QByteArray LongPath(const QByteArray& path) const override {
        if (longNames.contains(path))
            return longNames.value(path);
        return files.contains(path) || folders.contains(path) ? path : QByteArray();
    }
    bool IsFile(const QByteArray& path) const override { return files.contains(path); }
    QByteArray DefaultHandlerCommand() const override { return handlerCommand; }
    QByteArray FallbackCommand() const override {
        ++fallbackAsked;
        return fallbackCommand;
    }
};

FakeSystem windowsLikeMachine() {
    FakeSystem system;
    system.files = {
        "C:\\Program Files\\Mozilla Firefox\\firefox.exe",
        "C:\\Program Files\\Internet Explorer\\iexplore.exe",
        "C:\\Opera\\opera.exe",
        "c:\\tools\\lynx.exe",
        "C:\\DOS\\browse.com",
        "C:\\old.exe.d\\browser.exe",
        "C:\\X\\Y.ExE",
        "C:\\\x83\x65\x83\x58\x83\x67\\b.exe", // a folder named in katakana
    };
    system.folders = {"C:\\Dir.EXE"};
    system.longNames = {
        {"C:\\PROGRA~1\\INTERN~1\\IEXPLORE.EXE", "C:\\Program Files\\Internet Explorer\\iexplore.exe"},
    };
    return system;
}

} // namespace

class TestDefaultBrowser : public QObject {
    Q_OBJECT
private slots:
    void commandValue_data() {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("candidate");
        QTest::addColumn<QByteArray>("path");
        QTest::newRow("quoted path with switches")
            << QByteArray("\"C:\\Program Files\\Mozilla Firefox\\firefox.exe\" -osint -url \"%1\"")
            << QByteArray("C:\\Program Files\\Mozilla Firefox\\firefox.exe")
            << QByteArray("C:\\Program Files\\Mozilla Firefox\\firefox.exe");
        QTest::newRow("quoted path, quoted placeholder")
            << QByteArray("\"C:\\Opera\\opera.exe\" \"%1\"") << QByteArray("C:\\Opera\\opera.exe")
            << QByteArray("C:\\Opera\\opera.exe");
        QTest::newRow("quoted path alone") << QByteArray("\"C:\\Opera\\opera.exe\"")
                                           << QByteArray("C:\\Opera\\opera.exe") << QByteArray("C:\\Opera\\opera.exe");
        QTest::newRow("unquoted short path with arguments")
            << QByteArray("C:\\PROGRA~1\\INTERN~1\\IEXPLORE.EXE -nohome %1")
            << QByteArray("C:\\PROGRA~1\\INTERN~1\\IEXPLORE.EXE")
            << QByteArray("C:\\Program Files\\Internet Explorer\\iexplore.exe");
        QTest::newRow("unquoted path alone") << QByteArray("C:\\Opera\\opera.exe") << QByteArray("C:\\Opera\\opera.exe")
                                             << QByteArray("C:\\Opera\\opera.exe");
        QTest::newRow("lower-case path keeps its case")
            << QByteArray("c:\\tools\\lynx.exe -force_html") << QByteArray("c:\\tools\\lynx.exe")
            << QByteArray("c:\\tools\\lynx.exe");
        QTest::newRow("mixed-case extension")
            << QByteArray("\"C:\\X\\Y.ExE\",%1") << QByteArray("C:\\X\\Y.ExE") << QByteArray("C:\\X\\Y.ExE");
        QTest::newRow(".com program with arguments")
            << QByteArray("C:\\DOS\\browse.com %1") << QByteArray("C:\\DOS\\browse.com %1") << QByteArray();
        QTest::newRow(".com program alone") << QByteArray("C:\\DOS\\browse.com") << QByteArray("C:\\DOS\\browse.com")
                                            << QByteArray("C:\\DOS\\browse.com");
        QTest::newRow(".exe inside a folder name")
            << QByteArray("C:\\old.exe.d\\browser.exe %1") << QByteArray("C:\\old.exe") << QByteArray();
        QTest::newRow("a folder is no program")
            << QByteArray("C:\\Dir.EXE\\run %1") << QByteArray("C:\\Dir.EXE") << QByteArray();
        QTest::newRow("missing program") << QByteArray("\"C:\\gone\\gone.exe\" %1") << QByteArray("C:\\gone\\gone.exe")
                                         << QByteArray();
        QTest::newRow("environment reference is not expanded")
            << QByteArray("%ProgramFiles%\\Opera\\opera.exe %1") << QByteArray("%ProgramFiles%\\Opera\\opera.exe")
            << QByteArray();
        QTest::newRow("double-byte folder name counts in bytes")
            << QByteArray("\"C:\\\x83\x65\x83\x58\x83\x67\\b.exe\" %1")
            << QByteArray("C:\\\x83\x65\x83\x58\x83\x67\\b.exe") << QByteArray("C:\\\x83\x65\x83\x58\x83\x67\\b.exe");
        QTest::newRow("empty value") << QByteArray() << QByteArray() << QByteArray();
        QTest::newRow("a lone quote") << QByteArray("\"") << QByteArray("\"") << QByteArray();
        QTest::newRow("extension only, quoted") << QByteArray("\".exe\"") << QByteArray(".exe") << QByteArray();
    }
    void commandValue() {
        QFETCH(QByteArray, value);
        QFETCH(QByteArray, candidate);
        QFETCH(QByteArray, path);
        QCOMPARE(CommandExeCandidate(value), candidate);
        QCOMPARE(GetCommandExePath(value, windowsLikeMachine()), path);
    }

    void findExe_data() {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<qsizetype>("position");
        QTest::newRow("none") << QByteArray("C:\\a\\b.com") << qsizetype(0);
        QTest::newRow("first of two") << QByteArray("a.exe.exe") << qsizetype(2);
        QTest::newRow("at start") << QByteArray(".EXE") << qsizetype(1);
        QTest::newRow("cut short") << QByteArray("a.ex") << qsizetype(0);
        QTest::newRow("after double-byte") << QByteArray("\x83\x65.eXe") << qsizetype(3);
        // 0x81 takes the next byte as its second byte, so the dot there starts no character.
        QTest::newRow("dot inside a double-byte pair") << QByteArray("\x81.exe") << qsizetype(0);
    }
    void findExe() {
        QFETCH(QByteArray, value);
        QFETCH(qsizetype, position);
        QCOMPARE(FindExeExtension(value), position);
    }

    void defaultBrowser_data() {
        QTest::addColumn<QByteArray>("handler");
        QTest::addColumn<QByteArray>("fallback");
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<bool>("fallbackAsked");
        QTest::newRow("default handler") << QByteArray("\"C:\\Opera\\opera.exe\" \"%1\"") << QByteArray("C:\\X\\Y.ExE")
                                         << QByteArray("C:\\Opera\\opera.exe") << false;
        QTest::newRow("handler broken, fallback tried")
            << QByteArray("\"C:\\gone\\gone.exe\" \"%1\"") << QByteArray("C:\\X\\Y.ExE -nohome")
            << QByteArray("C:\\X\\Y.ExE") << true;
        QTest::newRow("handler with arguments after a non-.exe")
            << QByteArray("C:\\DOS\\browse.com %1") << QByteArray("C:\\X\\Y.ExE") << QByteArray("C:\\X\\Y.ExE") << true;
        QTest::newRow("no handler") << QByteArray() << QByteArray("\"C:\\Opera\\opera.exe\"")
                                    << QByteArray("C:\\Opera\\opera.exe") << true;
        QTest::newRow("neither") << QByteArray() << QByteArray() << QByteArray() << true;
        QTest::newRow("both broken") << QByteArray("C:\\gone.exe") << QByteArray("C:\\gone2.exe") << QByteArray()
                                     << true;
    }
    void defaultBrowser() {
        QFETCH(QByteArray, handler);
        QFETCH(QByteArray, fallback);
        QFETCH(QByteArray, path);
        QFETCH(bool, fallbackAsked);
        FakeSystem system = windowsLikeMachine();
        system.handlerCommand = handler;
        system.fallbackCommand = fallback;
        QCOMPARE(GetDefaultBrowserPath(system), path);
        QCOMPARE(system.fallbackAsked > 0, fallbackAsked);
    }
};

QTEST_APPLESS_MAIN(TestDefaultBrowser)
#include "tst_defaultbrowser.moc"
