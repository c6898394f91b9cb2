// SPDX-License-Identifier: GPL-3.0-or-later
#include "info/Form3.h"

#include "info/Contact.h"
#include "platform/widgets/ClickHook.h"
#include "platform/widgets/LinkLabel.h"
#include "ui_Form3.h"

namespace info {

Form3::Form3(QWidget* parent, std::shared_ptr<platform::ProcessStarter> processStarter)
    : ModalForm(parent),
      ui(std::make_unique<Ui::Form3>()),
      processStarter(std::move(processStarter))
{
    ui->setupUi(this);
    ui->Label2->setText(webPage);
    ui->Label4->setText(contactAddress);
    for (QLabel* label : {ui->Label1, static_cast<QLabel*>(ui->Label2), ui->Label4})
        label->adjustSize();
    finishClassicSetup();

    new platform::ClickHook(ui->Label2, [this] { Label2_Click(); });
    connect(ui->Label2, &platform::LinkLabel::activated, this, &Form3::Label2_Click);
    // The keyboard starts on OK, so that Enter right after opening opens no
    // browser; Tab reaches the link.
    ui->label7->setFocus();
    connect(ui->label7, &QPushButton::clicked, this, &Form3::Label7_Click);
}

Form3::~Form3() = default;

bool Form3::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return ModalForm::event(event);
}

void Form3::Form_Activate()
{
    // The credit line takes the width the title measures in the font at
    // hand; its left edge stays where it is and its text stays centred.
    ui->Label3->resize(ui->Label1->width(), ui->Label3->height());
}

void Form3::Label2_Click()
{
    // xdg-open hands the page to the desktop's chosen browser; where no
    // desktop integration is installed, sensible-browser is the system's
    // fallback. Failure stays silent either way: the user can click again.
    const QStringList page{QString(webPage)};
    if (processStarter->startDetached(QStringLiteral("xdg-open"), page))
        return;
    processStarter->startDetached(QStringLiteral("sensible-browser"), page);
}

void Form3::Label7_Click()
{
    close();
}

} // namespace info
