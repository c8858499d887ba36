#include "export_columns.h"

#include "column_tables.h"

#include <array>
#include <vector>

namespace boxloom {

namespace {

template <ExportFileKind Kind> std::array<std::vector<Column>, 2> withAndWithoutIds() {
    const auto& base = columns::of<Kind>();
    std::array<std::vector<Column>, 2> both{std::vector<Column>(base.begin(), base.end())};
    both[1] = both[0];
    both[1].insert(both[1].end(), columns::kIds.begin(), columns::kIds.end());
    return both;
}

// Every file's columns, without and with the id columns, in the order of ExportFileKind.
using ColumnLists = std::array<std::array<std::vector<Column>, 2>, kExportFileKindCount>;

ColumnLists buildColumnLists() {
    return {withAndWithoutIds<ExportFileKind::BattingStats>(),
            withAndWithoutIds<ExportFileKind::PitchingStats>(),
            withAndWithoutIds<ExportFileKind::FieldingStats>(),
            withAndWithoutIds<ExportFileKind::PitchingSplits>(),
            withAndWithoutIds<ExportFileKind::BattingSplits>()};
}
static_assert(indexOf(ExportFileKind::BattingSplits) == 4 && indexOf(ExportFileKind::PitchingSplits) == 3);

} // namespace

std::span<const Column> columnsOf(ExportFileKind kind, bool withIds) {
    static const ColumnLists lists = buildColumnLists();
    return lists[indexOf(kind)][withIds ? 1 : 0];
}

} // namespace boxloom
