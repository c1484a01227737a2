#include "clock/face.h"

namespace tikora {

namespace {

void pushDigit(FacePlan& plan, std::string_view text, size_t index, int x) {
    if (index >= text.size()) return;
    char c = text[index];
    if (c < '0' || c > '9') return;
    plan.push({GlyphDraw::Set::Digit, c - '0' + 1, x});
}

}  // namespace

FacePlan planFace(std::string_view text, const FaceOptions& options) {
    FacePlan plan;
    pushDigit(plan, text, 0, 8);
    pushDigit(plan, text, 1, 34);
    pushDigit(plan, text, 3, 73);
    pushDigit(plan, text, 4, 99);
    if (options.showSecond) {
        pushDigit(plan, text, 6, 138);
        pushDigit(plan, text, 7, 164);
        plan.push({GlyphDraw::Set::Separator, 1, 60});
        plan.push({GlyphDraw::Set::Separator, 1, 125});
    } else {
        int cell = options.flash && options.twinklePhase ? 0 : 1;
        plan.push({GlyphDraw::Set::Separator, cell, 60});
    }
    return plan;
}

}  // namespace tikora
