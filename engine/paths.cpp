#include "file_layer.h"

namespace boxloom {

std::string joinPath(std::string_view folder, std::string_view name, PathStyle style) {
    std::string path(folder);
    const bool windows = style == PathStyle::Windows;
    const bool endsWithSeparator = !path.empty() && (path.back() == '/' || (windows && path.back() == '\\'));
    if (!endsWithSeparator) path += windows ? '\\' : '/';
    path += name;
    return path;
}

} // namespace boxloom
