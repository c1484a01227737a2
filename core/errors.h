#pragma once
// Errors that escape an event handler end in the application error handler. Each carries the
// class name the handler sorts by: picture-decoding errors never show a box.
#include <stdexcept>
#include <string>
#include <string_view>

namespace tikora {

class AppError : public std::runtime_error {
public:
    explicit AppError(const std::string& message, std::string className = "Exception")
        : std::runtime_error(message), className_(std::move(className)) {}
    const std::string& ClassName() const noexcept { return className_; }

private:
    std::string className_;
};

// "EJPEG", "EInvalidGraphic" and "EInvalidGraphicOperation": the three picture errors.
inline constexpr const char* kJpegError = "EJPEG";
inline constexpr const char* kInvalidGraphic = "EInvalidGraphic";
inline constexpr const char* kInvalidGraphicOperation = "EInvalidGraphicOperation";

class PictureError : public AppError {
public:
    explicit PictureError(const std::string& message, const char* className = kInvalidGraphic)
        : AppError(message, className) {}
};

bool IsPictureErrorClass(std::string_view className);

// The text of the error box: a full stop is appended when the last character comes after "."
// in character code order ("!" gets none, "?" and letters get one).
std::string ErrorBoxText(std::string_view message);

}  // namespace tikora
