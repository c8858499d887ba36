#pragma once

// The template engine's data. Only the unit that renders templates and the one
// that turns page models into their data include this header: every other
// unit works with the plain page models.

#include <kainjow/mustache.hpp>

#include <string>
#include <utility>

namespace boxloom::site {

using PageData = kainjow::mustache::data;

// A page's data as SiteTemplates takes it (declared there without the engine).
struct TemplateData {
    PageData value;
};

// The template engine's own `set` and `push_back` copy what they are given,
// and a page's data is nested four deep: these move it in instead.
inline void put(PageData& object, const std::string& name, PageData value) {
    if (object.is_object()) object[name] = std::move(value);
}
inline void append(PageData& list, PageData item) {
    // The engine hands out its list only as const, but the list itself is
    // not const: it lives on the heap, owned by `list`.
    if (list.is_list()) const_cast<kainjow::mustache::list&>(list.list_value()).push_back(std::move(item));
}

} // namespace boxloom::site
