#include "support/solver.h"

#include <cstdint>
#include <deque>
#include <unordered_map>

#include "puzzle/board.h"
#include "puzzle/rotation.h"

namespace {

// Only the seven ring cells ever change, so a cube's whole state packs into
// 35 bits: three for the picture and two for the quarter-turn of each.
const int ring_cells[7][2] = {{0, 1}, {1, 1}, {2, 1}, {3, 1}, {1, 0}, {1, 2}, {1, 3}};

}  // namespace

uint64_t cube_state(int cube) {
    uint64_t state = 0;
    for (const auto &cell : ring_cells) {
        state = state << 3 | faces[cube][cell[0]][cell[1]];
        state = state << 2 | turns[cube][cell[0]][cell[1]];
    }
    return state;
}

void set_cube_state(int cube, uint64_t state) {
    for (int i = 6; i >= 0; i--) {
        turns[cube][ring_cells[i][0]][ring_cells[i][1]] = state & 3;
        state >>= 2;
        faces[cube][ring_cells[i][0]][ring_cells[i][1]] = state & 7;
        state >>= 3;
    }
}

std::vector<int> solve_cube(int cube, int picture) {
    uint64_t start = cube_state(cube);
    // Each reached state remembers the state it came from and the drag taken.
    std::unordered_map<uint64_t, std::pair<uint64_t, int>> came_from{{start, {start, 0}}};
    std::deque<uint64_t> queue{start};
    std::vector<int> drags;
    // A cube of correct rules reaches fewer than 100000 states; past that the
    // rules are broken and the search gives up rather than eat time and memory.
    while (!queue.empty() && came_from.size() < 200000) {
        uint64_t state = queue.front();
        queue.pop_front();
        set_cube_state(cube, state);
        if (faces[cube][1][1] == picture && turns[cube][1][1] == 0) {
            for (uint64_t at = state; at != start; at = came_from[at].first) {
                drags.insert(drags.begin(), came_from[at].second);
            }
            break;
        }
        for (int direction = direction_right; direction <= direction_down; direction++) {
            set_cube_state(cube, state);
            rotate_cube(cube, direction);
            uint64_t next = cube_state(cube);
            if (came_from.emplace(next, std::make_pair(state, direction)).second) {
                queue.push_back(next);
            }
        }
    }
    set_cube_state(cube, start);
    return drags;
}

std::vector<std::pair<int, int>> solve_picture(int picture) {
    std::vector<std::pair<int, int>> drags;
    for (int cube = 1; cube <= 12; cube++) {
        std::vector<int> cube_drags = solve_cube(cube, picture);
        bool upright = faces[cube][1][1] == picture && turns[cube][1][1] == 0;
        if (cube_drags.empty() && !upright) return {};
        for (int direction : cube_drags) drags.emplace_back(cube, direction);
    }
    return drags;
}
