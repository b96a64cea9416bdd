// The picture buttons of the main window: browse and make shortcut.
#include "gui/controls/Actions.h"
#include "gui/controls/NelPictureButton.h"
#include "gui/controls/ProgramPictures.h"
#include "gui/main/Main.h"

#include <QEvent>
#include <utility>

namespace {

QPixmap ButtonPicture(const QByteArray& pictures, const char* state) {
    return ProgramPicture((pictures + state).constData());
}

// The pictures under the mouse and held down are read when the mouse first reaches the button, or a click
// from assistive technology does, just before the button handles that event: no first frame shows them, and
// reading them at start took a good part of the time the pictures cost before the window appeared.
class TMousePicturesOnDemand final : public QObject {
public:
    TMousePicturesOnDemand(TNelPictureButton* button, QByteArray pictures)
        : QObject(button), FPictures(std::move(pictures)) {
        button->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::Enter:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
            break;
        default:
            return false;
        }
        auto* button = static_cast<TNelPictureButton*>(watched);
        button->removeEventFilter(this);
        // The one under the mouse also shows at the release.
        const QPixmap over = ButtonPicture(FPictures, "Over");
        button->SetPictureOver(over);
        button->SetPictureUp(over);
        button->SetPictureDown(ButtonPicture(FPictures, "Down"));
        deleteLater();
        return false;
    }

private:
    QByteArray FPictures;
};

// A picture button at its place, with the pictures a first frame can show: resting and disabled.
TNelPictureButton* NewPictureButton(QWidget* parent, const char* name, const char* pictures, QPoint place) {
    auto* button = new TNelPictureButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->move(place);
    button->SetPictureNormal(ButtonPicture(pictures, "Normal"));
    button->SetPictureDisable(ButtonPicture(pictures, "Disable"));
    new TMousePicturesOnDemand(button, pictures);
    return button;
}

} // namespace

// The picture buttons of the browse and make-shortcut commands.
void TfrmMain::CreatePictureButtons() {
    QWidget* client = centralWidget();
    pbBrowse = NewPictureButton(client, "pbBrowse", "Browse", {295, 183});
    pbBrowse->setCursor(Qt::PointingHandCursor);
    pbBrowse->SetHint(tr("ブラウザで開く"));
    pbMakeIS = NewPictureButton(client, "pbMakeIS", "MakeIS", {6, 36});
    actBrowse->Bind(pbBrowse);
    actMakeIS->Bind(pbMakeIS);
}
