// The dialog font: one description, shared or derived.
#include "ui/font_win.h"

#include "ui/dpi_win.h"

namespace tikora::ui {

UniqueFont MakeDialogFont(FontBase base, LONG weight) {
    LOGFONTA font{};
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (base == FontBase::SystemMessage &&
        SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        font = metrics.lfMessageFont;
    } else {
        font.lfHeight = -Scale(11);  // 8 points at 96 DPI
        font.lfCharSet = DEFAULT_CHARSET;
        lstrcpynA(font.lfFaceName, "MS Sans Serif", LF_FACESIZE);
    }
    font.lfWeight = weight;
    return UniqueFont(CreateFontIndirectA(&font));
}

UniqueFont MakeFont(const char* face, int pixels96, LONG weight, bool underline) {
    LOGFONTA font{};
    font.lfHeight = -Scale(pixels96);
    font.lfWeight = weight;
    font.lfUnderline = underline ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
    return UniqueFont(CreateFontIndirectA(&font));
}

HFONT DialogFont() {
    static UniqueFont font = MakeDialogFont();
    return font.get();
}

}  // namespace tikora::ui
