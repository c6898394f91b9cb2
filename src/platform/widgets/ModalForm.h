// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

namespace platform {

// A secondary window of the program: shown modally, built afresh from its
// design at every opening and destroyed when it closes. It has no default
// and no cancel button, so Enter and Escape press nothing; the close box
// still closes it.
class ModalForm : public QDialog {
    Q_OBJECT

public:
    explicit ModalForm(QWidget* parent = nullptr);

    // Call at the end of a derived constructor, once the controls exist.
    void finishClassicSetup();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// Builds a form of type Form, shows it modally and returns once the user has
// closed it. The form is destroyed on closing.
template <typename Form, typename... Args>
void showModalForm(QWidget* owner, Args&&... args)
{
    auto* form = new Form(owner, std::forward<Args>(args)...);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->exec();
}

} // namespace platform
