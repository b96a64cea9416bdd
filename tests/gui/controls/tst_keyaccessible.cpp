#include "../../support/FakeXdgTree.h"
#include "core/settings/VelGlobals.h"
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
            QCOMPARE(iface->text(QAccessible::Name), caption.isEmpty() ? key->Hint() : caption);
            QCOMPARE(iface->text(QAccessible::Description), key->Hint());
            QCOMPARE(iface->role(), QAccessible::Button);
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
        QTest::newRow("picture only, named by its hint")
            << "sbMoveTop" << QString::fromUtf8("キャレットを先頭へ") << QString::fromUtf8("キャレットを先頭へ");
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
};

QTEST_MAIN(TestKeyAccessible)
#include "tst_keyaccessible.moc"
