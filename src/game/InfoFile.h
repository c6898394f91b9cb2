// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayList>

#include <optional>
#include <vector>

namespace game {

// Whether the game's tokenizers (its files', its menus', its console's)
// take a byte for white space: they read bytes as signed characters, so
// every byte up to the space and every byte from 0x80 up parts words.
inline bool isGameWhiteSpace(char c)
{
    return static_cast<signed char>(c) <= ' ';
}

// A value's words as the game's menus split it: at that white space.
QByteArrayList wordsOf(const QByteArray& value);

// One token as the game's tokenizer cuts it from an info file.
struct Token {
    QByteArray text; // cut to the game's 1,023 bytes; "<NULL>" for a value the game found empty
    int line = 1;    // where the token starts
    qsizetype begin = 0; // its bytes in the file: from its first byte, an opening quote included,
    qsizetype end = 0;   // to just past its last, a closing quote included
    bool quoted = false;
    bool quoteInWord = false; // a '"' inside a word: out of step with the author's quotes
    bool runsIntoNext = false; // the closing '"' has more of a word right after it: the author's value goes on
    bool spansLines = false;  // quoted across a line break, looking for its closing quote
    bool unclosed = false;    // quoted up to the end of the file
    bool endsAtNul = false;   // quoted up to a NUL byte, which the game takes for the closing quote, and reads on
};

struct KeyValue {
    Token key;
    Token value;
    bool valueWasEmpty = false; // the game reads "<NULL>" in its place
};

// One `{ ... }` block, as the game will have collected it.
struct InfoBlock {
    int line = 1;
    // Where the block lies in the file: from its '{' to just past its '}',
    // or past its last token when the file ends inside it.
    qsizetype begin = 0;
    qsizetype end = 0;
    std::vector<KeyValue> pairs;
    // Lines where a '{' came where a key should be: a '}' is missing
    // before them and the game has merged two blocks into this one.
    std::vector<int> mergedAt;
    // What ended the block where a key or its '}' should be: the end of the
    // file, or an empty quoted key "", which the game takes for the end of
    // the file. It complains of an unexpected end, keeps the block, and
    // after a "" reads on, looking for the next '{'.
    std::optional<Token> cutShortBy;
};

// What the game's info-file loader makes of a whole file.
struct InfoReading {
    std::vector<InfoBlock> blocks;
    // The token read where a '{' should be; the loader stops reading there.
    std::optional<Token> missingOpenBrace;
    // An empty quoted token "" where a '{' should be: the loader takes it
    // for the end of the file and stops there without a word.
    std::optional<Token> emptyWhereBrace;
};

// Reads an arena or bot file as the game does: a series of
// `{ key "value" ... }` blocks, comments allowed between tokens only.
InfoReading readInfoFile(const QByteArray& text);

// The value of the last pair with that key, as the game keeps it.
const KeyValue* findKey(const InfoBlock& block, const char* key);

} // namespace game
