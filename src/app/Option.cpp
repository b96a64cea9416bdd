#include "app/Option.h"

#include <QPushButton>

TfrmOption::TfrmOption(QWidget* owner) : TVelDialog(owner, QString::fromUtf8("設定"), QSize(330, 260)) {
    setObjectName(QStringLiteral("frmOption"));
    auto* btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setGeometry(164, 228, 75, 25);
    btnOK->setDefault(true);
    auto* btnCansel = new QPushButton(QString::fromUtf8("キャンセル"), this);
    btnCansel->setObjectName(QStringLiteral("btnCansel"));
    btnCansel->setGeometry(247, 228, 75, 25);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCansel, &QPushButton::clicked, this, &QDialog::reject);
}
