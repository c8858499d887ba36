// The league window's control table and its layout at any size and DPI.

#include "league_controls.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <vector>

namespace boxloom::frontend::league {
namespace {

bool isField(ControlKind kind) {
    return kind == ControlKind::EditBox || kind == ControlKind::SeasonList ||
           kind == ControlKind::FolderList || kind == ControlKind::LogBox;
}

TEST(LeagueControls, EachFieldFollowsTheLabelThatNamesItAndTabFollowsReading) {
    std::vector<ControlDesign> asDesigns;
    std::vector<int> tableOrder;
    std::set<int> ids;
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const ControlDesign& control = kControls[i];
        EXPECT_TRUE(ids.insert(control.id).second) << control.id;
        if (isField(control.kind)) {
            ASSERT_GT(i, 0u);
            EXPECT_EQ(kControls[i - 1].kind, ControlKind::Label) << control.id << " has no label before it";
        }
        asDesigns.push_back({control.id, ControlKind::Label, control.caption, control.rect, 9});
        tableOrder.push_back(control.id);
    }
    EXPECT_EQ(readingOrder(asDesigns), tableOrder);
}

TEST(LeagueControls, AccessKeysAreUniqueAndEveryControlIsInsideTheWindowApart) {
    std::set<char> keys;
    for (const ControlDesign& control : kControls) {
        if (const auto amp = control.caption.find('&'); amp != std::string_view::npos) {
            EXPECT_TRUE(keys.insert(static_cast<char>(std::tolower(control.caption[amp + 1]))).second)
                << control.caption;
        }
        const Rect& r = control.rect;
        EXPECT_GE(r.left, 0);
        EXPECT_GE(r.top, 0);
        EXPECT_LE(r.left + r.width, kDesignClient.width) << control.id;
        EXPECT_LE(r.top + r.height, kDesignClient.height) << control.id;
        for (const ControlDesign& other : kControls) {
            if (&other == &control) continue;
            const Rect& o = other.rect;
            const bool apart = r.left + r.width <= o.left || o.left + o.width <= r.left ||
                               r.top + r.height <= o.top || o.top + o.height <= r.top;
            EXPECT_TRUE(apart) << control.id << " overlaps " << other.id;
        }
    }
}

const ControlDesign& controlOf(int id) {
    for (const ControlDesign& control : kControls)
        if (control.id == id) return control;
    throw std::out_of_range("no control");
}

TEST(LeagueControls, AControlMovesOrStretchesWithTheEdgesItIsAnchoredTo) {
    struct Case {
        int id;
        int dpi;
        Size client;
        Rect expected;
    };
    const Size bigger = {kDesignClient.width + 100, kDesignClient.height + 50};
    const std::vector<Case> cases = {
        {ids::kDatabaseLabel, 96, bigger, {12, 15, 112, 20}},   // held top left
        {ids::kDatabaseBox, 96, bigger, {126, 12, 472, 23}},    // stretched across
        {ids::kBrowseDatabase, 96, bigger, {606, 11, 122, 25}}, // kept at the right
        {ids::kLog, 96, bigger, {12, 532, 716, 126}},           // stretched both ways
        {ids::kLog, 96, {300, 200}, {12, 532, 616, 76}},        // never below the design
        {ids::kBrowseDatabase, 144, {1060, 930}, {759 + 100, 17, 183, 37}},
        {ids::kDatabaseBox, 144, {960, 930}, {189, 18, 558, 35}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(placeControl(controlOf(c.id), c.dpi, c.client), c.expected) << c.id << " at " << c.dpi;
    EXPECT_EQ(designClientAt(144), (Size{960, 930}));
}

} // namespace
} // namespace boxloom::frontend::league
