// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/widgets/KeyPressHook.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

namespace platform {

namespace {

// The classic code of a character; characters beyond 16 bits arrive as "?",
// as in the classic 16-bit code.
std::int16_t characterCode(char32_t character)
{
    return static_cast<std::int16_t>(character <= 0x7fff ? character : u'?');
}

bool isPrintable(char32_t character)
{
    return character >= 0x20 && character != 0x7f;
}

// What Ctrl with a key types: the control characters of the classic
// keyboard, or nothing for keys without one.
std::optional<std::int16_t> controlCode(int key)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<std::int16_t>(key - Qt::Key_A + 1);
    switch (key) {
    case Qt::Key_BracketLeft:
        return std::int16_t{27};
    case Qt::Key_Backslash:
        return std::int16_t{28};
    case Qt::Key_BracketRight:
        return std::int16_t{29};
    case Qt::Key_Backspace:
        return std::int16_t{127};
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return std::int16_t{10};
    default:
        return std::nullopt;
    }
}

} // namespace

std::optional<std::int16_t> typedCharacterCode(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    const int key = event.key();
    // Ctrl alone or with Shift types control characters; with Alt as well it
    // is AltGr on some keyboards, which types the character it shows.
    if ((modifiers & Qt::ControlModifier) && !(modifiers & (Qt::AltModifier | Qt::MetaModifier)))
        return controlCode(key);

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
    // The text is used only for printable characters: what a platform gives
    // for other keys differs from one to the next.
    const QString text = event.text();
    const char32_t character = text.isEmpty() ? 0 : text.toUcs4().value(0);
    if (!isPrintable(character))
        return std::nullopt;
    return characterCode(character);
}

KeyPressHook::KeyPressHook(QObject* textBox, Handler handler)
    : QObject(textBox), handler(std::move(handler))
{
    textBox->installEventFilter(this);
}

bool KeyPressHook::passes(std::int16_t code)
{
    handler(code);
    return code != 0;
}

bool KeyPressHook::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const std::optional<std::int16_t> code = typedCharacterCode(*static_cast<QKeyEvent*>(event));
        return code && !passes(*code);
    }
    if (event->type() == QEvent::InputMethod) {
        auto* input = static_cast<QInputMethodEvent*>(event);
        const QString committed = input->commitString();
        if (committed.isEmpty())
            return false;
        QString kept;
        for (const char32_t character : committed.toUcs4()) {
            if (passes(characterCode(character)))
                kept += QString::fromUcs4(&character, 1);
        }
        if (kept != committed)
            input->setCommitString(kept, input->replacementStart(), input->replacementLength());
        return false;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace platform
