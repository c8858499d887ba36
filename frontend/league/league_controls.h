#pragma once

// The league window's controls, written once as data: the window creates them
// in this order, which is also the tab order, and each field comes after the
// label that names it (screen readers name a control by the label before it).

#include "control_design.h"
#include "layout.h"
#include "season_list.h"

#include <array>
#include <string_view>

namespace boxloom::frontend::league {

namespace ids {
inline constexpr int kDatabaseLabel = 2000;
inline constexpr int kDatabaseBox = 2001;
inline constexpr int kBrowseDatabase = 2002;
inline constexpr int kSeasonsLabel = 2003;
inline constexpr int kSeasonList = 2004;
inline constexpr int kRemoveSeason = 2005;
inline constexpr int kFoldersLabel = 2006;
inline constexpr int kFolderList = 2007;
inline constexpr int kAddFolder = 2008;
inline constexpr int kImport = 2009;
inline constexpr int kSiteFolderLabel = 2010;
inline constexpr int kSiteFolderBox = 2011;
inline constexpr int kBrowseSiteFolder = 2012;
inline constexpr int kTitleLabel = 2013;
inline constexpr int kTitleBox = 2014;
inline constexpr int kGamesLabel = 2015;
inline constexpr int kGamesBox = 2016;
inline constexpr int kGamesFound = 2017;
inline constexpr int kTemplatesLabel = 2018;
inline constexpr int kTemplatesBox = 2019;
inline constexpr int kBrowseTemplates = 2020;
inline constexpr int kBuildSite = 2021;
inline constexpr int kOpenSite = 2022;
inline constexpr int kOpenFolder = 2023;
inline constexpr int kProgress = 2024;
inline constexpr int kCancel = 2025;
inline constexpr int kStatus = 2026;
inline constexpr int kLogLabel = 2027;
inline constexpr int kLog = 2028;
} // namespace ids

inline constexpr std::string_view kWindowClassName = "BoxloomLeagueWindow";
inline constexpr std::string_view kWindowCaption = "Boxloom League Database and Web Site";
inline constexpr Size kDesignClient = {640, 620};

inline constexpr unsigned kAcross = kLeft | kRight | kTop;
inline constexpr unsigned kAtRight = kRight | kTop;

inline constexpr std::array<ControlDesign, 29> kControls = {{
    anchored(ids::kDatabaseLabel, ControlKind::Label, "League &database:", {12, 15, 112, 20}),
    anchored(ids::kDatabaseBox, ControlKind::EditBox, "", {126, 12, 372, 23}, kAcross),
    anchored(ids::kBrowseDatabase, ControlKind::PushButton, "&Browse...", {506, 11, 122, 25}, kAtRight),
    anchored(ids::kSeasonsLabel, ControlKind::Label, "Seasons in the database:", {12, 44, 300, 20}),
    anchored(ids::kSeasonList, ControlKind::SeasonList, "", {12, 64, 486, 128}, kAcross),
    anchored(ids::kRemoveSeason, ControlKind::PushButton, "&Remove Season", {506, 64, 122, 25}, kAtRight),
    anchored(ids::kFoldersLabel, ControlKind::Label,
             "Season folders to import (F2 edits a label):", {12, 202, 400, 20}),
    anchored(ids::kFolderList, ControlKind::FolderList, "", {12, 222, 486, 96}, kAcross),
    anchored(ids::kAddFolder, ControlKind::PushButton, "Add Season &Folder...", {506, 222, 122, 25},
             kAtRight),
    anchored(ids::kImport, ControlKind::PushButton, "&Import", {506, 254, 122, 25}, kAtRight),
    anchored(ids::kSiteFolderLabel, ControlKind::Label, "&Site folder:", {12, 333, 112, 20}),
    anchored(ids::kSiteFolderBox, ControlKind::EditBox, "", {126, 330, 372, 23}, kAcross),
    anchored(ids::kBrowseSiteFolder, ControlKind::PushButton, "Br&owse...", {506, 329, 122, 25}, kAtRight),
    anchored(ids::kTitleLabel, ControlKind::Label, "League &name:", {12, 362, 112, 20}),
    anchored(ids::kTitleBox, ControlKind::EditBox, "", {126, 359, 200, 23}),
    anchored(ids::kGamesLabel, ControlKind::Label, "&Games per team:", {338, 362, 104, 20}),
    anchored(ids::kGamesBox, ControlKind::EditBox, "", {444, 359, 54, 23}),
    anchored(ids::kGamesFound, ControlKind::Label, "", {506, 362, 122, 20}, kAtRight),
    anchored(ids::kTemplatesLabel, ControlKind::Label, "&Templates folder:", {12, 391, 112, 20}),
    anchored(ids::kTemplatesBox, ControlKind::EditBox, "", {126, 388, 372, 23}, kAcross),
    anchored(ids::kBrowseTemplates, ControlKind::PushButton, "Bro&wse...", {506, 387, 122, 25}, kAtRight),
    anchored(ids::kBuildSite, ControlKind::PushButton, "B&uild Site", {126, 420, 110, 27}),
    anchored(ids::kOpenSite, ControlKind::PushButton, "O&pen Site", {244, 420, 110, 27}),
    anchored(ids::kOpenFolder, ControlKind::PushButton, "Open Fold&er", {362, 420, 110, 27}),
    anchored(ids::kProgress, ControlKind::ProgressBar, "", {12, 462, 486, 20}, kAcross),
    anchored(ids::kCancel, ControlKind::PushButton, "Cancel", {506, 459, 122, 27}, kAtRight),
    anchored(ids::kStatus, ControlKind::StatusLine, "Ready.", {12, 490, 616, 20}, kAcross),
    anchored(ids::kLogLabel, ControlKind::Label, "&Log:", {12, 514, 112, 18}),
    anchored(ids::kLog, ControlKind::LogBox, "", {12, 532, 616, 76}, kLeft | kRight | kTop | kBottom),
}};

// The season list's columns, in order.
struct Column {
    std::string_view caption;
    int width; // at 96 DPI
    bool numeric;
};
// Captions as the database's season list names them, widths this window's own.
inline constexpr std::array<int, database::kSeasonListColumns.size()> kSeasonColumnWidths = {70, 46, 46, 56,
                                                                                             64, 50, 132};
inline constexpr std::array<Column, kSeasonColumnWidths.size()> kSeasonColumns = [] {
    std::array<Column, kSeasonColumnWidths.size()> columns{};
    for (std::size_t i = 0; i < columns.size(); ++i)
        columns[i] = {database::kSeasonListColumns[i].caption, kSeasonColumnWidths[i],
                      database::kSeasonListColumns[i].numeric};
    return columns;
}();
inline constexpr std::array<Column, 2> kFolderColumns = {{{"Label", 110, false}, {"Folder", 370, false}}};

// A control's rectangle at `dpi` in a client area of `client`: scaled from its
// design, then moved or stretched with the edges it is anchored to. The client
// area is never smaller than the design's at that DPI.
Rect placeControl(const ControlDesign& control, int dpi, Size client);

// The window's client area at `dpi`, and the least it may be made.
Size designClientAt(int dpi);

} // namespace boxloom::frontend::league
