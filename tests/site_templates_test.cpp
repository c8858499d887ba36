// Pages are rendered with the partials written into their templates and the
// body rendered into its place in the layout; both must give what the template
// engine itself gives.

#include "row_classes.h"
#include "site_templates.h"
#include "template_data.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <map>

namespace boxloom::site {
namespace {

const std::map<std::string, std::string, std::less<>> kPartialTexts = {
    {"row", "<td>{{name}}</td>\n"},
    {"nested", "[{{>row}}]"},
    {"odd", "{{=<% %>=}}<%name%>"},
};

const std::string* partialText(std::string_view name) {
    const auto found = kPartialTexts.find(name);
    return found == kPartialTexts.end() ? nullptr : &found->second;
}

PageData sampleData() {
    PageData data;
    PageData rows{PageData::type::list};
    for (const char* name : {"a&b", "c"}) {
        PageData row;
        row.set("name", std::string(name));
        rows.push_back(row);
    }
    data.set("rows", rows);
    data.set("name", std::string("top"));
    for (const auto& [name, text] : kPartialTexts) {
        const std::string& partial = text;
        data.set(name, kainjow::mustache::partial([&partial] { return partial; }));
    }
    return data;
}

std::string rendered(const std::string& text) {
    kainjow::mustache::mustache page(text);
    return page.is_valid() ? page.render(sampleData()) : "invalid: " + page.error_message();
}

TEST(SiteTemplates, InlinedPartialsRenderAsTheEngineRendersThem) {
    struct Case {
        std::string text;
        std::string inlined; // "" when the text stays as it is
    };
    const std::vector<Case> cases = {
        {"<tr>\n{{>row}}\n</tr>\n", "<tr>\n<td>{{name}}</td>\n\n</tr>\n"},
        {"{{#rows}}{{>row}}{{/rows}}end", "{{#rows}}<td>{{name}}</td>\n{{/rows}}end"},
        {"{{#rows}}\n{{> row }}\n{{/rows}}\n", "{{#rows}}\n<td>{{name}}</td>\n\n{{/rows}}\n"},
        // A partial inside a partial is left to the engine.
        {"{{#rows}}{{>nested}}{{/rows}}", "{{#rows}}[{{>row}}]{{/rows}}"},
        // Unknown partials, unfinished tags and changed delimiters stay.
        {"a{{>missing}}b", "a{{>missing}}b"},
        {"{{>odd}}", "{{>odd}}"},
        {"{{=<% %>=}}<%>row%>", ""},
        {"{{>row", ""},
    };
    for (const Case& c : cases) {
        const std::string inlined = inlinePartials(c.text, partialText);
        EXPECT_EQ(inlined, c.inlined.empty() ? c.text : c.inlined) << c.text;
        EXPECT_EQ(rendered(inlined), rendered(c.text)) << c.text;
    }
}

TEST(SiteTemplates, TheBodyTakesItsPlaceInAnyLayout) {
    struct Case {
        std::string layout;
        std::string page;
    };
    const std::vector<Case> cases = {
        {"<html>{{title}}\n{{{body}}}\n</html>\n", "<html>T&amp;U\n<p>a&amp;b & <i></p>\n\n</html>\n"},
        {"[{{body}}]", "[&lt;p&gt;a&amp;amp;b &amp; &lt;i&gt;&lt;/p&gt;\n]"},
        {"{{{body}}}|{{{body}}}", "<p>a&amp;b & <i></p>\n|<p>a&amp;b & <i></p>\n"},
        {"{{#title}}<{{{body}}}>{{/title}}", "<<p>a&amp;b & <i></p>\n>"},
        {"no body", "no body"},
    };
    for (const Case& c : cases) {
        testing::TempFolder folder;
        testing::writeFile(folder.file("layout.mustache"), c.layout);
        testing::writeFile(folder.file("glossary.mustache"), "<p>{{term}} {{{raw}}}</p>\n");
        SiteTemplates templates;
        ASSERT_EQ(templates.useFolder(folder.str()), "");
        PageData data;
        data.set("term", std::string("a&b"));
        data.set("raw", std::string("& <i>"));
        PageData layout;
        layout.set("title", std::string("T&U"));
        std::string html = "left from before";
        EXPECT_EQ(templates.renderPage("glossary", {data}, {layout}, html), "");
        EXPECT_EQ(html, c.page) << c.layout;
    }
}

// The template engine places a fault by character; a user looks for a line.
TEST(SiteTemplates, AFaultIsPlacedByItsLine) {
    const std::string text = "<p>\n{{#a}}\n<b>{{/b}}";
    struct Case {
        std::string message;
        std::string shown;
    };
    const std::vector<Case> cases = {
        {"Unclosed tag at 0", "t.mustache, line 1: Unclosed tag"},
        {"Unclosed section \"a\" at 4", "t.mustache, line 2: Unclosed section \"a\""},
        {"Unopened section \"b\" at 16", "t.mustache, line 3: Unopened section \"b\""},
        {"Unclosed tag at 99", "t.mustache: Unclosed tag at 99"}, // past the text: as it came
        {"Something else", "t.mustache: Something else"},
        {"Unclosed tag at 4x", "t.mustache: Unclosed tag at 4x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(withLine("t.mustache", text, c.message), c.shown) << c.message;
}

// The row classes the pages give are the ones the styles and the page script act on.
TEST(SiteTemplates, TheStylesAndThePageScriptNameTheRowClassesThePagesGive) {
    std::map<std::string_view, std::string_view> texts;
    for (const BuiltinTemplate& file : builtinTemplates())
        texts[file.name] = file.text;
    const std::string css(texts["site.css"]), script(texts["site.js"]);
    ASSERT_FALSE(css.empty() || script.empty());
    const std::pair<std::string_view, const std::string*> uses[] = {
        {row_classes::kTotal, &css},
        {row_classes::kTradedTotal, &css},
        {row_classes::kUnqualified, &css},
        {row_classes::kTradedPart, &script},
    };
    for (const auto& [name, text] : uses) {
        const std::string selector =
            text == &css ? "tr." + std::string(name) + " " : "\"" + std::string(name) + "\"";
        EXPECT_NE(text->find(selector), std::string::npos) << selector;
    }
}

} // namespace
} // namespace boxloom::site
