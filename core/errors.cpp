#include "core/errors.h"

namespace tikora {

bool IsPictureErrorClass(std::string_view className) {
    return className == kJpegError || className == kInvalidGraphic || className == kInvalidGraphicOperation;
}

std::string ErrorBoxText(std::string_view message) {
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) text += '.';
    return text;
}

}  // namespace tikora
