#pragma once

#include "CScaledImageCache.h"
#include "ImageDescription.h"
#include "ImageInfo.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace DuiLib {

// The images of one window, decoded once and kept until the window's manager goes away, and the
// image descriptions its controls paint with, parsed once. A name that fails to load is not
// remembered, so it is looked for again the next time. Used from the window's thread only.
class CImageCache {
public:
    CImageCache() = default;
    CImageCache(const CImageCache&) = delete;
    CImageCache& operator=(const CImageCache&) = delete;

    // The cached image called name, or nullptr.
    const ImageInfo* CachedImage(const std::wstring& name) const;
    // The cached image, or the image loaded now (see DecodeImage; with a type, name must be a
    // decimal resource identifier). nullptr when it cannot be loaded. The key is name alone.
    const ImageInfo* ImageOrLoad(const std::wstring& name, const std::wstring& type = {},
                                 DWORD mask = 0);
    // How many images were decoded successfully so far.
    size_t DecodeCount() const { return decodeCount_; }

    // The images an image description and its modifier draw (see ResolveImages), parsed on first
    // use. Valid until the next call.
    const std::vector<ImageDrawSettings>& ImagesOf(const std::wstring& description,
                                                   const std::wstring& modifier);
    // How many description and modifier pairs were parsed so far.
    size_t ParseCount() const { return parseCount_; }

    // The images of this cache drawn at the sizes they were painted at.
    CScaledImageCache& ScaledImages() { return scaled_; }

private:
    std::map<std::wstring, std::unique_ptr<ImageInfo>> images_;
    std::map<std::pair<std::wstring, std::wstring>, std::vector<ImageDrawSettings>> descriptions_;
    // After images_, so that the drawings go before the bitmaps they were keyed by.
    CScaledImageCache scaled_;
    size_t decodeCount_ = 0;
    size_t parseCount_ = 0;
};

}  // namespace DuiLib
