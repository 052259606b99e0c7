// Sliding after a removal: each level's direction, the order of two gaps in one line, and
// the level 7 rule that sends column 10 one way in a shared row and the other way apart.
#include <gtest/gtest.h>

#include <utility>

#include "tests/support/fake_host.h"

namespace tilvara::test {
namespace {

SlideModes ModesOfLevel(int level) {
    SlideModes m;
    if (ModeOfLevel[level] != nullptr) m.*ModeOfLevel[level] = true;
    return m;
}

CellPictures PicturesOf(const Board& board) {
    CellPictures pics{};
    for (int row = 1; row <= tilvara::Rows; ++row) {
        for (int col = 1; col <= Cols; ++col) {
            pics[IndexOf(row, col)].face = {board(row, col), false};
            pics[IndexOf(row, col)].visible = board(row, col) != 0;
        }
    }
    return pics;
}

struct SlideCase {
    const char* name;
    int level;
    const char* before;
    Cell first, second;  // the removed pair, in click order
    const char* after;
};
void PrintTo(const SlideCase& c, std::ostream* os) { *os << c.name; }

class SlideCases : public ::testing::TestWithParam<SlideCase> {};

// The same board comes out whichever tile of the pair was clicked first, and every picture
// travels with its tile.
TEST_P(SlideCases, ClosesBothGapsInEitherClickOrder) {
    const SlideCase& c = GetParam();
    for (const bool swapped : {false, true}) {
        Cell a = c.first, b = c.second;
        if (swapped) std::swap(a, b);
        Board board = Picture(c.before);
        CellPictures pics = PicturesOf(board);
        for (const Cell gap : {a, b}) {
            board(gap.row, gap.col) = 0;
            pics[IndexOf(gap.row, gap.col)].visible = false;
        }
        SlideAfterRemoval(ModesOfLevel(c.level), board, pics, a.row, a.col, b.row, b.col);
        EXPECT_EQ(board.ToPicture(), Picture(c.after).ToPicture()) << "swapped " << swapped;
        for (int row = 1; row <= tilvara::Rows; ++row) {
            for (int col = 1; col <= Cols; ++col) {
                const CellPicture& pic = pics[IndexOf(row, col)];
                EXPECT_EQ(pic.visible, board(row, col) != 0) << row << "," << col;
                if (pic.visible) {
                    EXPECT_EQ(pic.face.kind, board(row, col)) << row << "," << col;
                }
            }
        }
    }
}

constexpr const char* FullColumn = "A/B/C/D/E/F/G/H";
constexpr const char* TwoColumns = "AI/BJ/CK/DL/EM/FN/GO/HP";
constexpr const char* FullRow = "ABCDEFGHIJKLMNOPQR";

INSTANTIATE_TEST_SUITE_P(
    Slide, SlideCases,
    ::testing::Values(
        SlideCase{"Level1MovesNothing", 1, FullColumn, {3, 1}, {6, 1}, "A/B/./D/E/./G/H"},
        SlideCase{"UpFullColumn", 2, FullColumn, {3, 1}, {6, 1}, "A/B/D/E/G/H/./."},
        SlideCase{"UpTwoColumns", 2, TwoColumns, {3, 1}, {6, 2}, "AI/BJ/DK/EL/FM/GO/HP/.."},
        SlideCase{"UpStopsAtAnEmptyCell", 2, "A/B/C/./E/F/G/H", {3, 1}, {6, 1}, "A/B/././E/G/H/."},
        SlideCase{"DownFullColumn", 3, FullColumn, {3, 1}, {6, 1}, "././A/B/D/E/G/H"},
        SlideCase{"DownSparseColumn", 3, "A/./C/D/E/F/G/H", {4, 1}, {7, 1}, "A/./././C/E/F/H"},
        SlideCase{"LeftFullRow", 4, FullRow, {1, 3}, {1, 8}, "ABDEFGIJKLMNOPQR.."},
        SlideCase{"LeftRunEndsAtAHole", 4, "ABCD.FG/HIJ", {1, 2}, {2, 1}, "ACD..FG/IJ."},
        SlideCase{"RightSameRow", 5, "ABCDEF", {1, 2}, {1, 5}, "..ACDF"},
        SlideCase{"RightTwoRows", 5, "ABC.E/FGH", {1, 3}, {2, 2}, ".AB.E/.FH"},
        SlideCase{"MiddleVFullColumn", 6, FullColumn, {2, 1}, {7, 1}, "./A/C/D/E/F/H/."},
        SlideCase{"MiddleVBothLower", 6, FullColumn, {5, 1}, {7, 1}, "A/B/C/D/F/H/./."},
        SlideCase{"MiddleVBothUpper", 6, FullColumn, {2, 1}, {4, 1}, "././A/C/E/F/G/H"},
        SlideCase{"MiddleVTwoColumns", 6, TwoColumns, {3, 1}, {6, 2}, ".I/AJ/BK/DL/EM/FO/GP/H."},
        SlideCase{"MiddleVNeighboursOfTheMiddle",
                  6,
                  "A/B/./D/E/./G/H",
                  {4, 1},
                  {5, 1},
                  "A/B/././././G/H"},
        SlideCase{"MiddleHFullRow", 7, FullRow, {1, 5}, {1, 12}, ".ABCDFGHIJKMNOPQR."},
        SlideCase{"MiddleHBothRight", 7, FullRow, {1, 12}, {1, 15}, "ABCDEFGHIJKMNPQR.."},
        SlideCase{"MiddleHBothLeft", 7, FullRow, {1, 3}, {1, 7}, "..ABDEFHIJKLMNOPQR"},
        SlideCase{
            "MiddleHSparseRow", 7, "AB.DEFGHIJKL.NOPQR", {1, 5}, {1, 12}, "AB..DFGHIJK..NOPQR"},
        // In a shared row column 10 is the right half and is closed from the right...
        SlideCase{"MiddleHColumn10SameRow", 7, FullRow, {1, 10}, {1, 5}, ".ABCDFGHIKLMNOPQR."},
        // ...in different rows it is closed from the left, column 11 from the right.
        SlideCase{"MiddleHColumn10OtherRows",
                  7,
                  "ABCDEFGHIJKLMNOPQR/STU",
                  {1, 10},
                  {2, 2},
                  ".ABCDEFGHIKLMNOPQR/.SU"},
        SlideCase{"MiddleHColumn11OtherRows",
                  7,
                  "ABCDEFGHIJKLMNOPQR/STU",
                  {1, 11},
                  {2, 2},
                  "ABCDEFGHIJLMNOPQR./.SU"}),
    [](const auto& info) { return std::string(info.param.name); });

// The moving coordinate comes back where the gap ended, and a highlighted face moves with
// its tile.
TEST(CloseGap, EndsWhereTheRunEndsAndCarriesFaces) {
    Board board = Picture("A/B/./D/E/F/./H");
    CellPictures pics = PicturesOf(board);
    pics[IndexOf(4, 1)].face.highlighted = true;
    int row = 3, col = 1;
    CloseGapUp(board, pics, row, col);
    EXPECT_EQ(row, 6);
    EXPECT_EQ(col, 1);
    EXPECT_EQ(board.ToPicture(), Picture("A/B/D/E/F/././H").ToPicture());
    EXPECT_EQ(pics[IndexOf(3, 1)].face, (Face{4, true}));
    EXPECT_FALSE(pics[IndexOf(6, 1)].visible);
}

// Through the game: a removal in level 2 slides its column, level 1 leaves the gaps.
TEST(SlideInPlay, TheLevelsModeDecidesWhatMoves) {
    for (const int level : {1, 2}) {
        Rig rig;
        if (level == 1)
            rig.game.hard1_Click();
        else
            rig.game.hard2_Click();
        rig.Place("AB/CB/AD/DC");
        rig.Click(1, 1);
        rig.Click(3, 1);
        const char* expected = level == 1 ? ".B/CB/.D/DC" : "CB/DB/.D/.C";
        EXPECT_EQ(rig.game.board.ToPicture(), Picture(expected).ToPicture()) << level;
        EXPECT_TRUE(rig.game.IsConsistent());
    }
}

}  // namespace
}  // namespace tilvara::test
