#pragma once

#include "controls/VelDialog.h"

// The options dialog. This frame holds its buttons; the option controls come with their own work.
class TfrmOption final : public TVelDialog {
    Q_OBJECT
public:
    explicit TfrmOption(QWidget* owner);
};
