#include "page_reader.h"

#include <cctype>

namespace restest {

Page::Page(std::string html) {
    size_t at = 0;
    for (;;) {
        const size_t open = html.find("<!--", at);
        if (open == std::string::npos) {
            markup_ += html.substr(at);
            break;
        }
        markup_ += html.substr(at, open - at);
        const size_t close = html.find("-->", open + 4);
        if (close == std::string::npos) {
            comments_.push_back(html.substr(open + 4));
            break;
        }
        comments_.push_back(html.substr(open + 4, close - open - 4));
        at = close + 3;
    }
}

size_t Page::StartTagOf(const std::string& id) const {
    const size_t attr = markup_.find("id=\"" + id + "\"");
    if (attr == std::string::npos) {
        return std::string::npos;
    }
    return markup_.rfind('<', attr);
}

std::optional<std::map<std::string, std::string>> Page::Element(const std::string& id) const {
    const size_t start = StartTagOf(id);
    if (start == std::string::npos) {
        return std::nullopt;
    }
    const size_t end = markup_.find('>', start);
    const std::string tag = markup_.substr(start + 1, end - start - 1);
    std::map<std::string, std::string> attributes;
    size_t at = 0;
    auto skipBlanks = [&] {
        while (at < tag.size() && std::isspace(static_cast<unsigned char>(tag[at]))) {
            ++at;
        }
    };
    auto word = [&] {
        std::string w;
        while (at < tag.size() && !std::isspace(static_cast<unsigned char>(tag[at])) &&
               tag[at] != '=') {
            w += static_cast<char>(std::tolower(static_cast<unsigned char>(tag[at++])));
        }
        return w;
    };
    attributes["<tag>"] = word();
    for (skipBlanks(); at < tag.size(); skipBlanks()) {
        const std::string name = word();
        std::string value;
        if (at < tag.size() && tag[at] == '=') {
            ++at;
            if (at < tag.size() && tag[at] == '"') {
                const size_t close = tag.find('"', at + 1);
                value = tag.substr(at + 1, close - at - 1);
                at = close == std::string::npos ? tag.size() : close + 1;
            } else {
                value = word();
            }
        }
        if (name.empty()) {
            ++at;
            continue;
        }
        attributes[name] = value;
    }
    return attributes;
}

std::string Page::ElementText(const std::string& id) const {
    const size_t start = StartTagOf(id);
    if (start == std::string::npos) {
        return std::string();
    }
    const size_t textStart = markup_.find('>', start) + 1;
    return markup_.substr(textStart, markup_.find('<', textStart) - textStart);
}

std::string Page::Rule(const std::string& selector) const {
    const size_t at = markup_.find("\n" + selector + " {");
    if (at == std::string::npos) {
        return std::string();
    }
    const size_t open = markup_.find('{', at);
    const size_t close = markup_.find('}', open);
    std::string body;
    bool blank = false;
    for (char c : markup_.substr(open + 1, close - open - 1)) {
        if (std::isspace(static_cast<unsigned char>(c))) {
            blank = true;
            continue;
        }
        if (blank && !body.empty()) {
            body += ' ';
        }
        blank = false;
        body += c;
    }
    return body;
}

bool Page::Contains(const std::string& text) const {
    return markup_.find(text) != std::string::npos;
}

} // namespace restest
