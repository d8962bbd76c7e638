#include "player/Tokenizer.h"

namespace player {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string At(size_t index) {
    return "column " + std::to_string(index + 1);
}

// Reads the double-quoted word that starts at line[start] (the opening quote); on success sets
// `end` to the index after the closing quote.
bool ReadDoubleQuoted(std::string_view line, size_t start, std::string& text, size_t& end,
                      std::string& error) {
    for (size_t i = start + 1; i < line.size(); ++i) {
        char c = line[i];
        if (c == '"') {
            end = i + 1;
            return true;
        }
        if (c != '\\') {
            text += c;
            continue;
        }
        if (i + 1 >= line.size()) {
            break;
        }
        char escaped = line[++i];
        switch (escaped) {
        case 'n':
            text += '\n';
            break;
        case 'r':
            text += '\r';
            break;
        case 't':
            text += '\t';
            break;
        case '"':
            text += '"';
            break;
        case '\\':
            text += '\\';
            break;
        default:
            error = At(i - 1) + ": unknown escape \\" + std::string(1, escaped) +
                    " in double quotes (known: \\n \\r \\t \\\" \\\\; use single quotes for "
                    "Windows paths)";
            return false;
        }
    }
    error = At(start) + ": double quote not closed";
    return false;
}

} // namespace

bool TokenizeLine(std::string_view line, std::vector<Token>& tokens, std::string& error) {
    tokens.clear();
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    size_t i = 0;
    while (i < line.size()) {
        if (IsBlank(line[i])) {
            ++i;
            continue;
        }
        if (line[i] == '#') {
            break;
        }
        Token token;
        size_t end = i;
        if (line[i] == '\'') {
            size_t close = line.find('\'', i + 1);
            if (close == std::string_view::npos) {
                error = At(i) + ": single quote not closed";
                return false;
            }
            token.text = std::string(line.substr(i + 1, close - i - 1));
            token.quoted = true;
            end = close + 1;
        } else if (line[i] == '"') {
            token.quoted = true;
            if (!ReadDoubleQuoted(line, i, token.text, end, error)) {
                return false;
            }
        } else {
            while (end < line.size() && !IsBlank(line[end])) {
                if (line[end] == '\'' || line[end] == '"') {
                    error = At(end) + ": quote inside a word; quote the whole argument";
                    return false;
                }
                ++end;
            }
            token.text = std::string(line.substr(i, end - i));
        }
        if (token.quoted && end < line.size() && !IsBlank(line[end])) {
            error = At(end) + ": a blank must follow the closing quote";
            return false;
        }
        tokens.push_back(std::move(token));
        i = end;
    }
    return true;
}

} // namespace player
