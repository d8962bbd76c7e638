// A light reader of the program's HTML pages, enough to check their elements and styles: the
// markup outside comments, the comments, one element's attributes and text, one style rule.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace restest {

class Page {
public:
    explicit Page(std::string html);

    // The markup with every <!-- ... --> removed (what the document is made of).
    const std::string& Markup() const { return markup_; }
    const std::vector<std::string>& Comments() const { return comments_; }

    // The attributes of the element whose id is given (names lower-case), nullopt if none.
    std::optional<std::map<std::string, std::string>> Element(const std::string& id) const;
    // The text right behind the element's start tag, up to the next tag.
    std::string ElementText(const std::string& id) const;
    // The declarations of the style rule with this selector, with single spaces.
    std::string Rule(const std::string& selector) const;
    bool Contains(const std::string& text) const;

private:
    size_t StartTagOf(const std::string& id) const;
    std::string markup_;
    std::vector<std::string> comments_;
};

} // namespace restest
