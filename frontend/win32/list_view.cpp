#include "list_view.h"

#include <commctrl.h>

namespace boxloom::frontend::league {

std::string wideToUtf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return {};
    std::string utf8(static_cast<std::size_t>(size - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

void addColumns(HWND list, std::span<const Column> columns, int dpi) {
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER,
                 LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        std::string caption(columns[i].caption);
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        column.fmt = columns[i].numeric ? LVCFMT_RIGHT : LVCFMT_LEFT;
        column.cx = scaleForDpi(columns[i].width, dpi);
        column.pszText = caption.data();
        column.iSubItem = static_cast<int>(i);
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}

void scaleColumns(HWND list, std::span<const Column> columns, int dpi) {
    for (std::size_t i = 0; i < columns.size(); ++i)
        SendMessageA(list, LVM_SETCOLUMNWIDTH, i, MAKELPARAM(scaleForDpi(columns[i].width, dpi), 0));
}

void setRow(HWND list, int row, std::span<const std::string> cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        std::string text = cells[i];
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.iSubItem = static_cast<int>(i);
        item.pszText = text.data();
        if (i == 0)
            SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        else
            SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    }
}

int selectedRow(HWND list) {
    return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

} // namespace boxloom::frontend::league
