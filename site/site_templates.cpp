#include "site_templates.h"

#include "page_keys.h"
#include "template_data.h"

#include "platform_files.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <optional>

namespace boxloom::site {

struct ParsedTemplate {
    explicit ParsedTemplate(const std::string& text) : engine(text) {}
    kainjow::mustache::mustache engine;
};

namespace {

constexpr std::string_view kSuffix = ".mustache";
constexpr std::string_view kPartials[] = {"table", "leaderbox"};
// Stands for the page's body while the layout is rendered. Escaping changes it
// and no text of the site holds it, so it is found only where the layout puts
// the body as it is.
using namespace std::string_view_literals;
constexpr std::string_view kBodyMarker = "<\0boxloom-body\0>"sv;
static_assert(kBodyMarker.size() == 16);

// Appends the rendered template to `out`.
std::string render(const std::string& name, ParsedTemplate& parsed, const PageData& data, std::string& out) {
    kainjow::mustache::mustache& page = parsed.engine;
    if (!page.is_valid()) return name + ": " + page.error_message();
    page.render(data, [&out](const std::string& text) { out += text; });
    if (!page.is_valid()) return name + ": " + page.error_message();
    return {};
}

bool changesDelimiters(std::string_view text) { return text.find("{{=") != std::string_view::npos; }

} // namespace

std::string inlinePartials(std::string_view text,
                           const std::function<const std::string*(std::string_view)>& partial) {
    if (changesDelimiters(text)) return std::string(text);
    std::string out;
    for (std::size_t at = 0;;) {
        const std::size_t tag = text.find("{{>", at);
        const std::size_t end = tag == std::string_view::npos ? tag : text.find("}}", tag);
        if (end == std::string_view::npos) {
            out.append(text.substr(at));
            return out;
        }
        std::string_view name = text.substr(tag + 3, end - tag - 3);
        while (!name.empty() && name.front() == ' ')
            name.remove_prefix(1);
        while (!name.empty() && name.back() == ' ')
            name.remove_suffix(1);
        const std::string* body = partial(name);
        out.append(text.substr(at, tag - at));
        if (body != nullptr && !changesDelimiters(*body))
            out.append(*body);
        else
            out.append(text.substr(tag, end + 2 - tag));
        at = end + 2;
    }
}

SiteTemplates::SiteTemplates() {
    for (const BuiltinTemplate& builtin : builtinTemplates())
        texts_.emplace(std::string(builtin.name), std::string(builtin.text));
}

SiteTemplates::SiteTemplates(const SiteTemplates& other) : texts_(other.texts_), paths_(other.paths_) {}

SiteTemplates::~SiteTemplates() = default;

std::string SiteTemplates::useFolder(const std::string& folder) {
    // A folder that is not there would leave every built-in template in place unnoticed.
    if (!platform::pathExists(folder)) return folder + ": not found";
    if (platform::isRegularFile(folder)) return folder + ": is not a folder";
    for (auto& [name, text] : texts_) {
        const std::string path = folder + "/" + name;
        if (!platform::pathExists(path)) continue; // the built-in one stays
        std::string bytes;
        if (std::string reason = platform::readWholeFile(path, bytes); !reason.empty())
            return path + ": " + reason;
        text = std::move(bytes);
        paths_[name] = path;
    }
    parsed_.clear();
    return check();
}

std::string SiteTemplates::check() const {
    for (const auto& [name, text] : texts_) {
        if (!name.ends_with(kSuffix)) continue;
        kainjow::mustache::mustache parsed(text);
        if (parsed.is_valid()) continue;
        const auto path = paths_.find(name);
        return withLine(path == paths_.end() ? name : path->second, text, parsed.error_message());
    }
    return {};
}

std::string withLine(const std::string& file, std::string_view text, const std::string& message) {
    const std::size_t at = message.rfind(" at ");
    std::size_t offset = 0;
    const char* digits = message.data() + (at == std::string::npos ? message.size() : at + 4);
    const char* end = message.data() + message.size();
    const auto [stop, error] = std::from_chars(digits, end, offset);
    if (at == std::string::npos || error != std::errc() || stop != end || offset > text.size())
        return file + ": " + message;
    const auto line = 1 + std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset), '\n');
    return file + ", line " + std::to_string(line) + ": " + message.substr(0, at);
}

const std::string& SiteTemplates::text(std::string_view name) const {
    static const std::string none;
    const auto found = texts_.find(name);
    return found == texts_.end() ? none : found->second;
}

ParsedTemplate& SiteTemplates::parsed(const std::string& name) const {
    std::unique_ptr<ParsedTemplate>& page = parsed_[name];
    if (!page) {
        // The template engine parses a partial anew each time it shows one.
        const auto partial = [this](std::string_view partialName) -> const std::string* {
            for (std::string_view known : kPartials)
                if (partialName == known) return &text(std::string(known) + std::string(kSuffix));
            return nullptr;
        };
        page = std::make_unique<ParsedTemplate>(inlinePartials(text(name), partial));
    }
    return *page;
}

std::optional<std::string> SiteTemplates::renderInLayout(const std::string& file, const TemplateData& page,
                                                         TemplateData& frameData, std::string& html) const {
    const PageData& data = page.value;
    PageData& layout = frameData.value;
    if (text("layout.mustache").find(kBodyMarker) != std::string::npos) return std::nullopt;
    std::string frame;
    layout.set("body", std::string(kBodyMarker));
    if (std::string reason = render("layout.mustache", parsed("layout.mustache"), layout, frame);
        !reason.empty())
        return reason;
    const std::size_t at = frame.find(kBodyMarker);
    if (at == std::string::npos || frame.find(kBodyMarker, at + 1) != std::string::npos) return std::nullopt;
    html.append(frame, 0, at);
    if (std::string reason = render(file, parsed(file), data, html); !reason.empty()) return reason;
    html.append(frame, at + kBodyMarker.size());
    return std::string();
}

std::string SiteTemplates::renderPage(std::string_view name, TemplateData page, const TemplateData& layout,
                                      std::string& html) const {
    PageData& data = page.value;
    // Partials inside partials are left to the template engine.
    for (std::string_view partial : kPartials) {
        const std::string& partialText = text(std::string(partial) + std::string(kSuffix));
        data.set(std::string(partial), kainjow::mustache::partial([&partialText] { return partialText; }));
    }
    const std::string file = std::string(name) + std::string(kSuffix);
    TemplateData frame = layout;
    html.clear();
    if (std::optional<std::string> reason = renderInLayout(file, page, frame, html)) return *reason;
    PageData& whole = frame.value;
    // A layout that escapes the body, or shows it twice, gets it the plain way.
    std::string body;
    if (std::string reason = render(file, parsed(file), data, body); !reason.empty()) return reason;
    whole.set("body", body);
    html.clear();
    return render("layout.mustache", parsed("layout.mustache"), whole, html);
}

std::uint64_t SiteTemplates::fingerprint() const {
    Fingerprint print;
    for (const auto& [name, text] : texts_)
        print.add(name).add(text);
    return print.value();
}

} // namespace boxloom::site
