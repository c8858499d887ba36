#pragma once

// The league window's controls, written once as data: the window creates them
// in this order, which is also the tab order, and each field comes after the
// label that names it (screen readers name a control by the label before it).

#include "control_table.h"
#include "layout.h"
#include "season_list.h"

#include <array>
#include <string_view>

namespace boxloom::frontend::league {

enum class Kind { Label, EditBox, PushButton, SeasonList, FolderList, ProgressBar, StatusLine, LogBox };

// Which edges of the client area a control keeps its distance to; a control
// held at both edges of a direction stretches with the window.
enum Anchor : unsigned { kLeft = 1, kRight = 2, kTop = 4, kBottom = 8 };

struct Control {
    int id;
    Kind kind;
    std::string_view caption;
    Rect rect; // at 96 DPI in the design client area
    unsigned anchors = kLeft | kTop;
};

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

inline constexpr std::array<Control, 29> kControls = {{
    {ids::kDatabaseLabel, Kind::Label, "League &database:", {12, 15, 112, 20}},
    {ids::kDatabaseBox, Kind::EditBox, "", {126, 12, 372, 23}, kAcross},
    {ids::kBrowseDatabase, Kind::PushButton, "&Browse...", {506, 11, 122, 25}, kAtRight},
    {ids::kSeasonsLabel, Kind::Label, "Seasons in the database:", {12, 44, 300, 20}},
    {ids::kSeasonList, Kind::SeasonList, "", {12, 64, 486, 128}, kAcross},
    {ids::kRemoveSeason, Kind::PushButton, "&Remove Season", {506, 64, 122, 25}, kAtRight},
    {ids::kFoldersLabel, Kind::Label, "Season folders to import (F2 edits a label):", {12, 202, 400, 20}},
    {ids::kFolderList, Kind::FolderList, "", {12, 222, 486, 96}, kAcross},
    {ids::kAddFolder, Kind::PushButton, "Add Season &Folder...", {506, 222, 122, 25}, kAtRight},
    {ids::kImport, Kind::PushButton, "&Import", {506, 254, 122, 25}, kAtRight},
    {ids::kSiteFolderLabel, Kind::Label, "&Site folder:", {12, 333, 112, 20}},
    {ids::kSiteFolderBox, Kind::EditBox, "", {126, 330, 372, 23}, kAcross},
    {ids::kBrowseSiteFolder, Kind::PushButton, "Br&owse...", {506, 329, 122, 25}, kAtRight},
    {ids::kTitleLabel, Kind::Label, "League &name:", {12, 362, 112, 20}},
    {ids::kTitleBox, Kind::EditBox, "", {126, 359, 200, 23}},
    {ids::kGamesLabel, Kind::Label, "&Games per team:", {338, 362, 104, 20}},
    {ids::kGamesBox, Kind::EditBox, "", {444, 359, 54, 23}},
    {ids::kGamesFound, Kind::Label, "", {506, 362, 122, 20}, kAtRight},
    {ids::kTemplatesLabel, Kind::Label, "&Templates folder:", {12, 391, 112, 20}},
    {ids::kTemplatesBox, Kind::EditBox, "", {126, 388, 372, 23}, kAcross},
    {ids::kBrowseTemplates, Kind::PushButton, "Bro&wse...", {506, 387, 122, 25}, kAtRight},
    {ids::kBuildSite, Kind::PushButton, "B&uild Site", {126, 420, 110, 27}},
    {ids::kOpenSite, Kind::PushButton, "O&pen Site", {244, 420, 110, 27}},
    {ids::kOpenFolder, Kind::PushButton, "Open Fold&er", {362, 420, 110, 27}},
    {ids::kProgress, Kind::ProgressBar, "", {12, 462, 486, 20}, kAcross},
    {ids::kCancel, Kind::PushButton, "Cancel", {506, 459, 122, 27}, kAtRight},
    {ids::kStatus, Kind::StatusLine, "Ready.", {12, 490, 616, 20}, kAcross},
    {ids::kLogLabel, Kind::Label, "&Log:", {12, 514, 112, 18}},
    {ids::kLog, Kind::LogBox, "", {12, 532, 616, 76}, kLeft | kRight | kTop | kBottom},
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
Rect placeControl(const Control& control, int dpi, Size client);

// The window's client area at `dpi`, and the least it may be made.
Size designClientAt(int dpi);

} // namespace boxloom::frontend::league
