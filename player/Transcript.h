// The transcript of a run: one line per step (its line number, the step, and what the person
// noticed), printed and written to the output folder's "transcript.txt".
#pragma once

#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

namespace player {

class Transcript {
public:
    explicit Transcript(std::ostream& console) : console_(console) {}

    // Opens the file; false with `error` when it cannot be written.
    bool Open(const std::filesystem::path& file, std::string& error);

    void Step(int line, const std::string& step, const std::vector<std::string>& noticed);
    // A line of its own (the end of the run, a failure).
    void Note(const std::string& text);

private:
    // Control characters are written as escapes.
    void Write(const std::string& raw);

    std::ostream& console_;
    std::ofstream file_;
};

} // namespace player
