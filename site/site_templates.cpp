#include "site_templates.h"

#include <fstream>
#include <sstream>

namespace boxloom::site {

namespace {

constexpr std::string_view kSuffix = ".mustache";

std::string render(const std::string& name, kainjow::mustache::mustache& page, const PageData& data,
                   std::string& out) {
    if (!page.is_valid()) return name + ": " + page.error_message();
    out = page.render(data);
    if (!page.is_valid()) return name + ": " + page.error_message();
    return {};
}

} // namespace

SiteTemplates::SiteTemplates() {
    for (const BuiltinTemplate& builtin : builtinTemplates())
        texts_.emplace(std::string(builtin.name), std::string(builtin.text));
}

std::string SiteTemplates::useFolder(const std::string& folder) {
    for (auto& [name, text] : texts_) {
        std::ifstream file(folder + "/" + name, std::ios::binary);
        if (!file) continue;
        std::ostringstream bytes;
        bytes << file.rdbuf();
        if (file.bad()) return folder + "/" + name + ": cannot be read";
        text = bytes.str();
    }
    parsed_.clear();
    return check();
}

std::string SiteTemplates::check() const {
    for (const auto& [name, text] : texts_) {
        if (!name.ends_with(kSuffix)) continue;
        kainjow::mustache::mustache parsed(text);
        if (!parsed.is_valid()) return name + ": " + parsed.error_message();
    }
    return {};
}

const std::string& SiteTemplates::text(std::string_view name) const {
    static const std::string none;
    const auto found = texts_.find(name);
    return found == texts_.end() ? none : found->second;
}

kainjow::mustache::mustache& SiteTemplates::parsed(const std::string& name) const {
    std::unique_ptr<kainjow::mustache::mustache>& page = parsed_[name];
    if (!page) page = std::make_unique<kainjow::mustache::mustache>(text(name));
    return *page;
}

std::string SiteTemplates::renderPage(std::string_view name, PageData data, const PageData& layout,
                                      std::string& html) const {
    for (std::string_view partial : {"table", "leaderbox"}) {
        const std::string& partialText = text(std::string(partial) + std::string(kSuffix));
        data.set(std::string(partial), kainjow::mustache::partial([&partialText] { return partialText; }));
    }
    const std::string file = std::string(name) + std::string(kSuffix);
    std::string body;
    if (std::string reason = render(file, parsed(file), data, body); !reason.empty()) return reason;
    PageData whole = layout;
    whole.set("body", body);
    return render("layout.mustache", parsed("layout.mustache"), whole, html);
}

} // namespace boxloom::site
