// Picture files by their extension: raster pictures decoded from the file in pieces, the system's
// own kinds read whole (bounded) and handed over after our checks.
#include "viewer/picture_file_win.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <vector>

#include "core/byte_source.h"
#include "core/errors.h"
#include "core/ico_check.h"
#include "ui/application_win.h"
#include "ui/bitmap_win.h"
#include "viewer/picture_decoder.h"

namespace tikora {

namespace {

using Bytes = std::vector<uint8_t>;

struct FileHandleDeleter {
    void operator()(HANDLE file) const { CloseHandle(file); }
};
struct InvalidFileHandle {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
};
using UniqueFile = ui::UniqueHandle<HANDLE, FileHandleDeleter, InvalidFileHandle>;

[[noreturn]] void CannotOpen(const std::string& path, DWORD error) {
    throw AppError("Cannot open file \"" + path + "\". " + ui::SystemErrorText(error));
}

// A picture file opened for reading; others may read it meanwhile, nobody may write it.
UniqueFile OpenPictureFile(const std::string& path, uint64_t& size) {
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) CannotOpen(path, GetLastError());
    LARGE_INTEGER bytes{};
    if (!GetFileSizeEx(file.get(), &bytes)) CannotOpen(path, GetLastError());
    size = static_cast<uint64_t>(bytes.QuadPart);
    if (size > kMaxPictureFileBytes) throw PictureError("Picture file too large");
    return file;
}

// The bytes of an open file where the decoders ask for them. A read that fails or comes up short
// (the file shrank) is a failed read, which the decoders take as data that ends.
class PictureFileSource final : public ByteSource {
public:
    PictureFileSource(HANDLE file, uint64_t size) : file_(file), size_(size) {}
    uint64_t Size() const override { return size_; }
    bool Read(uint64_t offset, std::span<uint8_t> into) override {
        if (offset > size_ || into.size() > size_ - offset) return false;
        size_t done = 0;
        while (done < into.size()) {
            OVERLAPPED at{};
            const uint64_t position = offset + done;
            at.Offset = static_cast<DWORD>(position & 0xFFFFFFFF);
            at.OffsetHigh = static_cast<DWORD>(position >> 32);
            DWORD read = 0;
            const DWORD chunk = static_cast<DWORD>(std::min<size_t>(into.size() - done, 1u << 24));
            if (!ReadFile(file_, into.data() + done, chunk, &read, &at) || read == 0) return false;
            done += read;
        }
        return true;
    }

private:
    HANDLE file_;
    uint64_t size_;
};

// The whole file (icons and metafiles, which the system takes from memory or by name).
Bytes ReadWholeFile(const std::string& path) {
    uint64_t size = 0;
    UniqueFile file = OpenPictureFile(path, size);
    Bytes bytes(static_cast<size_t>(size));
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
        if (!ReadFile(file.get(), bytes.data() + done, chunk, &read, nullptr)) CannotOpen(path, GetLastError());
        if (read == 0) break;  // the file shrank meanwhile: decode what is there
        done += read;
    }
    bytes.resize(done);
    return bytes;
}

template <typename T>
T Read(const Bytes& bytes, size_t at) {
    T value{};
    if (at + sizeof(T) <= bytes.size()) std::memcpy(&value, bytes.data() + at, sizeof(T));
    return value;
}

