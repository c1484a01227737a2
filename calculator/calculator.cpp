#include "calculator/calculator.h"

namespace tikora {

bool Calculator::Execute(CalcHost& host, const ShowModal& showModal) {
    CalcEngine engine(&host);
    engine.SetMemory(memory_);
    engine.SetPrecision(precision_);
    engine.SetBeepOnError(beepOnError_);
    if (onCalcKey_) {
        engine.SetOnCalcKey([this](char& key) { onCalcKey_(*this, key); });
    }
    if (onDisplayChange_) {
        engine.SetOnDisplayChange([this] { onDisplayChange_(*this); });
    }
    if (value_ != 0.0) engine.TakeOver(value_);

    if (!showModal(engine)) return false;

    // Cancel and the close box leave Value and the memory as they were before the run.
    memory_ = engine.Memory();
    const double result = engine.DisplayValue();
    if (result != value_) {
        value_ = result;
        if (onChange_) onChange_(*this);
    }
    return true;
}

}  // namespace tikora
