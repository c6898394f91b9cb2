// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace platform {

// A label that stands for a web link: besides the mouse, the keyboard
// reaches it with Tab and opens it with Enter or Space, assistive tools
// see a link they can press, and its designed colour gives way to the
// palette's link colour where the palette is dark, so that it stays
// readable.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    explicit LinkLabel(QWidget* parent = nullptr);

    // What the keyboard and assistive tools do; a click stays with the
    // window's own click handler.
    void activate();

signals:
    void activated();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

// The palette a link is drawn with: the designed one, except that on a
// dark window background its text takes the palette's link colour.
QPalette readableLinkPalette(QPalette designed);

} // namespace platform
