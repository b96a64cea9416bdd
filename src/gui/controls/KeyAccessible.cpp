#include "gui/controls/KeyAccessible.h"

#include "gui/controls/MoxSpeedButton.h"
#include "gui/controls/NelPictureButton.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPointer>

namespace {

// A caption's "&" marks its accelerator and "&&" shows one "&": a screen reader should say what the key shows.
QString ShownCaption(const QString& caption) {
    QString shown;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && ++i == caption.size())
            break;
        shown += caption[i];
    }
    return shown;
}

class TKeyAccessible final : public QAccessibleWidget {
public:
    explicit TKeyAccessible(TMoxSpeedButton* key) : QAccessibleWidget(key, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && Key()->accessibleName().isEmpty()) {
            // A key that shows only a picture is named by its hint, never left nameless.
            const QString caption = ShownCaption(Key()->Caption());
            return caption.isEmpty() ? Key()->Hint() : caption;
        }
        if (t == QAccessible::Description && Key()->accessibleDescription().isEmpty())
            return Key()->Hint();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        if (Key()->GroupIndex() != 0) {
            state.checkable = true;
            state.checked = Key()->Down();
        } else {
            state.pressed = Key()->Down();
        }
        return state;
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString& actionName) override {
        if (actionName != pressAction() || !Key()->isEnabled())
            return;
        // Through the key's own mouse handling, so a toggle key toggles and a held-key handler sees its release.
        // A click may end in the key's (and this interface's) deletion: only the guarded pointer is used.
        const QPointer<TMoxSpeedButton> key(Key());
        const QPointF centre = QRectF(key->rect()).center();
        const QPointF global = key->mapToGlobal(centre);
        QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(key, &press);
        if (!key)
            return;
        QMouseEvent release(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(key, &release);
    }

private:
    TMoxSpeedButton* Key() const { return static_cast<TMoxSpeedButton*>(widget()); }
};

// A picture button shows its command only as a picture: it is named by its action's caption, else its hint.
class TPictureButtonAccessible final : public QAccessibleWidget {
public:
    explicit TPictureButtonAccessible(TNelPictureButton* button) : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && Button()->accessibleName().isEmpty()) {
            const QString caption = Button()->Action() ? ShownCaption(Button()->Action()->Caption()) : QString();
            return caption.isEmpty() ? Button()->Hint() : caption;
        }
        if (t == QAccessible::Description && Button()->accessibleDescription().isEmpty())
            return Button()->Hint();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString& actionName) override {
        if (actionName == pressAction())
            Button()->Click();
    }

private:
    TNelPictureButton* Button() const { return static_cast<TNelPictureButton*>(widget()); }
};

QAccessibleInterface* KeyFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("TMoxSpeedButton"))
        if (auto* key = qobject_cast<TMoxSpeedButton*>(object))
            return new TKeyAccessible(key);
    if (className == QLatin1String("TNelPictureButton"))
        if (auto* button = qobject_cast<TNelPictureButton*>(object))
            return new TPictureButtonAccessible(button);
    return nullptr;
}

} // namespace

void InstallKeyAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(KeyFactory);
        return true;
    }();
    Q_UNUSED(installed);
}
