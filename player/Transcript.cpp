#include "player/Transcript.h"

#include "player/PrintableText.h"

namespace player {

bool Transcript::Open(const std::filesystem::path& file, std::string& error) {
    file_.open(file, std::ios::out | std::ios::trunc);
    if (!file_) {
        error = "cannot write " + file.string();
        return false;
    }
    return true;
}

void Transcript::Step(int line, const std::string& step, const std::vector<std::string>& noticed) {
    std::string text = std::to_string(line) + ": " + step;
    for (size_t i = 0; i < noticed.size(); ++i) {
        text += (i == 0 ? "  ->  " : "; ") + noticed[i];
    }
    Write(text);
}

void Transcript::Note(const std::string& text) {
    Write(text);
}

void Transcript::Write(const std::string& raw) {
    const std::string text = PrintableText(raw);
    console_ << text << '\n';
    if (file_.is_open()) {
        file_ << text << '\n';
        file_.flush();
    }
}

} // namespace player
