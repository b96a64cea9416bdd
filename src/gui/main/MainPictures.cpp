// The picture buttons of the main window: browse and make shortcut.
#include "gui/controls/Actions.h"
#include "gui/controls/NelPictureButton.h"
#include "gui/controls/ProgramPictures.h"
#include "gui/main/Main.h"

namespace {

// A picture button at its place, with its four pictures (the one under the mouse also shows at the release).
TNelPictureButton* NewPictureButton(QWidget* parent, const char* name, const char* pictures, QPoint place) {
    auto* button = new TNelPictureButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->move(place);
    const auto picture = [pictures](const char* state) {
        return ProgramPicture((QByteArray(pictures) + state).constData());
    };
    button->SetPictureNormal(picture("Normal"));
    button->SetPictureOver(picture("Over"));
    button->SetPictureUp(picture("Over"));
    button->SetPictureDown(picture("Down"));
    button->SetPictureDisable(picture("Disable"));
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