std::string Extension(const std::string& path) {
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of("\\/");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    std::string ext = path.substr(dot + 1);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

LoadedPicture Decoded(PictureFormat format, const std::string& path, int fitWidth, int fitHeight, COLORREF background) {
    uint64_t size = 0;
    UniqueFile file = OpenPictureFile(path, size);
    PictureFileSource source(file.get(), size);
    const uint32_t back = Rgb(GetRValue(background), GetGValue(background), GetBValue(background));
    // The pixels are written straight into the bitmap the picture box draws: a large picture is
    // written once, never copied.
    LoadedPicture picture;
    auto target = [&picture](int width, int height) {
        uint32_t* pixels = nullptr;
        try {
            picture.bitmap = ui::MakeEmptyBitmap(width, height, &pixels);
        } catch (const AppError&) {
            throw PictureError("Out of system resources");  // a picture too large to show
        }
        return pixels;
    };
    const DecodedPicture decoded = DecodePicture(format, source, DecodeRequest{fitWidth, fitHeight, back}, target);
    if (decoded.problem != DecodeProblem::None)
        throw PictureError(DecodeProblemName(decoded.problem), format == PictureFormat::Jpeg ? kJpegError : kInvalidGraphic);
    picture.width = decoded.width;
    picture.height = decoded.height;
    return picture;
}

LoadedPicture Icon(const std::string& path, const Bytes& bytes) {
    MemorySource source({bytes.data(), bytes.size()});
    if (CheckIco(source).problem != IcoProblem::None) throw PictureError("Icon image is not valid");
    LoadedPicture picture;
    picture.icon.reset(static_cast<HICON>(LoadImageA(nullptr, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE)));
    if (!picture.icon) throw PictureError("Icon image is not valid");
    ICONINFO info{};
    if (!GetIconInfo(picture.icon.get(), &info)) throw PictureError("Icon image is not valid");
    BITMAP mask{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof mask, &mask);
    picture.width = mask.bmWidth;
    picture.height = info.hbmColor ? mask.bmHeight : mask.bmHeight / 2;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return picture;
}

// Enhanced metafiles: the header record must be one, and its size must lie in the file. The size
// shown is the picture frame (in 0.01 mm) on the device the file was made on.
LoadedPicture EnhancedMetafile(const Bytes& bytes) {
    constexpr uint32_t kEmfSignature = 0x464D4520;  // " EMF"
    if (bytes.size() < 88 || Read<uint32_t>(bytes, 0) != 1 || Read<uint32_t>(bytes, 40) != kEmfSignature)
        throw PictureError("Invalid metafile");
    const uint32_t length = Read<uint32_t>(bytes, 48);
    if (length < 88 || length > bytes.size()) throw PictureError("Invalid metafile");
    const int64_t frameWidth = int64_t{Read<int32_t>(bytes, 32)} - Read<int32_t>(bytes, 24);
    const int64_t frameHeight = int64_t{Read<int32_t>(bytes, 36)} - Read<int32_t>(bytes, 28);
    const int64_t devicePixelsX = Read<int32_t>(bytes, 72), devicePixelsY = Read<int32_t>(bytes, 76);
    const int64_t deviceMmX = Read<int32_t>(bytes, 80), deviceMmY = Read<int32_t>(bytes, 84);
    if (frameWidth <= 0 || frameHeight <= 0 || devicePixelsX <= 0 || devicePixelsY <= 0 || deviceMmX <= 0 || deviceMmY <= 0)
        throw PictureError("Invalid metafile");
    LoadedPicture picture;
    picture.width = static_cast<int>(std::min<int64_t>(frameWidth * devicePixelsX / (deviceMmX * 100), 1 << 15));
    picture.height = static_cast<int>(std::min<int64_t>(frameHeight * devicePixelsY / (deviceMmY * 100), 1 << 15));
    picture.metafile.reset(SetEnhMetaFileBits(length, bytes.data()));
    if (!picture.metafile || picture.width <= 0 || picture.height <= 0) throw PictureError("Invalid metafile");
    return picture;
}

// Old metafiles only with the placeable header, which gives their size: its key, a bounding box
// in metafile units, the units per inch and a checksum over the header's first ten words.
LoadedPicture PlaceableMetafile(const Bytes& bytes) {
    constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
    constexpr size_t kHeader = 22;
    if (bytes.size() <= kHeader + 18 || Read<uint32_t>(bytes, 0) != kPlaceableKey) throw PictureError("Invalid metafile");
    uint16_t checksum = 0;
    for (size_t i = 0; i < 10; ++i) checksum ^= Read<uint16_t>(bytes, i * 2);
    const int width = Read<int16_t>(bytes, 10) - Read<int16_t>(bytes, 6);
    const int height = Read<int16_t>(bytes, 12) - Read<int16_t>(bytes, 8);
    const int inch = Read<uint16_t>(bytes, 14);
    if (checksum != Read<uint16_t>(bytes, 20) || width <= 0 || height <= 0 || inch == 0) throw PictureError("Invalid metafile");
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    METAFILEPICT extent{MM_ANISOTROPIC, width * 2540 / inch, height * 2540 / inch, nullptr};
    LoadedPicture picture;
    picture.width = std::max(1, MulDiv(width, dpi, inch));
    picture.height = std::max(1, MulDiv(height, dpi, inch));
    picture.metafile.reset(SetWinMetaFileBits(static_cast<UINT>(bytes.size() - kHeader), bytes.data() + kHeader, nullptr, &extent));
    if (!picture.metafile) throw PictureError("Invalid metafile");
    return picture;
}

}  // namespace

LoadedPicture LoadPictureFile(const std::string& path, int fitWidth, int fitHeight, COLORREF background) {
    const PictureFormat format = PictureFormatOf(path);
    const std::string ext = Extension(path);
    if (format == PictureFormat::Unknown) throw PictureError("Unknown picture file extension (." + ext + ")");
    if (format != PictureFormat::System) return Decoded(format, path, fitWidth, fitHeight, background);
    const Bytes bytes = ReadWholeFile(path);
    if (ext == "ico") return Icon(path, bytes);
    if (ext == "emf") return EnhancedMetafile(bytes);
    return PlaceableMetafile(bytes);
}

}  // namespace tikora
