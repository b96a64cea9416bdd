#include "app/About.h"

#include <QLabel>
#include <QPushButton>

TfrmAbout::TfrmAbout(QWidget* owner) : TVelDialog(owner, QString::fromUtf8("バージョン情報"), QSize(260, 120)) {
    setObjectName(QStringLiteral("frmAbout"));
    auto* name = new QLabel(QStringLiteral("Velmarinth ") + QStringLiteral(VEL_VERSION), Panel());
    name->move(8, 8);
    Panel()->resize(248, 70);
    auto* btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setGeometry(92, 86, 75, 25);
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
}
