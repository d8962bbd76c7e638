// Splits one line of a scenario file into its words.
//
// Words are separated by blanks (spaces and tabs; a carriage return at the end of the line, as
// files written on Windows have, is ignored). A word that starts with `#` starts a comment that
// runs to the end of the line. A word in single quotes is taken as it stands (Windows paths and
// command lines); a word in double quotes knows the escapes \n \r \t \" and \\. A quote opens
// and closes a whole word: a quote inside an unquoted word, or a closing quote followed by
// anything but a blank, is an error, so that a half-quoted argument is never taken silently.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace player {

struct Token {
    std::string text;
    // Written in quotes: never a comment, a verb or a keyword, even when it looks like one.
    bool quoted = false;
};

// Returns false and describes the fault in `error` (the column counts from 1).
bool TokenizeLine(std::string_view line, std::vector<Token>& tokens, std::string& error);

} // namespace player
