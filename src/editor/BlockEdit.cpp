// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/BlockEdit.h"

#include "editor/ArenaFields.h"
#include "editor/Windows1252.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace editor {

namespace {

// White space that keeps to its line.
bool isBlankOnLine(char c)
{
    return game::isGameWhiteSpace(c) && c != '\n' && c != '\r';
}

bool allBlankOnLine(const QByteArray& bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), isBlankOnLine);
}

// Whether the pair's value has bytes in the file: a key alone on its line
// has none.
bool hasValueBytes(const game::KeyValue& pair)
{
    return pair.value.end > pair.value.begin;
}

QByteArray valueToken(const QByteArray& value, bool quoted)
{
    return quoted || !isPlainWord(value) ? '"' + value + '"' : value;
}

// One change to the file's text: the bytes from `begin` to `end` give way
// to `bytes`.
struct Edit {
    qsizetype begin;
    qsizetype end;
    QByteArray bytes;
};

Edit valueEdit(const game::KeyValue& pair, const QByteArray& value)
{
    if (hasValueBytes(pair))
        return {pair.value.begin, pair.value.end, valueToken(value, pair.value.quoted)};
    // The game read the key's value as empty because none followed it on
    // its line: the value goes right after the key.
    return {pair.key.end, pair.key.end, ' ' + valueToken(value, true)};
}

// Where the line that `at` is on ends, when nothing but white space and
// comments that close on it come first; nothing otherwise.
std::optional<qsizetype> endOfLine(const QByteArray& text, qsizetype at, qsizetype limit)
{
    while (at < limit) {
        if (text[at] == '\n')
            return text[at - 1] == '\r' ? at - 1 : at;
        if (game::isGameWhiteSpace(text[at])) {
            ++at;
        } else if (text.mid(at, 2) == "//") {
            const qsizetype end = text.indexOf('\n', at);
            at = end < 0 ? limit : end;
        } else if (text.mid(at, 2) == "/*") {
            const qsizetype close = text.indexOf("*/", at + 2);
            if (close < 0 || close >= limit || text.mid(at, close - at).contains('\n'))
                return std::nullopt;
            at = close + 2;
        } else {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

// How the block lays out its last key, which new keys follow.
struct Layout {
    qsizetype insertAt = 0;
    QByteArray before;    // a line end and the indentation, or a space where the keys share a line
    QByteArray separator; // between key and value
    bool quoted = true;
};

Layout layoutOf(const QByteArray& text, const game::InfoBlock& block)
{
    const game::KeyValue& last = block.pairs.back();
    Layout layout;
    layout.quoted = !hasValueBytes(last) || last.value.quoted;
    const QByteArray between = hasValueBytes(last) ? text.mid(last.key.end, last.value.begin - last.key.end) : " ";
    layout.separator = !between.isEmpty() && allBlankOnLine(between) ? between : " ";
    const qsizetype lastEnd = hasValueBytes(last) ? last.value.end : last.key.end;
    layout.insertAt = endOfLine(text, lastEnd, block.end).value_or(lastEnd);
    const qsizetype lineStart = text.lastIndexOf('\n', last.key.begin - 1);
    const QByteArray indentation = text.mid(lineStart + 1, last.key.begin - lineStart - 1);
    if (lineStart > block.begin && allBlankOnLine(indentation))
        layout.before = (text[lineStart - 1] == '\r' ? "\r\n" : "\n") + indentation;
    else
        layout.before = " ";
    return layout;
}

} // namespace

QByteArray editedBlock(const QByteArray& text, const game::InfoBlock& block, const ArenaValues& values)
{
    const std::pair<const char*, const QString*> windowValues[] = {{"map", &values.map},
                                                                   {"bots", &values.bots},
                                                                   {"longname", &values.longname},
                                                                   {"fraglimit", &values.fraglimit},
                                                                   {"type", &values.type}};
    std::vector<Edit> edits;
    QByteArray added;
    std::optional<Layout> layout;
    for (const auto& [key, value] : windowValues) {
        const QByteArray bytes = toWindows1252(*value);
        const game::KeyValue* pair = keptPair(block, key);
        if (pair && bytes != (pair->valueWasEmpty ? QByteArray() : pair->value.text)) {
            edits.push_back(valueEdit(*pair, bytes));
        } else if (!pair && !bytes.isEmpty()) {
            if (!layout)
                layout = layoutOf(text, block);
            added += layout->before + key + layout->separator + valueToken(bytes, layout->quoted);
        }
    }
    if (layout)
        edits.push_back({layout->insertAt, layout->insertAt, added});
    std::stable_sort(edits.begin(), edits.end(), [](const Edit& one, const Edit& other) { return one.begin < other.begin; });
    QByteArray edited;
    qsizetype done = block.begin;
    for (const Edit& edit : edits) {
        edited += text.mid(done, edit.begin - done) + edit.bytes;
        done = edit.end;
    }
    return edited + text.mid(done, block.end - done);
}

int commentsIn(const QByteArray& text, const game::InfoBlock& block)
{
    // Comments lie only in the gaps between the block's words.
    std::vector<std::pair<qsizetype, qsizetype>> words{{block.begin, block.begin + 1}};
    for (const game::KeyValue& pair : block.pairs) {
        words.emplace_back(pair.key.begin, pair.key.end);
        if (hasValueBytes(pair))
            words.emplace_back(pair.value.begin, pair.value.end);
    }
    words.emplace_back(block.end, block.end);
    int comments = 0;
    for (std::size_t w = 0; w + 1 < words.size(); ++w) {
        for (qsizetype at = words[w].second; at < words[w + 1].first;) {
            const QByteArray opening = text.mid(at, 2);
            if (opening != "//" && opening != "/*") {
                ++at;
                continue;
            }
            ++comments;
            const qsizetype end = opening == "//" ? text.indexOf('\n', at) : text.indexOf("*/", at + 2);
            at = end < 0 ? words[w + 1].first : end + (opening == "//" ? 1 : 2);
        }
    }
    return comments;
}

} // namespace editor
