// SPDX-License-Identifier: GPL-3.0-or-later
#include "info/Form4.h"

#include "info/Contact.h"
#include "ui_Form4.h"

namespace info {

Form4::Form4(QWidget* parent)
    : ModalForm(parent),
      ui(std::make_unique<Ui::Form4>())
{
    ui->setupUi(this);
    ui->Label3->setText(contactAddress);
    ui->Label3->adjustSize();
    ui->Label2->adjustSize();
    // The help text was laid out for a narrower font; here its last line
    // ends just above the picture, so the text is kept above the picture
    // and no line can ever be cut by it.
    ui->Helpdisplay->raise();
    finishClassicSetup();

    connect(ui->label1, &QPushButton::clicked, this, &Form4::Label1_Click);
}

Form4::~Form4() = default;

void Form4::Label1_Click()
{
    close();
}

} // namespace info
