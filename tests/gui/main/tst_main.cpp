#include "../../support/FakePlatform.h"
#include "../../support/FakeXdgTree.h"
#include "../../support/NamedChild.h"
#include "core/messages/ErrorReport.h"
#include "core/settings/VelGlobals.h"
#include "core/shortcuts/InternetShortcut.h"
#include "core/templates/TemplateList.h"
#include "gui/controls/Actions.h"
#include "gui/controls/MoxSpeedButton.h"
#include "gui/controls/NelPictureButton.h"
#include "gui/main/Main.h"
#include "gui/main/MenuImages.h"
#include "gui/main/UrlBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

const QByteArray kHeader = ";******************************************\r\n"
                           ";*     Velmarinth initialization file     *\r\n"
                           ";******************************************\r\n\r\n";

void Click(TMoxSpeedButton* key) {
    QTest::mouseClick(key, Qt::LeftButton, {}, QPoint(key->width() / 2, key->height() / 2));
}

// Lets the event loop wait once, so that what runs at idle moments runs.
void WaitForIdle() {
    QEventLoop loop;
    QTimer::singleShot(20, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

class TestMain : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    QStringList errors;
    QStringList sessionEndReports;
    // An empty desktop: the window never reads the browser, associations or settings of the machine.
    FakeXdgTree desktop;
    std::unique_ptr<FakeXdgTree::EnvironmentGuard> desktopEnvironment = desktop.applyToProcess(false);
    FakeCapsLock capsLock;
    FakeShellOpen shellOpen;
    std::unique_ptr<FakeClipboard> clipboard;

    std::unique_ptr<TfrmMain> Open() {
        VelGlobals::Reset();
        return std::make_unique<TfrmMain>(dir->path());
    }
    QString Ini() const { return dir->filePath(QStringLiteral("Velmarinth.ini")); }
    QByteArray Expected(const TfrmMain& w, const QByteArray& mainLines, const QByteArray& rest = {}) {
        return kHeader + "[Main]\r\nLeft=" + QByteArray::number(w.frameGeometry().x()) +
               "\r\nTop=" + QByteArray::number(w.frameGeometry().y()) + "\r\n" + mainLines + "\r\n" + rest;
    }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        errors.clear();
        TfrmMain::ErrorReporter = [this](QWidget*, const QString& message) { errors << message; };
        sessionEndReports.clear();
        TfrmMain::SessionEndReporter = [this](const QString& message) { sessionEndReports << message; };
        capsLock = FakeCapsLock();
        TfrmMain::CapsLock = &capsLock;
        shellOpen = FakeShellOpen();
        TfrmMain::ShellOpen = &shellOpen;
        clipboard = std::make_unique<FakeClipboard>();
        TfrmMain::Clipboard = clipboard.get();
    }

    void keyboardLayout() {
        auto w = Open();
        QCOMPARE(w->findChildren<TMoxSpeedButton*>(QRegularExpression(QStringLiteral("^sb"))).size(), 73);
        QCOMPARE(w->menuBar()->actions().size(), 4);
        QCOMPARE(Named<TUrlBox>(w, "edURL")->geometry(), QRect(5, 6, 386, 29));
        QCOMPARE(w->centralWidget()->size(), QSize(395, 212));
    }

    // Every key as the window shows it at start: caption, hint, place, style, shadow colour, font.
    void keyLooks_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<char>("style"); // c: character key, e: edit key, k: Caps Lock key
        QTest::addColumn<QColor>("shadow");
        QTest::addColumn<QString>("face");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<bool>("glyph");
        // The installed stand-ins of "ＭＳ Ｐゴシック" and "ＭＳ Ｐ明朝".
        const QString gothic = QStringLiteral("IPAPGothic");
        const QString mincho = QStringLiteral("IPAPMincho");
        const QColor navy(0x00, 0x4E, 0x98), blue(0x31, 0x6A, 0xC5);
        const QColor highlight = QApplication::palette().color(QPalette::Highlight);
        auto row = [&](const char* name, const char* caption, const char* hint, QRect rect, char style,
                       const QColor& shadow, const QString& face, int pixels, bool glyph = false) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(caption) << QString::fromUtf8(hint)
                                << rect << style << shadow << face << pixels << glyph;
        };
        row("sbCopy", "Copy", "クリップボードにコピー", {123, 36, 70, 20}, 'e', blue, gothic, 15, true);
        row("sbPaste", "Paste", "クリップボードから貼り付け", {193, 36, 70, 20}, 'e', highlight, gothic, 15, true);
        row("sbMoveTop", "", "キャレットを先頭へ", {271, 36, 30, 20}, 'e', highlight, gothic, 20, true);
        row("sbFastLeft", "", "長押しで左へ早送り", {301, 36, 30, 20}, 'e', highlight, gothic, 20, true);
        row("sbFastRight", "", "長押しで右へ早送り", {331, 36, 30, 20}, 'e', highlight, gothic, 20, true);
        row("sbMoveLast", "", "キャレットを最後に", {361, 36, 30, 20}, 'e', highlight, gothic, 20, true);
        const struct {
            const char *name, *caption;
            QRect rect;
        } fragments[] = {
            {"sbhttp", "http://", {5, 59, 71, 23}}, {"sbwww", "www.", {76, 59, 53, 23}},
            {"sbbiz", ".biz/", {129, 59, 53, 23}},  {"sbcom", ".com/", {182, 59, 53, 23}},
            {"sborg", ".org/", {235, 59, 53, 23}},  {"sbindex", "index.", {288, 59, 56, 23}},
            {"sbhtml", "html", {344, 59, 47, 23}},  {"sbco", ".co", {5, 82, 31, 23}},
            {"sbne", ".ne", {36, 82, 32, 23}},      {"sbor", ".or", {68, 82, 31, 23}},
            {"sbac", ".ac", {99, 82, 31, 23}},      {"sbad", ".ad", {130, 82, 31, 23}},
            {"sbgo", ".go", {161, 82, 32, 23}},     {"sbjp", ".jp/", {193, 82, 37, 23}},
            {"sbnet", ".net/", {230, 82, 48, 23}},  {"sbphp", ".php", {278, 82, 41, 23}},
            {"sbcgi", ".cgi", {319, 82, 36, 23}},   {"sbhtm", "htm", {355, 82, 36, 23}},
        };
        for (const auto& f : fragments)
            row(f.name, f.caption, "", f.rect, 'c', navy, mincho, 16);
        // Letters and digits by rows: the first key's left edge, then every 23 pixels.
        const struct {
            const char* keys;
            const char* prefix;
            int left, top;
        } rows[] = {{"qwertyuiop", "sbAlpha_", 10, 110},
                    {"asdfghjkl", "sbAlpha_", 21, 133},
                    {"zxcvbnm", "sbAlpha_", 10, 156},
                    {"789", "sbNum_", 263, 110},
                    {"456", "sbNum_", 263, 133},
                    {"123", "sbNum_", 263, 156},
                    {"0", "sbNum_", 263, 179}};
        for (const auto& r : rows)
            for (int i = 0; r.keys[i]; ++i) {
                const QByteArray name = r.prefix + QByteArray(1, QChar::toUpper(char32_t(r.keys[i])));
                const QByteArray caption(1, r.keys[i]);
                row(name.constData(), caption.constData(), "", {r.left + 23 * i, r.top, 23, 23}, 'c', navy, gothic, 19);
            }
        row("sbAllClear", "AC", "すべて消去", {341, 110, 50, 23}, 'e', blue, gothic, 19);
        row("sbDel", "Del", "キャレットの右の文字を削除", {341, 133, 50, 23}, 'e', blue, gothic, 19);
        row("sbBs", "BS", "キャレットの左の文字を削除", {341, 156, 50, 23}, 'e', blue, gothic, 19);
        row("sbCaps", "CapsLock", "大文字に切り替え", {182, 159, 70, 20}, 'k', navy, gothic, 13);
        row("sbSlash", "/", "スラッシュ", {10, 184, 23, 23}, 'c', navy, mincho, 19);
        row("sbHyphen", "-", "ハイフン", {33, 184, 23, 23}, 'c', navy, gothic, 19);
        row("sbTilde", "~", "チルダ", {56, 184, 23, 23}, 'c', navy, gothic, 19);
        row("sbUnderBar", "_", "アンダーバー", {79, 184, 23, 23}, 'c', navy, gothic, 19);
        row("sbColon", ":", "コロン", {102, 184, 23, 23}, 'c', navy, mincho, 19);
        row("sbPeriod", ".", "ドット", {125, 184, 23, 23}, 'c', navy, mincho, 19);
        row("sbPercent", "%", "パーセント", {148, 184, 23, 23}, 'c', navy, mincho, 19);
        row("sbQuestionMark", "?", "クエスチョンマーク", {171, 184, 23, 23}, 'c', navy, mincho, 19);
        row("sbAmpersand", "&&", "アンパサンド", {194, 184, 23, 23}, 'c', navy, mincho, 19);
    }
    void keyLooks() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, hint);
        QFETCH(QRect, rect);
        QFETCH(char, style);
        QFETCH(QColor, shadow);
        QFETCH(QString, face);
        QFETCH(int, pixels);
        QFETCH(bool, glyph);
        auto w = Open();
        TMoxSpeedButton* key = Named<TMoxSpeedButton>(w, name);
        QVERIFY(key);
        QCOMPARE(key->Caption(), caption);
        QCOMPARE(key->Hint(), hint);
        QCOMPARE(key->geometry(), rect);
        QCOMPARE(key->focusPolicy(), Qt::NoFocus);
        const bool character = style == 'c';
        QCOMPARE(key->Color(), character ? QColor(0xD8, 0xE4, 0xF8) : QColor(0x9D, 0xB9, 0xEB));
        QCOMPARE(key->ColorWhenDown(), QColor(0x02, 0x9F, 0xFD));
        QCOMPARE(key->HotTrackColor(), character ? QColor(0x6B, 0xDD, 0xFA) : QColor(0x6F, 0xBE, 0xFF));
        QCOMPARE(key->ShadowColor(), shadow);
        QCOMPARE(key->LightColor(), style == 'e' ? QColor(0xAA, 0xD9, 0xFF) : QColor(Qt::white));
        QCOMPARE(key->Flat(), !character);
        QCOMPARE(key->font().family(), face);
        QCOMPARE(QFontInfo(key->font()).family(), face);
        QCOMPARE(key->font().pixelSize(), pixels);
        QVERIFY(key->font().bold());
        QCOMPARE(key->FontColor(), character ? QColor(Qt::black) : QColor(Qt::white));
        QVERIFY(key->UseHotTrackFont());
        QCOMPARE(key->HotTrackFont(), key->font());
        QCOMPARE(key->HotTrackFontColor(), key->FontColor());
        QCOMPARE(key->NumGlyphs(), glyph ? 2 : 0);
        QCOMPARE(key->GroupIndex(), style == 'k' ? 1 : 0);
        QCOMPARE(key->AllowAllUp(), style == 'k');
    }

    // The picture buttons show their resting and disabled pictures from the first frame; the pictures under
    // the mouse and held down are there by the time the button handles the first mouse event of any kind,
    // and not before: no paint, tooltip or move reads them.
    void pictureButtonsReadMousePicturesOnFirstMouse_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("event");
        QTest::addColumn<bool>("read");
        const struct {
            const char* name;
            QEvent::Type type;
            bool read;
        } events[] = {
            {"enter", QEvent::Enter, true},
            {"press", QEvent::MouseButtonPress, true},
            {"double click", QEvent::MouseButtonDblClick, true},
            {"release", QEvent::MouseButtonRelease, true},
            {"move", QEvent::MouseMove, false},
            {"tooltip", QEvent::ToolTip, false},
            {"paint", QEvent::Paint, false},
        };
        for (const char* button : {"Browse", "MakeIS"})
            for (const auto& e : events)
                QTest::newRow((QByteArray(button) + ' ' + e.name).constData())
                    << QString::fromLatin1(button) << int(e.type) << e.read;
    }
    void pictureButtonsReadMousePicturesOnFirstMouse() {
        QFETCH(QString, button);
        QFETCH(int, event);
        QFETCH(bool, read);
        auto w = Open();
        auto* pb = Named<TNelPictureButton>(w, QStringLiteral("pb") + button);
        QVERIFY(pb);
        const auto picture = [&](const char* state) {
            return QImage(QStringLiteral(VEL_TEST_DATA "/../../resources/buttons/") + button + QLatin1String(state) +
                          QStringLiteral(".png"));
        };
        QCOMPARE(pb->PictureNormal().toImage(), picture("Normal"));
        QCOMPARE(pb->PictureDisable().toImage(), picture("Disable"));
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QVERIFY(pb->PictureOver().isNull());
        QVERIFY(pb->PictureDown().isNull());

        const QPointF centre(pb->width() / 2.0, pb->height() / 2.0);
        const QPointF global = pb->mapToGlobal(centre);
        if (event == QEvent::Enter) {
            QEnterEvent enter(centre, centre, global);
            QCoreApplication::sendEvent(pb, &enter);
        } else if (event == QEvent::Paint) {
            pb->repaint();
        } else if (event == QEvent::ToolTip) {
            QHelpEvent tip(QEvent::ToolTip, centre.toPoint(), global.toPoint());
            QCoreApplication::sendEvent(pb, &tip);
        } else {
            const auto buttons = event == QEvent::MouseButtonRelease || event == QEvent::MouseMove
                                     ? Qt::MouseButtons()
                                     : Qt::MouseButtons(Qt::LeftButton);
            QMouseEvent mouse(QEvent::Type(event), centre, global,
                              event == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, {});
            QCoreApplication::sendEvent(pb, &mouse);
        }
        QCOMPARE(!pb->PictureOver().isNull(), read);
        if (!read)
            return;
        QCOMPARE(pb->PictureOver().toImage(), picture("Over"));
        QCOMPARE(pb->PictureUp().toImage(), picture("Over"));
        QCOMPARE(pb->PictureDown().toImage(), picture("Down"));
        QCOMPARE(pb->PictureNormal().toImage(), picture("Normal"));
    }

    void keysInsertTheirText_data() {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::newRow("http then www") << QStringList{"sbhttp", "sbwww"} << "http://www." << 11;
        QTest::newRow("letters digits symbols")
            << QStringList{"sbAlpha_A", "sbNum_7", "sbHyphen", "sbTilde",   "sbUnderBar",
                           "sbColon",   "sbSlash", "sbPeriod", "sbPercent", "sbQuestionMark"}
            << "a7-~_:/.%?" << 10;
        QTest::newRow("ampersand inserts one") << QStringList{"sbAmpersand"} << "&" << 1;
        QTest::newRow("fragments") << QStringList{"sbco", "sbjp", "sbindex", "sbhtml", "sbcgi", "sbphp", "sbbiz"}
                                   << ".co.jp/index.html.cgi.php.biz/" << 30;
        QTest::newRow("caps upper letters only")
            << QStringList{"sbCaps", "sbAlpha_Q", "sbwww", "sbNum_1"} << "Qwww.1" << 6;
        QTest::newRow("caps twice back to lower") << QStringList{"sbCaps", "sbCaps", "sbAlpha_Z"} << "z" << 1;
    }
    void keysInsertTheirText() {
        QFETCH(QStringList, keys);
        QFETCH(QString, text);
        QFETCH(int, caret);
        auto w = Open();
        w->show();
        Named<TUrlBox>(w, "edURL")->setFocus();
        for (const QString& name : keys)
            Click(Named<TMoxSpeedButton>(w, name));
        QCOMPARE(Named<TUrlBox>(w, "edURL")->text(), text);
        QCOMPARE(Named<TUrlBox>(w, "edURL")->cursorPosition(), caret);
    }

    void insertReplacesSelectionAndKeepsFocus() {
        auto w = Open();
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        Named<TUrlBox>(w, "edURL")->setFocus();
        Named<TUrlBox>(w, "edURL")->setText(QStringLiteral("http://abc.jp/"));
        Named<TUrlBox>(w, "edURL")->setSelection(7, 3);
        Click(Named<TMoxSpeedButton>(w, QStringLiteral("sbwww")));
        QCOMPARE(Named<TUrlBox>(w, "edURL")->text(), QStringLiteral("http://www..jp/"));
        QCOMPARE(Named<TUrlBox>(w, "edURL")->cursorPosition(), 11);
        QVERIFY(!Named<TUrlBox>(w, "edURL")->hasSelectedText());
        QVERIFY(Named<TUrlBox>(w, "edURL")->hasFocus());
        // A quick double click inserts twice.
        TMoxSpeedButton* dot = Named<TMoxSpeedButton>(w, QStringLiteral("sbPeriod"));
        QTest::mouseDClick(w->windowHandle(), Qt::LeftButton, {}, dot->mapTo(w.get(), QPoint(5, 5)));
        QCOMPARE(Named<TUrlBox>(w, "edURL")->text(), QStringLiteral("http://www....jp/"));
    }

    void letterCaseAndCapsKey() {
        auto w = Open();
        TMoxSpeedButton* caps = Named<TMoxSpeedButton>(w, "sbCaps");
        QCOMPARE(caps->Hint(), QString::fromUtf8("大文字に切り替え"));
        QCOMPARE(caps->FontColor(), QColor(Qt::white));
        Click(caps);
        QVERIFY(caps->Down());
        for (char c = 'A'; c <= 'Z'; ++c)
            QCOMPARE(Named<TMoxSpeedButton>(w, QStringLiteral("sbAlpha_") + QLatin1Char(c))->Caption(),
                     QString(QLatin1Char(c)));
        QCOMPARE(caps->Hint(), QString::fromUtf8("小文字に切り替え"));
        QCOMPARE(caps->FontColor(), QColor(0x00, 0xFF, 0xFF));
        // The sentinel decides: a caption already in the asked case is left alone.
        Named<TMoxSpeedButton>(w, QStringLiteral("sbAlpha_Q"))->SetCaption(QStringLiteral("x"));
        w->SetLetterCase(false);
        QCOMPARE(Named<TMoxSpeedButton>(w, QStringLiteral("sbAlpha_W"))->Caption(), QStringLiteral("W"));
    }

    // With SyncCapsLock the Caps key shows the keyboard's Caps Lock from the start and at every idle moment,
    // and pressing it sets the keyboard's.
    void syncedCapsKeyFollowsKeyboard_data() {
        QTest::addColumn<bool>("keyboardOn");
        QTest::newRow("keyboard off") << false;
        QTest::newRow("keyboard on") << true;
    }
    void syncedCapsKeyFollowsKeyboard() {
        QFETCH(bool, keyboardOn);
        WriteFile(Ini(), "[Main]\r\nCapsLock=1\r\n[Option]\r\nSyncCapsLock=1\r\n");
        capsLock.on = keyboardOn;
        auto w = Open();
        auto* caps = w->findChild<TMoxSpeedButton*>(QStringLiteral("sbCaps"));
        auto* q = w->findChild<TMoxSpeedButton*>(QStringLiteral("sbAlpha_Q"));
        QCOMPARE(caps->Down(), keyboardOn);
        QCOMPARE(q->Caption(), keyboardOn ? QStringLiteral("Q") : QStringLiteral("q"));
        Click(caps);
        QCOMPARE(capsLock.sets, QList<bool>{!keyboardOn});
        capsLock.on = keyboardOn; // the user presses the keyboard's Caps Lock again
        WaitForIdle();
        QCOMPARE(caps->Down(), keyboardOn);
        QCOMPARE(q->Caption(), keyboardOn ? QStringLiteral("Q") : QStringLiteral("q"));
    }

    void helpOpensManualBesideSettings() {
        auto w = Open();
        w->findChild<QAction*>(QStringLiteral("miHelp"))->trigger();
        QCOMPARE(shellOpen.opened, QStringList{dir->filePath(QStringLiteral("Velmarinth.txt"))});
    }

    // The options dialog: the manual opens while it stays up; the Caps hook changes after OK only.
    void optionsAppliedAfterOkOnly_data() {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }
    void optionsAppliedAfterOkOnly() {
        QFETCH(bool, ok);
        auto w = Open();
        bool stayedOpen = false;
        QTimer::singleShot(0, w.get(), [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog && dialog->objectName() == QStringLiteral("frmOption"));
            QTest::mouseClick(Named<QAbstractButton>(dialog, "cbSyncCapsLock"), Qt::LeftButton, {}, QPoint(4, 8));
            Named<QAbstractButton>(dialog, "btnHelp")->click();
            stayedOpen = dialog->isVisible();
            Named<QAbstractButton>(dialog, ok ? "btnOK" : "btnCansel")->click();
        });
        w->findChild<QAction*>(QStringLiteral("miOption"))->trigger();
        QVERIFY(stayedOpen);
        QCOMPARE(shellOpen.opened, QStringList{dir->filePath(QStringLiteral("Velmarinth.txt"))});
        QCOMPARE(VelGlobals::SyncCapsLock, ok);
        QCOMPARE(Named<TActionList>(w, "ActionList1")->HasIdleHandler(), ok);
    }

    void enterRunsBrowseOnlyWhenEnabled() {
        auto w = Open();
        int runs = 0;
        Named<TAction>(w, "actBrowse")->OnExecute = [&](TAction*) { ++runs; };
        w->show();
        Named<TUrlBox>(w, "edURL")->setFocus();
        QTest::keyClick(Named<TUrlBox>(w, "edURL"), Qt::Key_Return);
        QCOMPARE(runs, 0);
        Named<TUrlBox>(w, "edURL")->setText(QStringLiteral("www.x"));
        QTest::keyClick(Named<TUrlBox>(w, "edURL"), Qt::Key_Enter, Qt::ShiftModifier);
        QCOMPARE(runs, 1);
        QCOMPARE(Named<TUrlBox>(w, "edURL")->text(), QStringLiteral("www.x"));
    }

    void savedFiles_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<std::function<void(TfrmMain&)>>("change");
        QTest::addColumn<QByteArray>("mainLines");
        QTest::addColumn<QByteArray>("rest");
        using F = std::function<void(TfrmMain&)>;
        QTest::newRow("first close") << QByteArray() << F([](TfrmMain&) {}) << QByteArray() << QByteArray();
        QTest::newRow("caret after qq") << QByteArray() << F([](TfrmMain& w) {
            Named<TUrlBox>(&w, "edURL")->setText(QStringLiteral("http://www.qq.co.jp/"));
            Named<TUrlBox>(&w, "edURL")->setCursorPosition(13);
        }) << QByteArray("URLBox=http://www.qq|.co.jp/\r\n")
                                        << QByteArray();
        QTest::newRow("selection stores its start") << QByteArray() << F([](TfrmMain& w) {
            Named<TUrlBox>(&w, "edURL")->setText(QStringLiteral("abcdef"));
            Named<TUrlBox>(&w, "edURL")->setSelection(4, -3);
        }) << QByteArray("URLBox=a|bcdef\r\n") << QByteArray();
        QTest::newRow("double byte caret offset") << QByteArray() << F([](TfrmMain& w) {
            Named<TUrlBox>(&w, "edURL")->setText(QString::fromUtf8("ポx"));
            Named<TUrlBox>(&w, "edURL")->setCursorPosition(1);
        }) << QByteArray("URLBox=\x83\x7c|x\r\n") << QByteArray();
        QTest::newRow("one-way character typed") << QByteArray() << F([](TfrmMain& w) {
            QTest::keyClicks(Named<TUrlBox>(&w, "edURL"), QString::fromUtf8("a¥bc"));
            QTest::keyClick(Named<TUrlBox>(&w, "edURL"), Qt::Key_Left);
            QTest::keyClick(Named<TUrlBox>(&w, "edURL"), Qt::Key_Left);
        }) << QByteArray("URLBox=a%C2%A5|bc\r\n") << QByteArray();
        QTest::newRow("save url box off")
            << QByteArray("[Main]\r\nURLBox=old|\r\n[Option]\r\nSaveURLBox=0\r\n")
            << F([](TfrmMain& w) { Named<TUrlBox>(&w, "edURL")->setText(QStringLiteral("www.")); }) << QByteArray()
            << QByteArray("[Option]\r\nSaveURLBox=0\r\n\r\n");
        QTest::newRow("every option") << QByteArray("[Main]\r\nTopMost=1\r\nCapsLock=1\r\n[MakeIS]\r\n"
                                                    "TargetFolderIndex=2\r\nTargetFolder=/tmp/x\r\n[Option]\r\n"
                                                    "DirectedBrowserPath=/usr/bin/b\r\nShowToolTip=0\r\n"
                                                    "MinimizeAfterExe=1\r\nRunWithCommandLine=1\r\n"
                                                    "UseDirectedBrowser=1\r\n")
                                      << F([](TfrmMain&) {}) << QByteArray("TopMost=1\r\nCapsLock=1\r\n")
                                      << QByteArray("[MakeIS]\r\nTargetFolderIndex=2\r\nTargetFolder=/tmp/x\r\n\r\n"
                                                    "[Option]\r\nDirectedBrowserPath=/usr/bin/b\r\nShowToolTip=0\r\n"
                                                    "MinimizeAfterExe=1\r\nRunWithCommandLine=1\r\n"
                                                    "UseDirectedBrowser=1\r\n\r\n");
        QTest::newRow("sync caps never writes CapsLock")
            << QByteArray("[Main]\r\nCapsLock=1\r\n[Option]\r\nSyncCapsLock=1\r\n") << F([](TfrmMain&) {})
            << QByteArray() << QByteArray("[Option]\r\nSyncCapsLock=1\r\n\r\n");
        QTest::newRow("changed template list") << QByteArray() << F([](TfrmMain&) {
            VelGlobals::TemplateList = {"a|", " b|"};
        }) << QByteArray() << QByteArray("[Template]\r\nCount=2\r\n0=a|\r\n1=\" b|\"\r\n\r\n");
        QTest::newRow("empty template list is stored")
            << QByteArray() << F([](TfrmMain&) { VelGlobals::TemplateList.clear(); }) << QByteArray()
            << QByteArray("[Template]\r\nCount=0\r\n\r\n");
        QTest::newRow("default list again leaves no section")
            << QByteArray("[Template]\r\nCount=1\r\n0=x|\r\n")
            << F([](TfrmMain&) { VelGlobals::TemplateList = SplitTemplateText(DefaultTemplateText()); }) << QByteArray()
            << QByteArray();
    }
    void savedFiles() {
        QFETCH(QByteArray, before);
        QFETCH(std::function<void(TfrmMain&)>, change);
        QFETCH(QByteArray, mainLines);
        QFETCH(QByteArray, rest);
        if (!before.isNull())
            WriteFile(Ini(), before);
        auto w = Open();
        change(*w);
        QVERIFY(w->SaveSettings());
        QCOMPARE(ReadFile(Ini()), Expected(*w, mainLines, rest));
        QVERIFY(errors.isEmpty());
    }

    void startupReadsAndRewrites_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<bool>("caps");
        QTest::addColumn<QByteArray>("rewritten");
        QTest::newRow("missing file") << QByteArray() << QString() << 0 << false << QByteArray("");
        QTest::newRow("caret marker") << QByteArray("[Main]\r\nURLBox=http://www.qq|.co.jp/\r\n")
                                      << "http://www.qq.co.jp/" << 13 << false
                                      << QByteArray("[Main]\r\nURLBox=http://www.qq|.co.jp/\r\n\r\n");
        QTest::newRow("no marker caret at start") << QByteArray(";c\r\n[main]\r\n  urlbox = abc \r\n") << "abc" << 0
                                                  << false << QByteArray("[main]\r\nurlbox=abc\r\n\r\n");
        QTest::newRow("marker in double byte is text")
            << QByteArray("[Main]\r\nURLBox=\x83\x7c\x7cx\r\n") << QString::fromUtf8("ポx") << 1 << false
            << QByteArray("[Main]\r\nURLBox=\x83\x7c\x7cx\r\n\r\n");
        QTest::newRow("bytes that form no character")
            << QByteArray("[Main]\r\nURLBox=\x85\x40x|\x83\r\n") << QString("%85%40x%83") << 7 << false
            << QByteArray("[Main]\r\nURLBox=\x85\x40x|\x83\r\n\r\n");
        QTest::newRow("caps from file") << QByteArray("[Main]\r\nCapsLock=5\r\n") << QString() << 0 << true
                                        << QByteArray("[Main]\r\nCapsLock=5\r\n\r\n");
        QTest::newRow("sync caps ignores file")
            << QByteArray("[Main]\r\nCapsLock=1\r\n[Option]\r\nSyncCapsLock=1\r\n") << QString() << 0 << false
            << QByteArray("[Main]\r\nCapsLock=1\r\n\r\n[Option]\r\n"
                          "SyncCapsLock=1\r\n\r\n");
        QTest::newRow("url box not read when off")
            << QByteArray("[Main]\r\nURLBox=abc|\r\n[Option]\r\nSaveURLBox=0\r\n") << QString() << 0 << false
            << QByteArray("[Main]\r\nURLBox=abc|\r\n\r\n[Option]\r\nSaveURLBox=0\r\n\r\n");
    }
    void startupReadsAndRewrites() {
        QFETCH(QByteArray, file);
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(bool, caps);
        QFETCH(QByteArray, rewritten);
        if (!file.isNull())
            WriteFile(Ini(), file);
        auto w = Open();
        QCOMPARE(Named<TUrlBox>(w, "edURL")->text(), text);
        QCOMPARE(Named<TUrlBox>(w, "edURL")->cursorPosition(), caret);
        QCOMPARE(Named<TMoxSpeedButton>(w, "sbCaps")->Down(), caps);
        QCOMPARE(Named<TMoxSpeedButton>(w, QStringLiteral("sbAlpha_A"))->Caption(),
                 caps ? QStringLiteral("A") : QStringLiteral("a"));
        QCOMPARE(ReadFile(Ini()), rewritten);
    }

    void templatesFromFile() {
        WriteFile(Ini(), "[Template]\r\nCount=3\r\n0=a|\r\n");
        Open();
        QCOMPARE(VelGlobals::TemplateList, (QList<QByteArray>{"a|", "", ""}));
        WriteFile(Ini(), "[Template]\r\n0=a|\r\n");
        Open();
        QVERIFY(VelGlobals::TemplateList.isEmpty());
        WriteFile(Ini(), "[Template]\r\n[Main]\r\n");
        Open();
        QCOMPARE(VelGlobals::TemplateList.size(), 13);
    }

    void topMostCommand() {
        auto w = Open();
        Named<TActionList>(w, "ActionList1")->UpdateAll();
        QVERIFY(!Named<QAction>(w, "miTopMost")->isChecked());
        Named<QAction>(w, "miTopMost")->trigger();
        QVERIFY(VelGlobals::TopMost);
        Named<TActionList>(w, "ActionList1")->UpdateAll();
        QVERIFY(Named<QAction>(w, "miTopMost")->isChecked());
        QVERIFY(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        // Whoever changed the window's state, the idle update brings it back to the setting.
        w->overrideWindowFlags(w->windowFlags() & ~Qt::WindowStaysOnTopHint);
        Named<TActionList>(w, "ActionList1")->UpdateAll();
        QVERIFY(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }

    // Run also on a primary screen that does not start at 0, 0 (tests/data/offset-screen.json).
    void centredWhereNoNumberIsStored_data() {
        QTest::addColumn<QByteArray>("mainLines");
        QTest::addColumn<bool>("leftCentred");
        QTest::addColumn<bool>("topCentred");
        QTest::newRow("no settings") << QByteArray() << true << true;
        QTest::newRow("neither is a number") << QByteArray("Left=abc\r\nTop=\r\n") << true << true;
        QTest::newRow("only Left stored") << QByteArray("Left=400\r\n") << false << true;
        QTest::newRow("only Top stored") << QByteArray("Top=300\r\n") << true << false;
        QTest::newRow("Top not a number") << QByteArray("Left=400\r\nTop=3x\r\n") << false << true;
        QTest::newRow("both stored") << QByteArray("Left=400\r\nTop=300\r\n") << false << false;
    }
    void centredWhereNoNumberIsStored() {
        QFETCH(QByteArray, mainLines);
        QFETCH(bool, leftCentred);
        QFETCH(bool, topCentred);
        WriteFile(Ini(), "[Main]\r\n" + mainLines);
        auto w = Open();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QSize outer = w->frameGeometry().size();
        QVERIFY(outer.width() > w->width());
        const QPoint expected(leftCentred ? screen.x() + (screen.width() - outer.width()) / 2 : 400,
                              topCentred ? screen.y() + (screen.height() - outer.height()) / 2 : 300);
        QTRY_COMPARE(w->frameGeometry().topLeft(), expected);
    }

    // Where the platform cannot tell the window's place (Wayland), the stored one is kept as it was read:
    // never the made-up place the window reports there, never a centred one that was not stored.
    void positionKeptWhereItCannotBeKnown_data() {
        QTest::addColumn<bool>("known");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("unknown, both stored")
            << false << QByteArray("Left=17\r\nTop=-40\r\n") << QByteArray("Left=17\r\nTop=-40\r\n");
        QTest::newRow("unknown, only Top stored") << false << QByteArray("Top=250\r\n") << QByteArray("Top=250\r\n");
        QTest::newRow("unknown, none stored") << false << QByteArray() << QByteArray();
        QTest::newRow("known: the window's own")
            << true << QByteArray("Left=17\r\nTop=-40\r\n") << QByteArray("Left=123\r\nTop=45\r\n");
    }
    void positionKeptWhereItCannotBeKnown() {
        QFETCH(bool, known);
        QFETCH(QByteArray, stored);
        QFETCH(QByteArray, written);
        const auto restore =
            qScopeGuard([saved = TfrmMain::WindowPositionKnown] { TfrmMain::WindowPositionKnown = saved; });
        TfrmMain::WindowPositionKnown = [known] { return known; };
        WriteFile(Ini(), "[Main]\r\n" + stored);
        auto w = Open();
        w->move(123, 45);
        QCOMPARE(w->frameGeometry().topLeft(), QPoint(123, 45));
        QVERIFY(w->SaveSettings());
        const QByteArray main = written.isEmpty() ? QByteArray() : "[Main]\r\n" + written + "\r\n";
        QCOMPARE(ReadFile(Ini()), kHeader + main);
    }

    // At the end of the session no message box may hold anything up.
    void sessionEndWriteErrorWaitsForNobody() {
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("Velmarinth.ini")));
        auto w = Open();
        errors.clear();
        w->EndSession();
        QCOMPARE(sessionEndReports, QStringList{QString::fromUtf8("ファイル %1 は開けません").arg(Ini())});
        QVERIFY(errors.isEmpty());
    }

    void urlRuleEnablesBrowseAndMakeShortcut_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("http") << "http://q" << true;
        QTest::newRow("https") << "https://q" << true;
        QTest::newRow("www") << "www.q" << true;
        QTest::newRow("upper HTTP") << "HTTP://Q" << false;
        QTest::newRow("Www") << "Www.q" << false;
        QTest::newRow("ftp") << "ftp://q" << false;
        QTest::newRow("ww") << "ww" << false;
        QTest::newRow("empty") << "" << false;
    }
    void urlRuleEnablesBrowseAndMakeShortcut() {
        QFETCH(QString, text);
        QFETCH(bool, enabled);
        auto w = Open();
        Named<TUrlBox>(w, "edURL")->setText(text);
        Named<TActionList>(w, "ActionList1")->UpdateAll();
        QCOMPARE(Named<TAction>(w, "actBrowse")->Enabled(), enabled);
        QCOMPARE(Named<TAction>(w, "actMakeIS")->Enabled(), enabled);
        QCOMPARE(Named<QAction>(w, "miBrowse")->isEnabled(), enabled);
        QCOMPARE(Named<QAction>(w, "miMakeIS")->isEnabled(), enabled);
    }

    // The clipboard commands on a box "http://www.a.jp/" (selection given) with "old" on the clipboard.
    void clipboardCommands_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selLength");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("clip");
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("boxAfter");
        QTest::addColumn<int>("caretAfter");
        QTest::addColumn<QString>("clipAfter");
        QTest::addColumn<bool>("error");
        const int text = int(TClipboardText::Status::Text), noText = int(TClipboardText::Status::NoText),
                  noAnswer = int(TClipboardText::Status::NoAnswer);
        const QString url = "http://www.a.jp/";
        QTest::newRow("copy, empty box") << "" << 0 << 0 << text << "old"
                                         << "copy" << false << "" << 0 << "old" << false;
        QTest::newRow("copy, part selected copies all") << url << 7 << 4 << text << "old"
                                                        << "copy" << true << url << 11 << url << false;
        QTest::newRow("copy, clipboard not taken") << url << 0 << 0 << text << "old"
                                                   << "copy" << true << url << 0 << "old" << true;
        QTest::newRow("paste, nothing or a picture") << url << 0 << 0 << noText << ""
                                                     << "paste" << false << url << 0 << "" << false;
        QTest::newRow("paste, empty text") << url << 0 << 0 << text << ""
                                           << "paste" << false << url << 0 << "" << false;
        QTest::newRow("paste, NUL first") << url << 0 << 0 << text << QString(QChar(0)) + "ab"
                                          << "paste" << false << url << 0 << QString(QChar(0)) + "ab" << false;
        QTest::newRow("paste over selection, caret after")
            << url << 11 << 1 << text << "xyz"
            << "paste" << true << "http://www.xyz.jp/" << 14 << "xyz" << false;
        QTest::newRow("paste keeps blanks") << "" << 0 << 0 << text << "  a b  "
                                            << "paste" << true << "  a b  " << 7 << "  a b  " << false;
        QTest::newRow("paste ends at NUL")
            << url << 16 << 0 << text << QString("q") + QChar(0) + "r"
            << "paste" << true << url + "q" << 17 << QString("q") + QChar(0) + "r" << false;
        QTest::newRow("paste, owner does not answer") << url << 3 << 0 << noAnswer << ""
                                                      << "paste" << true << url << 3 << "" << true;
    }
    void clipboardCommands() {
        QFETCH(QString, box);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(int, status);
        QFETCH(QString, clip);
        QFETCH(QString, command);
        QFETCH(bool, enabled);
        QFETCH(QString, boxAfter);
        QFETCH(int, caretAfter);
        QFETCH(QString, clipAfter);
        QFETCH(bool, error);
        clipboard->answer = {TClipboardText::Status(status), clip};
        clipboard->settable = !error;
        auto w = Open();
        TUrlBox* edURL = Named<TUrlBox>(w, "edURL");
        edURL->setText(box);
        edURL->setCursorPosition(selStart);
        if (selLength)
            edURL->setSelection(selStart, selLength);
        WaitForIdle();
        TAction* action = Named<TAction>(w, command == "copy" ? "actToClip" : "actFromClip");
        QCOMPARE(action->Enabled(), enabled);
        action->Execute();
        WaitForIdle();
        QCOMPARE(edURL->text(), boxAfter);
        QCOMPARE(edURL->cursorPosition(), caretAfter);
        QCOMPARE(clipboard->answer.text, clipAfter);
        QCOMPARE(errors,
                 error ? QStringList{QString::fromUtf8("クリップボードを開くことができません")} : QStringList{});
    }

    // Shift+Insert, the box's context menu and a middle click (the primary selection) paste as Ctrl+V does:
    // through the reader that never waits, cut at the first line break, encoded, over the selection. The
    // clipboard holds "CLIP", the primary selection the row's text.
    void pastePathsFollowTheBoxRules_data() {
        QTest::addColumn<QString>("way");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("boxAfter");
        QTest::addColumn<int>("caretAfter");
        QTest::addColumn<bool>("error");
        const int text = int(TClipboardText::Status::Text), noAnswer = int(TClipboardText::Status::NoAnswer);
        QTest::newRow("shift insert") << "shift insert" << text << "http://www.CLIP.jp/" << 15 << false;
        QTest::newRow("context menu") << "menu" << text << "http://www.CLIP.jp/" << 15 << false;
        QTest::newRow("middle click") << "middle" << text << "http://www.x%C3%A9%01.jp/" << 21 << false;
        QTest::newRow("shift insert, owner does not answer")
            << "shift insert" << noAnswer << "http://www.a.jp/" << 12 << true;
        QTest::newRow("middle click, owner does not answer")
            << "middle" << noAnswer << "http://www.a.jp/" << 12 << false;
    }
    void pastePathsFollowTheBoxRules() {
        QFETCH(QString, way);
        QFETCH(int, status);
        QFETCH(QString, boxAfter);
        QFETCH(int, caretAfter);
        QFETCH(bool, error);
        clipboard->answer = {TClipboardText::Status(status), QStringLiteral("CLIP\r\nrest")};
        clipboard->selectionAnswer = {TClipboardText::Status(status), QString::fromUtf8("xé\x01\ny")};
        auto w = Open();
        TUrlBox* edURL = Named<TUrlBox>(w, "edURL");
        edURL->setText(QStringLiteral("http://www.a.jp/"));
        edURL->setSelection(11, 1);
        WaitForIdle();
        clipboard->requests.clear();
        if (way == "shift insert") {
            QTest::keyClick(edURL, Qt::Key_Insert, Qt::ShiftModifier);
        } else if (way == "menu") {
            std::unique_ptr<QMenu> menu(edURL->CreateContextMenu());
            menu->findChild<QAction*>(QStringLiteral("edit-paste"))->trigger();
        } else {
            QTest::mouseClick(edURL, Qt::MiddleButton, {}, QPoint(3, 5));
        }
        WaitForIdle();
        QCOMPARE(clipboard->requests,
                 QList<QClipboard::Mode>{way == "middle" ? QClipboard::Selection : QClipboard::Clipboard});
        QCOMPARE(edURL->text(), boxAfter);
        QCOMPARE(edURL->cursorPosition(), caretAfter);
        QCOMPARE(errors,
                 error ? QStringList{QString::fromUtf8("クリップボードを開くことができません")} : QStringList{});
    }

    // What lands in a box "http://www." when something is dropped on it. Files: names made in the test
    // folder ("name=contents"; a name ending in "/" is a folder).
    void dropsOnUrlBox_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("urls");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("boxAfter");
        const QStringList none;
        const QByteArray jp = QByteArray("[InternetShortcut]\r\nURL=http://jp/\r\n");
        QTest::newRow("text replaces all") << none << none << "abc" << true << "abc";
        QTest::newRow("text, first line only") << none << none << "a\r\n[Option]" << true << "a";
        QTest::newRow("text, not in the code page") << none << none << "a\u2603" << true << "a%E2%98%83";
        QTest::newRow("empty text empties") << none << none << "" << true << "";
        QTest::newRow("browser link: text wins")
            << none << QStringList{"http://link/"} << "http://text/" << true << "http://text/";
        QTest::newRow("second of three is the first shortcut")
            << QStringList{"a.txt=URL=x", "B.URL=[InternetShortcut]\r\nURL=http://b/", "c.url=" + jp} << none << "paths"
            << true << "http://b/";
        QTest::newRow("folder named .url is passed over")
            << QStringList{"d.url/", "e.url=" + jp} << none << "" << true << "http://jp/";
        QTest::newRow("a folder alone, its path also as text, is ignored")
            << QStringList{"k/"} << none << "/tmp/k" << true << "http://www.";
        QTest::newRow("dot in folder name only") << QStringList{"f.url/g=" + jp} << none << "" << true << "http://www.";
        QTest::newRow("no shortcut changes nothing") << QStringList{"a.txt=x"} << none << "" << true << "http://www.";
        QTest::newRow("shortcut value ends at its NUL")
            << QStringList{"n.url=[InternetShortcut]\r\nURL=http://a" + QString(QChar(0)) +
                           "b\x01"
                           "c\r\n"}
            << none << "" << true << "http://a";
        QTest::newRow("shortcut value's control bytes encoded")
            << QStringList{"m.url=[InternetShortcut]\r\nURL=http://a\x01"
                           "c\x1b[31m\r\n"}
            << none << "" << true << "http://a%01c%1B[31m";
        QTest::newRow("shortcut without URL empties")
            << QStringList{"h.url=[InternetShortcut]\r\n"} << none << "" << true << "";
        QTest::newRow("picture refused") << none << none << QString() << false << "http://www.";
    }
    void dropsOnUrlBox() {
        QFETCH(QStringList, files);
        QFETCH(QStringList, urls);
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QFETCH(QString, boxAfter);
        QList<QUrl> offered;
        for (const QString& file : files) {
            const QString name = file.section(u'=', 0, 0);
            const QString path = dir->filePath(name);
            QDir().mkpath(QFileInfo(path).path());
            if (name.endsWith(u'/'))
                QDir().mkpath(path);
            else
                WriteFile(path, file.section(u'=', 1).toUtf8());
            offered << QUrl::fromLocalFile(path);
        }
        for (const QString& url : urls)
            offered << QUrl(url);
        QMimeData data;
        if (!offered.isEmpty())
            data.setUrls(offered);
        if (!text.isNull())
            data.setText(text);
        else if (offered.isEmpty())
            data.setImageData(QImage(2, 2, QImage::Format_RGB32));
        auto w = Open();
        TUrlBox* edURL = Named<TUrlBox>(w, "edURL");
        edURL->setText(QStringLiteral("http://www."));
        const QPoint at(20, 10);
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::ShiftModifier);
        QApplication::sendEvent(edURL, &enter);
        QCOMPARE(enter.isAccepted(), accepted);
        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::ShiftModifier);
        QApplication::sendEvent(edURL, &drop);
        QCOMPARE(drop.isAccepted(), accepted);
        if (accepted)
            QCOMPARE(drop.dropAction(), Qt::CopyAction);
        QCOMPARE(edURL->text(), boxAfter);
        // A changed box has its caret at the start; an untouched one keeps it at the end.
        QCOMPARE(edURL->cursorPosition(), boxAfter == "http://www." ? 11 : 0);
        // Only the box takes drags; everything else in the window refuses them.
        for (QWidget* widget : w->findChildren<QWidget*>())
            QCOMPARE(widget->acceptDrops(), widget == edURL);
    }

    void fileMenuKeepsItsImageCount() {
        auto w = Open();
        for (int i = 0; i < 20; ++i)
            emit Named<QMenu>(w, "tmiFile")->aboutToShow();
        QCOMPARE(w->MenuImageList().size(), 8);
        QCOMPARE(Named<TAction>(w, "actBrowse")->ImageIndex(), 7);
        QVERIFY(!Named<QAction>(w, "miBrowse")->icon().isNull());
    }

    // The next-page picture is two chevrons side by side, each pointing right: two strokes cross its middle
    // row, and each stroke's tip there lies right of its arms at the top and bottom rows.
    void nextPageImageIsDoubleChevron() {
        const QImage image = MenuImages().at(5).toImage();
        const auto strokes = [&image](int y) {
            QList<int> ends; // the right end of each painted run
            for (int x = 0; x < image.width(); ++x)
                if (qAlpha(image.pixel(x, y)) != 0 && (x + 1 == image.width() || qAlpha(image.pixel(x + 1, y)) == 0))
                    ends.append(x);
            return ends;
        };
        const QList<int> middle = strokes(8);
        QCOMPARE(middle.size(), 2);
        for (int y : {2, 14}) {
            const QList<int> arms = strokes(y);
            QCOMPARE(arms.size(), 2);
            QVERIFY(arms[0] < middle[0] && arms[1] < middle[1]);
        }
    }

    // The options picture, a gear of four spokes, is the one it has always been, pixel for pixel (its spokes'
    // turns are written out rather than worked out).
    void optionImageIsTheGear() {
        const QImage expected(QStringLiteral(VEL_TEST_DATA "/menu-option.png"));
        QVERIFY(!expected.isNull());
        const QImage image = MenuImages().at(int(TMenuImage::Option)).toImage();
        QCOMPARE(image.convertToFormat(QImage::Format_ARGB32), expected.convertToFormat(QImage::Format_ARGB32));
    }

    // A settings "file" that is a folder can be neither read nor replaced, even by root.
    void settingsFileErrors() {
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("Velmarinth.ini")));
        auto w = Open();
        QCOMPARE(errors, QStringList{QString::fromUtf8("ファイル %1 は開けません").arg(Ini())});
        QCOMPARE(VelGlobals::TemplateList.size(), 13);
        QVERIFY(VelGlobals::ShowToolTip);
        errors.clear();
        // Saving opens the store on the same file first, and that fails the same way.
        QVERIFY(!w->SaveSettings());
        QCOMPARE(errors, QStringList{QString::fromUtf8("ファイル %1 は開けません").arg(Ini())});
        QVERIFY(QFileInfo(Ini()).isDir());
        QCOMPARE(ErrorReportText(errors.first()), errors.first() + QLatin1Char('.'));
        // The window still closes.
        w->show();
        QVERIFY(w->close());
    }
};

QTEST_MAIN(TestMain)
#include "tst_main.moc"
