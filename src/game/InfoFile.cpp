// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/InfoFile.h"

#include "game/Limits.h"

namespace game {

namespace {

// Cuts tokens the way the game does. It reads bytes as signed characters,
// so outside quotes every byte from 0x80 up counts as white space, as do
// the control characters; a NUL ends the text there. Inside quotes a NUL
// ends only the token, as a closing quote would, and the game reads on
// after it.
class Tokenizer {
public:
    explicit Tokenizer(const QByteArray& text) : text(text) {}

    // The next token; empty at the end of the text. Unless `acrossLines`,
    // a line break before the next token also gives an empty token, which
    // is how the game finds a key with no value.
    Token next(bool acrossLines)
    {
        bool crossedLine = false;
        if (!skipSpaceAndComments(crossedLine) || (crossedLine && !acrossLines))
            return {{}, line, pos, pos};
        Token token{{}, line, pos, pos};
        if (at(pos) == '"') {
            token.quoted = true;
            ++pos;
            while (true) {
                if (pos >= text.size()) {
                    token.unclosed = true;
                    break;
                }
                const char c = text.at(pos++);
                if (c == '\0') {
                    token.endsAtNul = true;
                    break;
                }
                if (c == '"') {
                    // Only white space, or the block's end, follows a
                    // closing quote that the author wrote. A word right
                    // after it, even one the game cuts short at a byte
                    // from 0x80 up, was meant to be in the value.
                    token.runsIntoNext = isWordByte(at(pos)) && at(pos) != '}';
                    break;
                }
                if (c == '\n') {
                    ++line;
                    token.spansLines = true;
                }
                append(token, c);
            }
            token.end = pos;
            return token;
        }
        while (isWordByte(at(pos))) {
            if (at(pos) == '"')
                token.quoteInWord = true;
            append(token, at(pos++));
        }
        token.end = pos;
        return token;
    }

private:
    static bool isWordByte(char c) { return !isGameWhiteSpace(c); }

    char at(qsizetype index) const { return index < text.size() ? text.at(index) : '\0'; }

    static void append(Token& token, char c)
    {
        if (token.text.size() < tokenLimit)
            token.text += c;
    }

    // False at the end of the text.
    bool skipSpaceAndComments(bool& crossedLine)
    {
        while (true) {
            while (!isWordByte(at(pos))) {
                if (at(pos) == '\0')
                    return false;
                if (at(pos) == '\n') {
                    ++line;
                    crossedLine = true;
                }
                ++pos;
            }
            if (at(pos) == '/' && at(pos + 1) == '/') {
                while (at(pos) != '\0' && at(pos) != '\n')
                    ++pos;
            } else if (at(pos) == '/' && at(pos + 1) == '*') {
                pos += 2;
                while (at(pos) != '\0' && !(at(pos) == '*' && at(pos + 1) == '/')) {
                    if (at(pos) == '\n')
                        ++line;
                    ++pos;
                }
                if (at(pos) != '\0')
                    pos += 2;
            } else {
                return true;
            }
        }
    }

    const QByteArray& text;
    qsizetype pos = 0;
    int line = 1;
};

} // namespace

InfoReading readInfoFile(const QByteArray& text)
{
    InfoReading reading;
    Tokenizer tokens(text);
    while (true) {
        const Token open = tokens.next(true);
        if (open.text.isEmpty()) {
            if (open.quoted && !open.unclosed)
                reading.emptyWhereBrace = open;
            return reading;
        }
        if (open.text != "{") {
            reading.missingOpenBrace = open;
            return reading;
        }
        InfoBlock& block = reading.blocks.emplace_back();
        block.line = open.line;
        block.begin = open.begin;
        block.end = open.end;
        while (true) {
            Token key = tokens.next(true);
            if (key.text.isEmpty()) {
                // A "" goes with the block it ends, so that rewriting the
                // block mends the file.
                if (key.quoted)
                    block.end = key.end;
                block.cutShortBy = std::move(key);
                break;
            }
            block.end = key.end;
            if (key.text == "}")
                break;
            if (key.text == "{")
                block.mergedAt.push_back(key.line);
            KeyValue pair{std::move(key), tokens.next(false), false};
            if (!pair.value.text.isEmpty() || pair.value.quoted)
                block.end = pair.value.end;
            if (pair.value.text.isEmpty()) {
                pair.value.text = "<NULL>";
                pair.valueWasEmpty = true;
            }
            block.pairs.push_back(std::move(pair));
        }
    }
}

QByteArrayList wordsOf(const QByteArray& value)
{
    QByteArrayList list;
    QByteArray word;
    for (const char c : value + ' ') {
        if (!isGameWhiteSpace(c)) {
            word += c;
        } else if (!word.isEmpty()) {
            list << word;
            word.clear();
        }
    }
    return list;
}

const KeyValue* findKey(const InfoBlock& block, const char* key)
{
    for (auto pair = block.pairs.rbegin(); pair != block.pairs.rend(); ++pair) {
        if (pair->key.text.compare(key, Qt::CaseInsensitive) == 0)
            return &*pair;
    }
    return nullptr;
}

} // namespace game
