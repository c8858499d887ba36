#include "paths.h"

namespace boxloom {

namespace {
std::string_view separators(PathStyle style) { return style == PathStyle::Windows ? "\\/" : "/"; }
} // namespace

std::string joinPath(std::string_view folder, std::string_view name, PathStyle style) {
    std::string path(folder);
    const bool windows = style == PathStyle::Windows;
    const bool endsWithSeparator = !path.empty() && (path.back() == '/' || (windows && path.back() == '\\'));
    if (!endsWithSeparator) path += windows ? '\\' : '/';
    path += name;
    return path;
}

std::string_view folderOf(std::string_view path, PathStyle style) {
    const auto separator = path.find_last_of(separators(style));
    return separator == std::string_view::npos ? std::string_view() : path.substr(0, separator + 1);
}

std::string_view nameOf(std::string_view path, PathStyle style) {
    const auto separator = path.find_last_of(separators(style));
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

} // namespace boxloom
