#pragma once

#include <QObject>

#include <cstdint>
#include <functional>
#include <optional>

class QKeyEvent;

namespace platform {

// The classic character code a key press types: the character's code for
// printable characters, 8 for Backspace, 13 for Return and keypad Enter, 27
// for Escape, 1 to 26 for Ctrl+A to Ctrl+Z. Keys that type no character
// (arrows, Home, End, Delete, Tab, function keys, Alt combinations) give
// nothing and never reach a key hook.
std::optional<std::int16_t> typedCharacterCode(const QKeyEvent& event);

// A per-character hook on a text box: the handler sees each typed
// character's code before the box takes it and discards the character by
// setting the code to 0.
class KeyPressHook final : public QObject {
public:
    using Handler = std::function<void(std::int16_t& KeyAscii)>;

    KeyPressHook(QObject* textBox, Handler handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Handler handler;
};

} // namespace platform
