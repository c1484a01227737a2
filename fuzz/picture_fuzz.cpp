// The picture decoding layer on any bytes, as each of the four formats, at actual size and fitted:
// either a whole picture of the size it reports, or a problem and no pixels.
#include <cstdint>
#include <cstdlib>

#include "viewer/picture_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tikora;
    for (PictureFormat format : {PictureFormat::Jpeg, PictureFormat::Png, PictureFormat::Gif, PictureFormat::Bmp})
        for (int box : {0, 64}) {
            const DecodedPicture picture = DecodePicture(format, data, size, DecodeRequest{box, box, 0x808080});
            if (picture.problem != DecodeProblem::None) {
                if (!picture.image.pixels.empty()) std::abort();
                continue;
            }
            const ShownSize shown = FitInto(picture.width, picture.height, box, box);
            if (picture.image.width != shown.width || picture.image.height != shown.height ||
                picture.image.pixels.size() != static_cast<size_t>(shown.width) * static_cast<size_t>(shown.height))
                std::abort();
        }
    return 0;
}
