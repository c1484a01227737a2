#pragma once
// The calculator component the clock window owns for the whole run of the program. Each run
// builds a fresh engine (and dialog); only Value and the memory carry over from run to run.
#include <functional>
#include <string>

#include "calculator/calc_engine.h"

namespace tikora {

inline constexpr const char* kCalculatorTitle = "Calculator";

class Calculator {
public:
    using CalcKeyEvent = std::function<void(Calculator& sender, char& key)>;
    using NotifyEvent = std::function<void(Calculator& sender)>;
    // Shows the dialog modally over the engine; true when it was closed with OK.
    using ShowModal = std::function<bool(CalcEngine& engine)>;

    bool BeepOnError() const { return beepOnError_; }
    void SetBeepOnError(bool value) { beepOnError_ = value; }
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool value) { ctl3D_ = value; }
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int value) { helpContext_ = value; }
    int Precision() const { return precision_; }
    void SetPrecision(int value) { precision_ = value; }
    const std::string& Title() const { return title_; }
    void SetTitle(std::string value) { title_ = std::move(value); }
    double Value() const { return value_; }
    void SetValue(double value) { value_ = value; }
    double Memory() const { return memory_; }

    void SetOnCalcKey(CalcKeyEvent handler) { onCalcKey_ = std::move(handler); }
    void SetOnChange(NotifyEvent handler) { onChange_ = std::move(handler); }
    void SetOnDisplayChange(NotifyEvent handler) { onDisplayChange_ = std::move(handler); }

    // One run: prepares an engine from the component, lets `showModal` run the dialog and takes
    // the outcome over. Returns true when the dialog was closed with OK.
    bool Execute(CalcHost& host, const ShowModal& showModal);

private:
    bool beepOnError_ = true;
    bool ctl3D_ = true;
    int helpContext_ = 0;
    int precision_ = 15;
    std::string title_ = kCalculatorTitle;
    double value_ = 0.0;
    double memory_ = 0.0;
    CalcKeyEvent onCalcKey_;
    NotifyEvent onChange_;
    NotifyEvent onDisplayChange_;
};

}  // namespace tikora
