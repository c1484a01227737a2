#pragma once
// Tag files through the C++ standard library: no sharing modes (the standard has none), so it
// serves native tests, tools and benchmarks, never the program on Windows.
#include "tags/tag_file.h"

namespace tikora {

class StdTagFileSystem final : public TagFileSystem {
public:
    bool Exists(const std::string& path) override;
    TagFileOpen Open(const std::string& path, TagFileAccess access) override;
};

}  // namespace tikora
