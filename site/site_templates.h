#pragma once

// The templates of the site's pages. The built-in ones can be replaced one by
// one by files of the same names in a folder, so that a league restyles its site.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace boxloom::site {

struct BuiltinTemplate {
    std::string_view name;
    std::string_view text;
};
std::span<const BuiltinTemplate> builtinTemplates();

struct TemplateData;   // template_data.h: the template engine's data
struct ParsedTemplate; // a template the engine has parsed

// A template with the partial tags that `partial` knows replaced by the
// partials' texts, so that it is parsed once; tags of unknown partials, and
// templates that change their delimiters, stay as they are.
std::string inlinePartials(std::string_view text,
                           const std::function<const std::string*(std::string_view)>& partial);

// A template engine's message ("Unclosed section \"rows\" at 181", the place a
// character offset into `text`) as "FILE, line 7: Unclosed section \"rows\"".
std::string withLine(const std::string& file, std::string_view text, const std::string& message);

class SiteTemplates {
public:
    SiteTemplates();
    ~SiteTemplates();
    // The texts only: each copy parses the templates for itself.
    SiteTemplates(const SiteTemplates& other);
    SiteTemplates& operator=(const SiteTemplates&) = delete;
    // Reads the templates of that folder that replace built-in ones and checks
    // every template; the reason it failed ("NAME: what is wrong"), or "".
    std::string useFolder(const std::string& folder);
    // A page: its template rendered with the data, inside the layout.
    std::string renderPage(std::string_view name, TemplateData data, const TemplateData& layout,
                           std::string& html) const;
    const std::string& text(std::string_view name) const;
    // Of every template's name and text: a page made again with other
    // templates is another page.
    std::uint64_t fingerprint() const;

private:
    std::string check() const;
    // The page rendered straight into its place in the layout, not copied
    // there: "" or the reason it failed; nullopt when the layout does not
    // show the body once and as it is.
    std::optional<std::string> renderInLayout(const std::string& file, const TemplateData& data,
                                              TemplateData& layout, std::string& html) const;
    // A template parsed once, for every page that uses it.
    ParsedTemplate& parsed(const std::string& name) const;
    std::map<std::string, std::string, std::less<>> texts_;
    std::map<std::string, std::string, std::less<>> paths_; // of the templates read from a folder
    mutable std::map<std::string, std::unique_ptr<ParsedTemplate>> parsed_;
};

} // namespace boxloom::site
