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

// A screen reader says the name and then the description: a hint that is the name already is said once.
QString DescriptionBesides(const QString& name, const QString& hint) {
    return hint == name ? QString() : hint;
}

class TKeyAccessible final : public QAccessibleWidget {
public:
    explicit TKeyAccessible(TMoxSpeedButton* key) : QAccessibleWidget(key, QAccessible::Button) {}

    // Qt's own checkable buttons are check boxes (radio buttons when exclusive) to a screen reader: the roles
    // under which it announces a checked state.
    QAccessible::Role role() const override {
        if (Key()->GroupIndex() == 0)
            return QAccessible::Button;
        return Key()->AllowAllUp() ? QAccessible::CheckBox : QAccessible::RadioButton;
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && Key()->accessibleName().isEmpty()) {
            // A key that shows only a picture is named by its hint, never left nameless.
            const QString caption = ShownCaption(Key()->Caption());
            return caption.isEmpty() ? Key()->Hint() : caption;
        }
        if (t == QAccessible::Description && Key()->accessibleDescription().isEmpty())
            return DescriptionBesides(text(QAccessible::Name), Key()->Hint());
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

    QStringList actionNames() const override {
        if (Key()->GroupIndex() != 0)
            return {pressAction(), toggleAction()};
        return {pressAction()};
    }

    void doAction(const QString& actionName) override {
        if (!actionNames().contains(actionName) || !Key()->isEnabled())
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
            return DescriptionBesides(text(QAccessible::Name), Button()->Hint());
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

void (*KeyStateListener)(QAccessibleEvent* event) = nullptr;

void KeyDownChanged(TMoxSpeedButton* key) {
    // A push key has no state of its own to announce: it is down only while the mouse holds it.
    if (key->GroupIndex() == 0 || (!KeyStateListener && !QAccessible::isActive()))
        return;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(key, changed);
    if (KeyStateListener)
        KeyStateListener(&event);
    else
        QAccessible::updateAccessibility(&event);
}

void InstallKeyAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(KeyFactory);
        return true;
    }();
    Q_UNUSED(installed);
}
