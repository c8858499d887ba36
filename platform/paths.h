#pragma once

#include <string>
#include <string_view>

namespace boxloom {

enum class PathStyle { Windows, Posix };
#ifdef _WIN32
inline constexpr PathStyle kNativePathStyle = PathStyle::Windows;
#else
inline constexpr PathStyle kNativePathStyle = PathStyle::Posix;
#endif

// Adds one separator between folder and name unless the folder already ends in one.
std::string joinPath(std::string_view folder, std::string_view name, PathStyle style = kNativePathStyle);
// The folder part with its final separator ("" for a bare name), and the name after it.
std::string_view folderOf(std::string_view path, PathStyle style = kNativePathStyle);
std::string_view nameOf(std::string_view path, PathStyle style = kNativePathStyle);

} // namespace boxloom
