#include "core/settings/QuickIni.h"
#include "core/settings/VelGlobals.h"
#include "core/settings/VelSettings.h"
#include "core/templates/TemplateList.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

namespace {

using Change = std::function<void(TVelWindowState&)>;

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray Escaped(QByteArray text) {
    return text.replace("\r\n", "\\n");
}

// Every setting as the program holds it, one "key=value" line each; a position without a number as "-",
// the template list as its text with each break shown as "\n".
QByteArray Dump(const TVelWindowState& w) {
    using namespace VelGlobals;
    const auto flag = [](bool on) { return QByteArray(on ? "1" : "0"); };
    const auto position = [](std::optional<qint32> p) { return p ? QByteArray::number(*p) : QByteArray("-"); };
    const QList<QPair<const char*, QByteArray>> values = {
        {"Left", position(w.Left)},
        {"Top", position(w.Top)},
        {"TopMost", flag(TopMost)},
        {"CapsLock", flag(w.CapsLock)},
        {"URLBox", w.URLBox},
        {"TargetFolderIndex", QByteArray::number(TargetFolderIndex)},
        {"TargetFolder", TargetFolder},
        {"Template", Escaped(TemplateListText(TemplateList))},
        {"DirectedBrowserPath", DirectedBrowserPath},
        {"ShowToolTip", flag(ShowToolTip)},
        {"SyncCapsLock", flag(SyncCapsLock)},
        {"SaveURLBox", flag(SaveURLBox)},
        {"MinimizeAfterExe", flag(MinimizeAfterExe)},
        {"RunWithCommandLine", flag(RunWithCommandLine)},
        {"UseDirectedBrowser", flag(UseDirectedBrowser)},
    };
    QByteArray text;
    for (const auto& [key, value] : values)
        text += key + ('=' + value) + '\n';
    return text;
}

// What Dump shows for a missing file, with the given lines replaced.
QByteArray Expected(const QByteArrayList& changed) {
    QByteArray text = "Left=-\nTop=-\nTopMost=0\nCapsLock=0\nURLBox=\nTargetFolderIndex=0\nTargetFolder=\nTemplate=" +
                      Escaped(DefaultTemplateText()) +
                      "\nDirectedBrowserPath=\nShowToolTip=1\nSyncCapsLock=0\nSaveURLBox=1\nMinimizeAfterExe=0\n"
                      "RunWithCommandLine=0\nUseDirectedBrowser=0\n";
    for (const QByteArray& line : changed) {
        const QByteArray key = '\n' + line.left(line.indexOf('=') + 1);
        const qsizetype at = ('\n' + text).indexOf(key);
        text.replace(at, text.indexOf('\n', at) - at, line);
    }
    return text;
}

// A value unlike any default in every setting, so that one the reader leaves alone shows.
void FillWithJunk(TVelWindowState& w) {
    using namespace VelGlobals;
    TopMost = SyncCapsLock = MinimizeAfterExe = RunWithCommandLine = UseDirectedBrowser = true;
    ShowToolTip = SaveURLBox = false;
    TargetFolderIndex = -7;
    TargetFolder = DirectedBrowserPath = "junk";
    TemplateList = {"junk"};
    w = {-9, -9, true, "junk"};
}

const QByteArray kHeader = ";******************************************\r\n"
                           ";*     Velmarinth initialization file     *\r\n"
                           ";******************************************\r\n"
                           "\r\n";

} // namespace

class TestVelSettings : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir;
    QString Path() const { return dir.filePath(QStringLiteral("Velmarinth.ini")); }

