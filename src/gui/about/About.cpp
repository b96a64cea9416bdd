#include "gui/about/About.h"

#include "gui/controls/Fonts.h"
#include "gui/controls/Looks.h"
#include "gui/controls/ProgramPictures.h"
#include "gui/controls/ShotLabel.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace {

// The panel's texts are centred on this line, whatever their width, and kept inside the bevel round them.
constexpr int kTextCentre = 146;
constexpr int kTextRoom = 264;

// Sizes label to its text at its font, or at a smaller one where the text would not fit in the room: no text
// is ever cut off.
void FitCentred(QLabel* label, int top, int height) {
    QFont font = label->font();
    while (label->sizeHint().width() > kTextRoom && font.pixelSize() > 9) {
        font.setPixelSize(font.pixelSize() - 1);
        label->setFont(font);
    }
    const int width = std::min(label->sizeHint().width(), kTextRoom);
    label->setGeometry(kTextCentre - width / 2, top, width, height);
}

} // namespace

TfrmAbout::TfrmAbout(QWidget* owner, IShellOpen& shellOpen) : TVelDialog(owner, tr("バージョン情報"), QSize(303, 224)) {
    setObjectName(QStringLiteral("frmAbout"));
    CreateControls(shellOpen);
    setTabOrder(pnlAbout, btClose);
}

QLabel* TfrmAbout::CentredLabel(const char* name, const QString& text, const QFont& font, int top, int height) {
    auto* label = new QLabel(text, pnlAbout);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    FitCentred(label, top, height);
    return label;
}

void TfrmAbout::CreateControls(IShellOpen& shellOpen) {
    pnlAbout = SetUpPanel("pnlAbout", {292, 184});

    Image1 = new QLabel(pnlAbout);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(22, 17, 32, 32);
    Image1->setPixmap(ProgramIcon().pixmap(QSize(32, 32), devicePixelRatioF()));

    Image2 = new QLabel(pnlAbout);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(68, 14, 200, 36);
    Image2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image2->setPixmap(ProgramPicture("Title"));

    bvlAbout = new QFrame(pnlAbout);
    bvlAbout->setObjectName(QStringLiteral("bvlAbout"));
    bvlAbout->setGeometry(12, 62, 268, 106);
    bvlAbout->setFrameStyle(QFrame::Box | QFrame::Sunken);

    const QFont text15 = FaceFont(kPGothicFace, 15);
    lblCatch = CentredLabel("lblCatch", tr("マウスでURL入力"), text15, 73, 15);
    QFont versionFont = FaceFont(kPGothicFace, 16, true);
    lblVersion = CentredLabel("lblVersion", QStringLiteral("Velmarinth Version 2.03"), versionFont, 96, 16);
    QPalette navy = lblVersion->palette();
    navy.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x80));
    lblVersion->setPalette(navy);
    lblCopyright = CentredLabel("lblCopyright", QStringLiteral("(C) 2026 Velmarinth developers"), text15, 121, 15);

    slblURL = new TShotLabel(pnlAbout);
    slblURL->setObjectName(QStringLiteral("slblURL"));
    slblURL->setFont(text15);
    // The whole address does not fit the label at its size: the label shows the short form and opens the
    // whole address.
    slblURL->SetCaption(QStringLiteral("github.com/velmarinth"));
    slblURL->SetCaptionLinkTo(QStringLiteral("https://github.com/velmarinth/velmarinth"));
    slblURL->SetCaptionType(TCaptionType::ctLinkToURL);
    slblURL->SetShellOpen(&shellOpen);
    FitCentred(slblURL, 142, 15);

    btClose = new QPushButton(QStringLiteral("OK"), this);
    btClose->setObjectName(QStringLiteral("btClose"));
    btClose->setGeometry(210, 198, 88, 21);
    // Both Enter and Esc close the dialog: Esc rejects it, which closes it just the same.
    btClose->setDefault(true);
    connect(btClose, &QPushButton::clicked, this, &QDialog::accept);
}
