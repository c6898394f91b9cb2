// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <cstdint>
#include <functional>
#include <optional>

class QKeyEvent;

namespace platform {

// The classic character code a key press types: the character's code for
// printable characters, 8 for Backspace, 13 for Return and keypad Enter, 27
// for Escape, and the control codes of Ctrl with a letter (1 to 26), with
// [ \ ] (27 to 29), with Backspace (127) and with Return (10). A key that
// reaches a text box with Alt or Meta held was taken by no access key or
// menu, so the character it carries is typed like any other. Keys that type
// no character (arrows, Home, End, Delete, Tab, function keys) give nothing
// and never reach a key hook.
std::optional<std::int16_t> typedCharacterCode(const QKeyEvent& event);

// A per-character hook on a text box: the handler sees each typed
// character's code before the box takes it and discards the character by
// setting the code to 0. Text that an input method commits (a dead key and a
// letter, a composed character) is typed too, so it goes through the handler
// character by character.
class KeyPressHook final : public QObject {
public:
    using Handler = std::function<void(std::int16_t& KeyAscii)>;

    KeyPressHook(QObject* textBox, Handler handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool passes(std::int16_t code);
    Handler handler;
};

} // namespace platform
