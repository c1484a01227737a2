#pragma once
// Two more faces of the running clock, for the skin chooser and the hot keys dialog: loading a
// skin strip into the glyph sets, and holding or releasing the CD hot keys. The clock window
// implements them; tests use recording stand-ins.
#include <string>

namespace tikora {

class SkinTarget {
public:
    virtual ~SkinTarget() = default;
    // Loads the strip at `path` into both glyph sets. Throws PictureError when the file is not a
    // readable bitmap and AppError "Invalid image size" when it is smaller than a strip; in both
    // cases the glyph sets stay as they were.
    virtual void ApplySkin(const std::string& path) = 0;
};

class HotKeySwitch {
public:
    virtual ~HotKeySwitch() = default;
    // Identifiers 0 (Ctrl+Alt+Up) and 1 (Ctrl+Alt+Down); a combination another program holds
    // stays unregistered without a word.
    virtual void RegisterHotKeys() = 0;
    virtual void UnregisterHotKeys() = 0;
};

}  // namespace tikora
