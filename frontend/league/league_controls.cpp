#include "league_controls.h"

#include <algorithm>

namespace boxloom::frontend::league {

Size designClientAt(int dpi) { return scaleForDpi(kDesignClient, dpi); }

Rect placeControl(const ControlDesign& control, int dpi, Size client) {
    Rect rect = scaleForDpi(control.rect, dpi);
    const Size design = designClientAt(dpi);
    const int wider = std::max(0, client.width - design.width);
    const int taller = std::max(0, client.height - design.height);
    if ((control.anchors & kRight) != 0) {
        if ((control.anchors & kLeft) != 0)
            rect.width += wider;
        else
            rect.left += wider;
    }
    if ((control.anchors & kBottom) != 0) {
        if ((control.anchors & kTop) != 0)
            rect.height += taller;
        else
            rect.top += taller;
    }
    return rect;
}

} // namespace boxloom::frontend::league
