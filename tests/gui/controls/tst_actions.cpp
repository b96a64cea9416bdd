#include "gui/controls/Actions.h"

#include <QDialog>
#include <QTest>
#include <QTimer>
#include <QWidget>

class TestActions : public QObject {
    Q_OBJECT
private slots:
    // While a dialog is open the update rules pause, but the idle handler (the Caps Lock follower) goes on.
    void idleHandlerKeepsRunningWhileADialogIsOpen() {
        QWidget owner;
        owner.show();
        TActionList list(&owner);
        int updates = 0;
        int idles = 0;
        list.Add(QStringLiteral("act"))->OnUpdate = [&](TAction*) { ++updates; };
        list.SetIdleHandler([&] { ++idles; });
        QDialog dialog(&owner);
        int updatesWhileOpen = -1;
        int idlesWhileOpen = -1;
        QTimer::singleShot(0, &dialog, [&] {
            updates = idles = 0;
            QTimer::singleShot(100, &dialog, [&] {
                updatesWhileOpen = updates;
                idlesWhileOpen = idles;
                dialog.reject();
            });
        });
        dialog.exec();
        QCOMPARE(updatesWhileOpen, 0);
        QVERIFY(idlesWhileOpen > 0);
    }
};

QTEST_MAIN(TestActions)
#include "tst_actions.moc"
