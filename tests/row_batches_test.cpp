// The values a row's typed fields become on their way into SQLite.

#include "row_batches.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace boxloom::database {
namespace {

using Kind = StoredValue::Kind;

struct Expected {
    Kind kind;
    std::string text;
    std::int64_t integer = 0;
    double real = 0;
};

std::vector<StoredValue> valuesOf(const RowBatch& batch) {
    std::vector<StoredValue> values;
    batch.forEachRow([&](const RowBatch::Row& row) { values.assign(row.values.begin(), row.values.end()); });
    return values;
}

void expectValue(const StoredValue& value, const Expected& expected, const std::string& name) {
    ASSERT_EQ(value.kind(), expected.kind) << name;
    switch (expected.kind) {
    case Kind::Text: EXPECT_EQ(value.text(), expected.text) << name; break;
    case Kind::Integer: EXPECT_EQ(value.integer(), expected.integer) << name; break;
    case Kind::Real: EXPECT_EQ(value.real(), expected.real) << name; break;
    case Kind::Null: break;
    }
}

TEST(RowBatch, StoresEachFieldAsItsTableHoldsIt) {
    struct Case {
        const char* name;
        Field field;
        std::vector<Expected> values; // the outs behind IP come after the row's fields
    };
    const std::vector<Case> cases = {
        {"ascii text", Field::ofText("Stewart,Adam"), {{Kind::Text, "Stewart,Adam"}}},
        {"windows-1252 text",
         Field::ofText("Pe\xf1"
                       "a"),
         {{Kind::Text, "Pe\xc3\xb1"
                       "a"}}},
        {"year", Field::ofYear("2031", 2031), {{Kind::Integer, "", 2031}}},
        {"no year", Field::ofYear("    ", 0), {{Kind::Null, ""}}},
        {"number", Field::ofNumber(-7), {{Kind::Integer, "", -7}}},
        {"rate as printed", Field::ofRate(1.0f / 3, kMaskRate), {{Kind::Real, "", 0, 0.333}}},
        {"rate rounded up", Field::ofRate(2.0f / 3, kMaskRate), {{Kind::Real, "", 0, 0.667}}},
        {"innings", Field::ofInnings(20, kMaskInnings), {{Kind::Text, "6.2"}, {Kind::Integer, "", 20}}},
        {"blank", Field::blank(), {{Kind::Null, ""}}},
        {"grouped", Field::grouped(), {{Kind::Null, ""}}},
    };
    for (const Case& c : cases) {
        RowBatch batch;
        const Field fields[] = {c.field};
        batch.add(ExportFileKind::PitchingStats, fields);
        const auto values = valuesOf(batch);
        ASSERT_EQ(values.size(), c.values.size()) << c.name;
        for (std::size_t i = 0; i < values.size(); ++i)
            expectValue(values[i], c.values[i], c.name);
    }
}

// Texts are copied into the batch: they outlive the engine's buffers, across
// many storage blocks, one text longer than a block, and a batch used again.
TEST(RowBatch, KeepsEveryTextUntilCleared) {
    RowBatch batch;
    for (int round = 0; round < 2; ++round) {
        std::vector<std::string> texts;
        for (int i = 0; i < 3000; ++i)
            texts.push_back(std::to_string(round) + "-" + std::string(static_cast<std::size_t>(i % 97), 'a'));
        texts.push_back(std::string(100000, 'z'));
        for (const std::string& text : texts) {
            std::string passing = text; // gone once the row is added
            const Field fields[] = {Field::ofText(passing), Field::ofNumber(1)};
            batch.add(ExportFileKind::BattingStats, fields);
        }
        std::size_t row = 0;
        batch.forEachRow([&](const RowBatch::Row& stored) {
            ASSERT_EQ(stored.kind, ExportFileKind::BattingStats);
            ASSERT_EQ(stored.values.size(), 2u);
            EXPECT_EQ(stored.values[0].text(), texts[row]) << row;
            ++row;
        });
        EXPECT_EQ(row, texts.size());
        EXPECT_TRUE(batch.full());
        batch.clear();
        EXPECT_TRUE(batch.empty());
    }
}

} // namespace
} // namespace boxloom::database