private slots:
    void read_data() {
        QTest::addColumn<QByteArray>("file"); // null: no file
        QTest::addColumn<QByteArrayList>("changed");
        QTest::newRow("missing file") << QByteArray() << QByteArrayList{};
        QTest::newRow("every item stored")
            << QByteArray("[Main]\r\nLeft=291\r\nTop=-5\r\nTopMost=1\r\nCapsLock=1\r\nURLBox=www.|q\r\n"
                          "[MakeIS]\r\nTargetFolderIndex=2\r\nTargetFolder=/tmp/x\r\n[Template]\r\nCount=2\r\n0=a|\r\n"
                          "1=\" b|\"\r\n[Option]\r\nDirectedBrowserPath=/usr/bin/b\r\nShowToolTip=0\r\n"
                          "SaveURLBox=1\r\nMinimizeAfterExe=1\r\nRunWithCommandLine=1\r\nUseDirectedBrowser=1\r\n")
            << QByteArrayList{"Left=291",
                              "Top=-5",
                              "TopMost=1",
                              "CapsLock=1",
                              "URLBox=www.|q",
                              "TargetFolderIndex=2",
                              "TargetFolder=/tmp/x",
                              "Template=a|\\n b|\\n",
                              "DirectedBrowserPath=/usr/bin/b",
                              "ShowToolTip=0",
                              "MinimizeAfterExe=1",
                              "RunWithCommandLine=1",
                              "UseDirectedBrowser=1"};
        QTest::newRow("hand-written numbers") << QByteArray("[main]\r\nleft=$64\r\nTop=12px\r\nTopMost=0x10\r\n")
                                              << QByteArrayList{"Left=100", "TopMost=1"};
        QTest::newRow("CapsLock ignored while synchronised")
            << QByteArray("[Main]\r\nCapsLock=1\r\n[Option]\r\nSyncCapsLock=1\r\n") << QByteArrayList{"SyncCapsLock=1"};
        QTest::newRow("URLBox ignored while not saved")
            << QByteArray("[Main]\r\nURLBox=a|\r\n[Option]\r\nSaveURLBox=0\r\n") << QByteArrayList{"SaveURLBox=0"};
        QTest::newRow("empty Template section keeps the defaults")
            << QByteArray("[Template]\r\n[Main]\r\n") << QByteArrayList{};
        QTest::newRow("Template without Count is empty")
            << QByteArray("[Template]\r\n0=a|\r\n") << QByteArrayList{"Template="};
    }
    void read() {
        QFETCH(QByteArray, file);
        QFETCH(QByteArrayList, changed);
        QFile::remove(Path());
        if (!file.isNull())
            WriteFile(Path(), file);
        TVelWindowState window;
        FillWithJunk(window);
        const TQuickIni ini(Path());
        ReadVelSettings(ini, window);
        QCOMPARE(Dump(window), Expected(changed));
    }

    void write_data() {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QByteArray>("mainLines"); // after Left and Top
        QTest::addColumn<QByteArray>("rest");      // the sections after Main
        using namespace VelGlobals;
        QTest::newRow("defaults") << Change([](TVelWindowState&) {}) << QByteArray() << QByteArray();
        QTest::newRow("TopMost") << Change([](TVelWindowState&) { TopMost = true; }) << QByteArray("TopMost=1\r\n")
                                 << QByteArray();
        QTest::newRow("Caps key down") << Change([](TVelWindowState& w) { w.CapsLock = true; })
                                       << QByteArray("CapsLock=1\r\n") << QByteArray();
        QTest::newRow("Caps key down while synchronised") << Change([](TVelWindowState& w) {
            w.CapsLock = true;
            SyncCapsLock = true;
        }) << QByteArray() << QByteArray("[Option]\r\nSyncCapsLock=1\r\n\r\n");
        QTest::newRow("URL box") << Change([](TVelWindowState& w) { w.URLBox = " www.|q"; })
                                 << QByteArray("URLBox=\" www.|q\"\r\n") << QByteArray();
        QTest::newRow("URL box not saved") << Change([](TVelWindowState& w) {
            w.URLBox = "www.|q";
            SaveURLBox = false;
        }) << QByteArray() << QByteArray("[Option]\r\nSaveURLBox=0\r\n\r\n");
        QTest::newRow("TargetFolderIndex") << Change([](TVelWindowState&) { TargetFolderIndex = -1; }) << QByteArray()
                                           << QByteArray("[MakeIS]\r\nTargetFolderIndex=-1\r\n\r\n");
        QTest::newRow("TargetFolder") << Change([](TVelWindowState&) { TargetFolder = "/tmp/x"; }) << QByteArray()
                                      << QByteArray("[MakeIS]\r\nTargetFolder=/tmp/x\r\n\r\n");
        QTest::newRow("empty template list") << Change([](TVelWindowState&) { TemplateList.clear(); }) << QByteArray()
                                             << QByteArray("[Template]\r\nCount=0\r\n\r\n");
        QTest::newRow("DirectedBrowserPath")
            << Change([](TVelWindowState&) { DirectedBrowserPath = "/usr/bin/b"; }) << QByteArray()
            << QByteArray("[Option]\r\nDirectedBrowserPath=/usr/bin/b\r\n\r\n");
        QTest::newRow("ShowToolTip") << Change([](TVelWindowState&) { ShowToolTip = false; }) << QByteArray()
                                     << QByteArray("[Option]\r\nShowToolTip=0\r\n\r\n");
        QTest::newRow("MinimizeAfterExe") << Change([](TVelWindowState&) { MinimizeAfterExe = true; }) << QByteArray()
                                          << QByteArray("[Option]\r\nMinimizeAfterExe=1\r\n\r\n");
        QTest::newRow("RunWithCommandLine") << Change([](TVelWindowState&) { RunWithCommandLine = true; })
                                            << QByteArray() << QByteArray("[Option]\r\nRunWithCommandLine=1\r\n\r\n");
        QTest::newRow("UseDirectedBrowser") << Change([](TVelWindowState&) { UseDirectedBrowser = true; })
                                            << QByteArray() << QByteArray("[Option]\r\nUseDirectedBrowser=1\r\n\r\n");
        QTest::newRow("everything the file can hold at once")
            << Change([](TVelWindowState& w) {
                   TopMost = true;
                   w.CapsLock = true;
                   w.URLBox = "http://www.qq|.co.jp/";
                   TargetFolderIndex = 2;
                   TargetFolder = "/home/u/\x83\x66\x83\x58\x83\x4e\x83\x67\x83\x62\x83\x76/";
                   TemplateList = {"http://www.|.co.jp/", " www.|", ""};
                   DirectedBrowserPath = "/usr/bin/firefox";
                   ShowToolTip = false;
                   MinimizeAfterExe = RunWithCommandLine = UseDirectedBrowser = true;
               })
            << QByteArray("TopMost=1\r\nCapsLock=1\r\nURLBox=http://www.qq|.co.jp/\r\n")
            << QByteArray("[MakeIS]\r\nTargetFolderIndex=2\r\n"
                          "TargetFolder=/home/u/\x83\x66\x83\x58\x83\x4e\x83\x67\x83\x62\x83\x76/\r\n\r\n"
                          "[Template]\r\nCount=3\r\n0=http://www.|.co.jp/\r\n1=\" www.|\"\r\n2=\r\n\r\n"
                          "[Option]\r\nDirectedBrowserPath=/usr/bin/firefox\r\nShowToolTip=0\r\n"
                          "MinimizeAfterExe=1\r\nRunWithCommandLine=1\r\nUseDirectedBrowser=1\r\n\r\n");
    }
    void write() {
        QFETCH(Change, change);
        QFETCH(QByteArray, mainLines);
        QFETCH(QByteArray, rest);
        TVelWindowState window;
        ReadVelSettings(TQuickIni(QString()), window); // the defaults
        window.Left = 291;
        window.Top = -5;
        change(window);
        WriteFile(Path(), ";old\r\n[Main]\r\nURLBox=stale\r\n[Extra]\r\nx=1\r\n");
        TQuickIni ini(Path());
        WriteVelSettings(ini, window);
        ini.Release();
        QCOMPARE(ReadFile(Path()), kHeader + "[Main]\r\nLeft=291\r\nTop=-5\r\n" + mainLines + "\r\n" + rest);
    }
};

QTEST_GUILESS_MAIN(TestVelSettings)
#include "tst_velsettings.moc"
