// The completion check: what the twelve fronts show, judged and answered.
#include "shell/completion_check.h"

#include "puzzle/progress.h"
#include "shell/loop_state.h"
#include "view/completion_animation.h"
#include "view/message_line.h"
#include "view/progress_bar.h"

void check_completion() {
    completion_verdict verdict = judge_completion();
    if (verdict.celebrate) {
        play_completion_animation(verdict.celebrate);
        pending_picture = verdict.celebrate;
    }
    if (verdict.already_assembled) draw_already_assembled_message();
    draw_progress_bar(verdict.best);
    dragging = 0;
}
