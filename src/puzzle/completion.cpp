#include "puzzle/board.h"
#include "puzzle/progress.h"

completion_verdict judge_completion() {
    completion_verdict verdict{0, 0, false};
    for (int picture = 1; picture <= 6; picture++) {
        // A front counts only when it carries the picture and stands upright.
        int missing = 0;
        for (int cube = 1; cube <= 12; cube++) {
            if (faces[cube][1][1] != picture || turns[cube][1][1] != 0) missing++;
        }
        if (12 - missing > verdict.best) verdict.best = 12 - missing;
        if (missing != 0) continue;

        // A celebrated picture waits for the next press; until then it is neither
        // celebrated again nor reported as done.
        if (assembled[picture] == 0 && pending_picture == 0) verdict.celebrate = picture;
        if (assembled[picture] == 1) verdict.already_assembled = true;
    }
    return verdict;
}
