#pragma once
// Loading a picture file for the viewer and its full-screen views, chosen by the extension: JPEG,
// PNG, GIF and bitmaps through the decoding layer, read from the file in pieces and decoded
// straight into the bitmap that is drawn, at the size shown; icons and enhanced and old
// (placeable) metafiles through the system's own picture support, after our own checks of their
// headers. A file that cannot be read throws AppError "Cannot open file "<path>". <reason>";
// one that cannot be decoded throws PictureError, which the error handler turns into the
// placeholder picture without a message.
#include <windows.h>

#include <string>

#include "ui/handles_win.h"

namespace tikora {

// Files larger than this are not read (no picture of ours needs that many bytes).
inline constexpr uint64_t kMaxPictureFileBytes = uint64_t{512} << 20;

struct EnhMetafileDeleter {
    void operator()(HENHMETAFILE metafile) const { DeleteEnhMetaFile(metafile); }
};
using UniqueEnhMetafile = ui::UniqueHandle<HENHMETAFILE, EnhMetafileDeleter>;

// A picture ready to draw: exactly one of the three handles is set.
struct LoadedPicture {
    int width = 0;  // the picture's own size in pixels
    int height = 0;
    ui::UniqueBitmap bitmap;  // a DIB section; for decoded files already at the size asked for
    ui::UniqueIcon icon;
    UniqueEnhMetafile metafile;
};

// fitWidth x fitHeight: the box a decoded picture is shrunk into (0 x 0: actual size). background:
// what shows through transparent pixels.
LoadedPicture LoadPictureFile(const std::string& path, int fitWidth, int fitHeight, COLORREF background);

}  // namespace tikora
