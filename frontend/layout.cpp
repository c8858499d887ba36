#include "layout.h"

#include <algorithm>

#include <cmath>

namespace boxloom::frontend {

int roundHalfEven(float value) {
    const float floor = std::floor(value);
    const float fraction = value - floor;
    auto whole = static_cast<int>(floor);
    if (fraction > 0.5f || (fraction == 0.5f && whole % 2 != 0)) ++whole;
    return whole;
}

Rect scaleRect(const Rect& first, int firstWidth, int firstHeight, int width, int height) {
    if (firstWidth <= 0 || firstHeight <= 0) return first;
    const double xScale = static_cast<double>(width) / firstWidth;
    const double yScale = static_cast<double>(height) / firstHeight;
    // Each edge is computed in floating point and kept as a float.
    const auto edge = [](double scale, int firstEdge) { return static_cast<float>(scale * firstEdge); };
    const float left = edge(xScale, first.left);
    const float right = edge(xScale, first.left + first.width);
    const float top = edge(yScale, first.top);
    const float bottom = edge(yScale, first.top + first.height);
    return {roundHalfEven(left), roundHalfEven(top), roundHalfEven(right - left),
            roundHalfEven(bottom - top)};
}

int scaleForDpi(int length, int dpi) {
    const long long scaled = static_cast<long long>(length) * dpi;
    const long long half = kDesignDpi / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kDesignDpi : -((-scaled + half) / kDesignDpi));
}

Size scaleForDpi(const Size& size, int dpi) {
    return {scaleForDpi(size.width, dpi), scaleForDpi(size.height, dpi)};
}

Rect scaleForDpi(const Rect& rect, int dpi) {
    const int left = scaleForDpi(rect.left, dpi);
    const int top = scaleForDpi(rect.top, dpi);
    return {left, top, scaleForDpi(rect.left + rect.width, dpi) - left,
            scaleForDpi(rect.top + rect.height, dpi) - top};
}

std::vector<int> readingOrder(std::span<const ControlDesign> controls) {
    std::vector<const ControlDesign*> sorted;
    for (const ControlDesign& control : controls)
        sorted.push_back(&control);
    std::stable_sort(sorted.begin(), sorted.end(), [](const ControlDesign* a, const ControlDesign* b) {
        return a->rect.top < b->rect.top;
    });
    std::vector<int> order;
    for (auto row = sorted.begin(); row != sorted.end();) {
        const int rowTop = (*row)->rect.top;
        auto rowEnd = std::find_if(row, sorted.end(), [rowTop](const ControlDesign* control) {
            return control->rect.top - rowTop > kRowTolerance;
        });
        std::stable_sort(row, rowEnd, [](const ControlDesign* a, const ControlDesign* b) {
            return a->rect.left < b->rect.left;
        });
        for (auto control = row; control != rowEnd; ++control)
            order.push_back((*control)->id);
        row = rowEnd;
    }
    return order;
}

} // namespace boxloom::frontend
