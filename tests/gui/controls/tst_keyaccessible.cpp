#include "../../support/FakeXdgTree.h"
#include "core/settings/VelGlobals.h"
#include "gui/controls/KeyAccessible.h"
#include "gui/controls/MoxSpeedButton.h"
#include "gui/controls/NelPictureButton.h"
#include "gui/main/KeyTable.h"
#include "gui/main/Main.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

// Every key interface below the given one, found the way a screen reader finds them.
void CollectKeys(QAccessibleInterface* node, QHash<QString, QAccessibleInterface*>& keys) {
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        if (!child)
            continue;
        if (qobject_cast<TMoxSpeedButton*>(child->object()) || qobject_cast<TNelPictureButton*>(child->object()))
            keys.insert(child->object()->objectName(), child);
        CollectKeys(child, keys);
    }
}

} // namespace

class TestKeyAccessible : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    FakeXdgTree desktop;
    std::unique_ptr<FakeXdgTree::EnvironmentGuard> desktopEnvironment = desktop.applyToProcess(false);
    std::unique_ptr<TfrmMain> window;
    QHash<QString, QAccessibleInterface*> keys;

private slots:
    void initTestCase() {
        VelGlobals::Reset();
        window = std::make_unique<TfrmMain>(dir.path());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        CollectKeys(QAccessible::queryAccessibleInterface(window.get()), keys);
    }

    void everyKeyNamedByCaptionAndHint() {
        for (const KeyDef& def : KeyTable())
            QVERIFY2(keys.contains(QLatin1String(def.name)), def.name);
        for (QAccessibleInterface* iface : std::as_const(keys)) {
            auto* key = qobject_cast<TMoxSpeedButton*>(iface->object());
            if (!key)
                continue; // a picture button: its texts are among keyTexts' rows
            const QString caption = key->Caption().replace(QStringLiteral("&&"), QStringLiteral("&"));
            const QString name = iface->text(QAccessible::Name);
            QCOMPARE(name, caption.isEmpty() ? key->Hint() : caption);
            // Never the same words twice: a hint that names the key is not said again as its description.
            const QString description = iface->text(QAccessible::Description);
            QVERIFY2(description.isEmpty() || description != name, qPrintable(name));
            QCOMPARE(description.isEmpty() ? name : description, key->Hint().isEmpty() ? name : key->Hint());
            QCOMPARE(iface->role(),
                     key->objectName() == QLatin1String("sbCaps") ? QAccessible::CheckBox : QAccessible::Button);
        }
        // The 73 keys of the keyboard and the two picture buttons.
        QCOMPARE(keys.size(), qsizetype(KeyTable().size()) + 2);
        QCOMPARE(KeyTable().size(), 73u);
    }

    void keyTexts_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        QTest::newRow("letter") << "sbAlpha_Q"
                                << "q"
                                << "";
        QTest::newRow("fragment") << "sbhttp"
                                  << "http://"
                                  << "";
        QTest::newRow("doubled ampersand shown once") << "sbAmpersand"
                                                      << "&" << QString::fromUtf8("アンパサンド");
        QTest::newRow("action key") << "sbDel"
                                    << "Del" << QString::fromUtf8("キャレットの右の文字を削除");
        QTest::newRow("picture only, named by its hint, no description")
            << "sbMoveTop" << QString::fromUtf8("キャレットを先頭へ") << QString();
        QTest::newRow("copy key: picture and caption") << "sbCopy"
                                                       << "Copy" << QString::fromUtf8("クリップボードにコピー");
        QTest::newRow("caps hint follows the case") << "sbCaps"
                                                    << "CapsLock" << QString::fromUtf8("大文字に切り替え");
        QTest::newRow("picture button") << "pbBrowse"
                                        << "Browse" << QString::fromUtf8("ブラウザで開く");
        QTest::newRow("picture button, the action's hint")
            << "pbMakeIS"
            << "Make Shortcut" << QString::fromUtf8("インターネットショートカットの作成");
    }
    void keyTexts() {
        QFETCH(QString, key);
        QFETCH(QString, name);
        QFETCH(QString, description);
        QAccessibleInterface* iface = keys.value(key);
        QVERIFY(iface);
        QCOMPARE(iface->text(QAccessible::Name), name);
        QCOMPARE(iface->text(QAccessible::Description), description);
    }

    void pressTypes_data() {
        QTest::addColumn<QStringList>("presses");
        QTest::addColumn<QString>("text");
        QTest::newRow("fragment and letter") << QStringList{"sbhttp", "sbAlpha_Q"} << "http://q";
        QTest::newRow("ampersand") << QStringList{"sbAmpersand"} << "&";
        QTest::newRow("caps toggles the case") << QStringList{"sbCaps", "sbAlpha_Q", "sbCaps", "sbAlpha_Q"} << "Qq";
    }
    void pressTypes() {
        QFETCH(QStringList, presses);
        QFETCH(QString, text);
        auto* edURL = window->findChild<QLineEdit*>(QStringLiteral("edURL"));
        edURL->clear();
        for (const QString& key : presses) {
            QAccessibleActionInterface* actions = keys.value(key)->actionInterface();
            QVERIFY(actions);
            QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
            actions->doAction(QAccessibleActionInterface::pressAction());
        }
        QCOMPARE(edURL->text(), text);
    }

    // The Caps key is a toggle: its checked state is its Down state, whichever way it changed, and every change
    // is announced once, as a change of the checked state of the Caps key itself.
    void capsKeyState_data() {
        QTest::addColumn<QString>("how"); // "press" (screen reader), "toggle" (its toggle action), "set" (code)
        QTest::addColumn<bool>("checked");
        QTest::newRow("pressed down") << "press" << true;
        QTest::newRow("toggled down") << "toggle" << true;
        QTest::newRow("set down from the keyboard's Caps Lock") << "set" << true;
        QTest::newRow("set down and up again") << "set" << false;
    }
    void capsKeyState() {
        QFETCH(QString, how);
        QFETCH(bool, checked);
        auto* caps = window->findChild<TMoxSpeedButton*>(QStringLiteral("sbCaps"));
        caps->SetDown(false);
        QAccessibleInterface* iface = keys.value(QStringLiteral("sbCaps"));
        QVERIFY(iface->state().checkable);
        QVERIFY(!iface->state().checked);
        QVERIFY(iface->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));

        QList<std::pair<QObject*, bool>> announced; // whose checked state changed, and to what
        static QList<std::pair<QObject*, bool>>* sink = nullptr;
        sink = &announced;
        KeyStateListener = [](QAccessibleEvent* event) {
            if (event->type() != QAccessible::StateChanged)
                return;
            auto* change = static_cast<QAccessibleStateChangeEvent*>(event);
            if (change->changedStates().checked && sink)
                sink->append({event->object(), event->accessibleInterface()->state().checked});
        };
        if (how == QLatin1String("press"))
            iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        else if (how == QLatin1String("toggle"))
            iface->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        else
            caps->SetDown(true);
        if (!checked)
            caps->SetDown(false);
        KeyStateListener = nullptr;
        sink = nullptr;

        QCOMPARE(caps->Down(), checked);
        QCOMPARE(iface->state().checked, checked);
        QList<std::pair<QObject*, bool>> expected{{caps, true}};
        if (!checked)
            expected.append({caps, false});
        QCOMPARE(announced, expected);
        caps->SetDown(false);
    }

    // A push key announces no checked state: it has none.
    void pushKeyHasNoCheckedState() {
        QAccessibleInterface* iface = keys.value(QStringLiteral("sbAlpha_Q"));
        QVERIFY(!iface->state().checkable);
        QVERIFY(!iface->state().checked);
        QCOMPARE(iface->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    }

    // The URL box is named, so a screen reader says what the text is for.
    void urlBoxName() {
        auto* edURL = window->findChild<QLineEdit*>(QStringLiteral("edURL"));
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(edURL);
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::EditableText);
        QCOMPARE(iface->text(QAccessible::Name), QString::fromUtf8("URL入力ボックス"));
    }
};

QTEST_MAIN(TestKeyAccessible)
#include "tst_keyaccessible.moc"
