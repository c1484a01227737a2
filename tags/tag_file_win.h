#pragma once
// Tag files through the system: each access opens with its sharing mode, so a file another
// program holds without sharing reads as untagged and is never written half.
#include "tags/tag_file.h"

namespace tikora {

class WinTagFileSystem final : public TagFileSystem {
public:
    bool Exists(const std::string& path) override;
    TagFileOpen Open(const std::string& path, TagFileAccess access) override;
};

}  // namespace tikora
