#include "platform/KeyPressHook.h"

#include <QKeyEvent>

namespace platform {

std::optional<std::int16_t> typedCharacterCode(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    // Alt combinations are access keys and menu shortcuts, not characters.
    if (modifiers & (Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;

    const int key = event.key();
    switch (key) {
    case Qt::Key_Backspace:
        return std::int16_t{8};
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return std::int16_t{13};
    case Qt::Key_Escape:
        return std::int16_t{27};
    default:
        break;
    }

    if (modifiers & Qt::ControlModifier) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z)
            return static_cast<std::int16_t>(key - Qt::Key_A + 1);
        return std::nullopt;
    }

    // The text is used only here, for plain characters: for control
    // combinations it differs between platforms.
    const QString text = event.text();
    if (text.isEmpty())
        return std::nullopt;
    const char32_t character = text.toUcs4().value(0);
    if (character < 0x20 || character == 0x7f)
        return std::nullopt;
    return static_cast<std::int16_t>(character <= 0x7fff ? character : u'?');
}

KeyPressHook::KeyPressHook(QObject* textBox, Handler handler)
    : QObject(textBox), handler(std::move(handler))
{
    textBox->installEventFilter(this);
}

bool KeyPressHook::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const std::optional<std::int16_t> code = typedCharacterCode(*static_cast<QKeyEvent*>(event));
    if (!code)
        return false;
    std::int16_t KeyAscii = *code;
    handler(KeyAscii);
    return KeyAscii == 0;
}

} // namespace platform
