#include "clock/face.h"

namespace tikora {

namespace {

void PushDigit(FacePlan& plan, std::string_view text, size_t index, int x) {
    if (index >= text.size()) return;
    char c = text[index];
    if (c < '0' || c > '9') return;
    plan.Push({GlyphDraw::Set::Digit, c - '0' + 1, x});
}

}  // namespace

FacePlan PlanFace(std::string_view text, const FaceOptions& options) {
    FacePlan plan;
    PushDigit(plan, text, 0, 8);
    PushDigit(plan, text, 1, 34);
    PushDigit(plan, text, 3, 73);
    PushDigit(plan, text, 4, 99);
    if (options.showSecond) {
        PushDigit(plan, text, 6, 138);
        PushDigit(plan, text, 7, 164);
        plan.Push({GlyphDraw::Set::Separator, 1, 60});
        plan.Push({GlyphDraw::Set::Separator, 1, 125});
    } else {
        int cell = options.flash && options.twinklePhase ? 0 : 1;
        plan.Push({GlyphDraw::Set::Separator, cell, 60});
    }
    return plan;
}

}  // namespace tikora
