// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/widgets/ModalForm.h"

#include <memory>

namespace Ui {
class Form4;
}

namespace info {

// The Help window: the four steps of using the program and where to write
// with problems. Its text is fixed by its design. The controls keep their
// design names: Helpdisplay is the text, Label3 the address to write to,
// and label1 the Done button.
class Form4 : public platform::ModalForm {
    Q_OBJECT

public:
    explicit Form4(QWidget* parent = nullptr);
    ~Form4() override;

    void Label1_Click();

private:
    std::unique_ptr<Ui::Form4> ui;
};

} // namespace info
