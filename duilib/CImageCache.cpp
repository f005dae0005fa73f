#include "CImageCache.h"

#include <cwctype>

namespace DuiLib {

namespace {

// Descriptions are few per window, but modifiers carry positions; past this many the parsed forms
// are dropped and parsed again as they come.
constexpr size_t kMaxParsedDescriptions = 1024;

}  // namespace

const ImageInfo* CImageCache::CachedImage(const std::wstring& name) const {
    const auto found = images_.find(name);
    return found != images_.end() ? found->second.get() : nullptr;
}

const ImageInfo* CImageCache::ImageOrLoad(const std::wstring& name, const std::wstring& type,
                                          DWORD mask) {
    if (const ImageInfo* cached = CachedImage(name)) {
        return cached;
    }
    if (name.empty() || (!type.empty() && !std::iswdigit(name.front()))) {
        return nullptr;
    }
    std::optional<ImageInfo> decoded = DecodeImage(name, type, mask);
    if (!decoded) {
        return nullptr;
    }
    ++decodeCount_;
    auto stored = std::make_unique<ImageInfo>(std::move(*decoded));
    const ImageInfo* image = stored.get();
    images_.emplace(name, std::move(stored));
    return image;
}

const std::vector<ImageDrawSettings>& CImageCache::ImagesOf(const std::wstring& description,
                                                            const std::wstring& modifier) {
    auto key = std::make_pair(description, modifier);
    const auto found = descriptions_.find(key);
    if (found != descriptions_.end()) {
        return found->second;
    }
    if (descriptions_.size() >= kMaxParsedDescriptions) {
        descriptions_.clear();
    }
    ++parseCount_;
    std::vector<ImageDrawSettings> images =
        ResolveImages(ParseImageDescription(description), ParseImageDescription(modifier));
    return descriptions_.emplace(std::move(key), std::move(images)).first->second;
}

}  // namespace DuiLib
