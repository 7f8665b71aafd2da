#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "puzzle/board.h"

namespace {

// The six faces in a fixed order: the horizontal ring, then top and bottom.
std::vector<int> six_faces(int cube) {
    return {faces[cube][0][1], faces[cube][1][1], faces[cube][2][1],
            faces[cube][3][1], faces[cube][1][0], faces[cube][1][2]};
}

bool on_a_ring(int row, int column) {
    return row == 1 || column == 1;
}

// The arrangement's rank among the 720 orders of 1..6.
int arrangement_index(const std::vector<int> &pictures) {
    int index = 0;
    for (size_t i = 0; i < pictures.size(); i++) {
        int smaller_later = 0;
        for (size_t j = i + 1; j < pictures.size(); j++) smaller_later += pictures[j] < pictures[i];
        index = index * int(pictures.size() - i) + smaller_later;
    }
    return index;
}

}  // namespace

TEST(Deal, CubesStandInFourColumnsAndThreeRows) {
    lay_out_cubes(5);
    EXPECT_EQ(cube_x[1], 330);
    EXPECT_EQ(cube_y[1], 120);
    EXPECT_EQ(cube_x[5], 330);
    EXPECT_EQ(cube_y[5], 275);
    EXPECT_EQ(cube_x[12], 795);
    EXPECT_EQ(cube_y[12], 430);
    EXPECT_EQ(cube_x[0], 0);
    EXPECT_EQ(cube_y[0], 0);
}

TEST(Deal, EveryCubeCarriesEachPictureOnceUpright) {
    for (unsigned seed = 1; seed <= 300; seed++) {
        // A board left over from play: every cell dirty, entry 0 included.
        for (int cube = 0; cube <= 12; cube++) {
            for (int row = 0; row < 4; row++) {
                for (int column = 0; column < 4; column++) {
                    faces[cube][row][column] = 7;
                    turns[cube][row][column] = 3;
                }
            }
        }
        srand(seed);
        deal_faces();

        for (int cube = 0; cube <= 12; cube++) {
            SCOPED_TRACE(testing::Message() << "seed " << seed << ", cube " << cube);
            for (int row = 0; row < 4; row++) {
                for (int column = 0; column < 4; column++) {
                    EXPECT_EQ(turns[cube][row][column], 0);
                    if (cube == 0 || !on_a_ring(row, column)) {
                        EXPECT_EQ(faces[cube][row][column], 0) << row << "," << column;
                    }
                }
            }
            if (cube == 0) continue;

            std::vector<int> pictures = six_faces(cube);
            std::sort(pictures.begin(), pictures.end());
            EXPECT_EQ(pictures, (std::vector<int>{1, 2, 3, 4, 5, 6}));
            EXPECT_EQ(faces[cube][1][3], faces[cube][3][1]);

            std::vector<int> ring_lacks;
            for (int picture = 1; picture <= 6; picture++) {
                bool on_ring = false;
                for (int row = 0; row < 4; row++) on_ring |= faces[cube][row][1] == picture;
                if (!on_ring) ring_lacks.push_back(picture);
            }
            std::vector<int> top_and_bottom{faces[cube][1][0], faces[cube][1][2]};
            std::sort(top_and_bottom.begin(), top_and_bottom.end());
            EXPECT_EQ(top_and_bottom, ring_lacks);
        }
    }
}

// Read straight off the generator's stream: each cube's horizontal ring is the
// first four different draws, all twelve rings come first, then each cube's top
// and bottom are the first draws that hit what its ring lacks. The deal must
// take no draw more, since the fronts' counts come next from the same stream.
TEST(Deal, OneSeedDealsOneBoardInTheOrderOfTheDraws) {
    for (unsigned seed : {1u, 42u, 2024u, 99991u}) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        srand(seed);
        std::vector<int> stream;
        for (int i = 0; i < 5000; i++) stream.push_back(rand() % 6 + 1);
        size_t next = 0;

        srand(seed);
        deal_faces();

        std::vector<std::vector<int>> rings(13);
        for (int cube = 1; cube <= 12; cube++) {
            while (rings[cube].size() < 4) {
                int draw = stream[next++];
                if (std::count(rings[cube].begin(), rings[cube].end(), draw) == 0) {
                    rings[cube].push_back(draw);
                }
            }
            for (int row = 0; row < 4; row++) EXPECT_EQ(faces[cube][row][1], rings[cube][row]);
        }
        for (int cube = 1; cube <= 12; cube++) {
            std::vector<int> seen = rings[cube];
            for (int column : {0, 2}) {
                int draw;
                do draw = stream[next++];
                while (std::count(seen.begin(), seen.end(), draw) != 0);
                seen.push_back(draw);
                EXPECT_EQ(faces[cube][1][column], draw) << "cube " << cube << " column " << column;
            }
        }
        EXPECT_EQ(rand() % 6 + 1, stream[next]) << "the deal took " << next << " draws";
    }
}

// With 50 cubes expected per arrangement, the chi-square statistic over 720
// cells (719 degrees of freedom, mean 719, deviation about 38) stays far below
// 950 for a fair deal; one that favoured a cell or a picture would overshoot,
// and one that walked through the arrangements in turn would fall under 500.
TEST(Deal, AllSevenHundredTwentyArrangementsEquallyLikely) {
    const int deals = 3000;
    std::vector<int> count(720, 0);
    srand(7);
    for (int deal = 0; deal < deals; deal++) {
        deal_faces();
        for (int cube = 1; cube <= 12; cube++) {
            count[arrangement_index(six_faces(cube))]++;
        }
    }
    double expected = deals * 12 / 720.0;
    double chi_square = 0;
    for (int observed : count)
        chi_square += (observed - expected) * (observed - expected) / expected;
    EXPECT_EQ(std::count(count.begin(), count.end(), 0), 0);
    EXPECT_LT(chi_square, 950.0);
    EXPECT_GT(chi_square, 500.0);
}
