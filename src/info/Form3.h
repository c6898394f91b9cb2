// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/system/ProcessStarter.h"
#include "platform/widgets/ModalForm.h"

#include <memory>

namespace Ui {
class Form3;
}

namespace info {

// The About window: the program's title, the credits, where to write, and
// a link that opens the maker's web page. The controls keep their design
// names: Label1 is the title, Label2 the link, Label3 and Label5 the
// credits, Label4 the address to write to, and label7 the OK button.
class Form3 : public platform::ModalForm {
    Q_OBJECT

public:
    Form3(QWidget* parent, std::shared_ptr<platform::ProcessStarter> processStarter);
    ~Form3() override;

    void Form_Activate();
    void Label2_Click();
    void Label7_Click();

protected:
    bool event(QEvent* event) override;

private:
    std::unique_ptr<Ui::Form3> ui;
    std::shared_ptr<platform::ProcessStarter> processStarter;
};

} // namespace info
