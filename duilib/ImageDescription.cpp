#include "ImageDescription.h"

#include <algorithm>
#include <cwchar>

namespace DuiLib {

namespace {

struct KeyName {
    const wchar_t* text;
    ImageKey key;
};

constexpr KeyName kKeys[] = {
    {L"file", ImageKey::kFile},       {L"res", ImageKey::kRes},
    {L"restype", ImageKey::kResType}, {L"dest", ImageKey::kDest},
    {L"source", ImageKey::kSource},   {L"corner", ImageKey::kCorner},
    {L"mask", ImageKey::kMask},       {L"fade", ImageKey::kFade},
    {L"hole", ImageKey::kHole},       {L"xtiled", ImageKey::kXTiled},
    {L"ytiled", ImageKey::kYTiled},
};

bool IsBlank(wchar_t c) {
    return c <= L' ';
}

// Four integers, each followed by one separator character; missing ones are 0.
RECT ParseFourNumbers(const std::wstring& value) {
    long numbers[4] = {};
    const wchar_t* cursor = value.c_str();
    const wchar_t* const end = cursor + value.size();
    for (long& number : numbers) {
        if (cursor >= end) {
            break;
        }
        wchar_t* after = nullptr;
        number = std::wcstol(cursor, &after, 10);
        cursor = after < end ? after + 1 : end;
    }
    return RECT{numbers[0], numbers[1], numbers[2], numbers[3]};
}

DWORD ParseMask(const std::wstring& value) {
    const wchar_t* digits = value.c_str();
    if (*digits == L'#') {
        ++digits;
    }
    return static_cast<DWORD>(std::wcstoul(digits, nullptr, 16));
}

DWORD ParseFade(const std::wstring& value) {
    const long fade = std::wcstol(value.c_str(), nullptr, 10);
    return static_cast<DWORD>(std::clamp(fade, 0L, 255L));
}

ImageAttribute TypedAttribute(ImageKey key, const std::wstring& value) {
    switch (key) {
        case ImageKey::kDest:
        case ImageKey::kSource:
        case ImageKey::kCorner:
            return {key, ParseFourNumbers(value)};
        case ImageKey::kMask:
            return {key, ParseMask(value)};
        case ImageKey::kFade:
            return {key, ParseFade(value)};
        case ImageKey::kHole:
        case ImageKey::kXTiled:
        case ImageKey::kYTiled:
            return {key, value == L"true"};
        case ImageKey::kFile:
        case ImageKey::kRes:
        case ImageKey::kResType:
            break;
    }
    return {key, value};
}

const KeyName* FindKey(const std::wstring& text) {
    for (const KeyName& name : kKeys) {
        if (text == name.text) {
            return &name;
        }
    }
    return nullptr;
}

}  // namespace

std::vector<ImageAttribute> ParseImageDescription(const std::wstring& description) {
    std::vector<ImageAttribute> attributes;
    if (description.find(L'=') == std::wstring::npos) {
        if (!description.empty()) {
            attributes.push_back({ImageKey::kFile, description});
        }
        return attributes;
    }
    const size_t length = description.size();
    size_t at = 0;
    auto skipBlanks = [&] {
        while (at < length && IsBlank(description[at])) {
            ++at;
        }
    };
    while (at < length) {
        skipBlanks();
        const size_t keyStart = at;
        while (at < length && !IsBlank(description[at]) && description[at] != L'=') {
            ++at;
        }
        const std::wstring key = description.substr(keyStart, at - keyStart);
        skipBlanks();
        if (at >= length || description[at] != L'=') {
            break;
        }
        ++at;
        skipBlanks();
        if (at >= length || description[at] != L'\'') {
            break;
        }
        const size_t valueStart = ++at;
        const size_t closing = description.find(L'\'', valueStart);
        if (closing == std::wstring::npos) {
            break;
        }
        if (const KeyName* known = FindKey(key)) {
            attributes.push_back(
                TypedAttribute(known->key, description.substr(valueStart, closing - valueStart)));
        }
        at = closing + 1;
        if (at >= length || description[at] != L' ') {
            break;
        }
    }
    return attributes;
}

std::vector<ImageDrawSettings> ResolveImages(const std::vector<ImageAttribute>& description,
                                             const std::vector<ImageAttribute>& modifier) {
    std::vector<ImageDrawSettings> images;
    ImageDrawSettings current;
    bool started = false;
    auto startImage = [&] {
        if (started) {
            images.push_back(current);
        }
        started = true;
    };
    for (const std::vector<ImageAttribute>* list : {&description, &modifier}) {
        for (const ImageAttribute& attribute : *list) {
            switch (attribute.key) {
                case ImageKey::kFile:
                    startImage();
                    current.name = std::get<std::wstring>(attribute.value);
                    break;
                case ImageKey::kRes:
                    current.name = std::get<std::wstring>(attribute.value);
                    break;
                case ImageKey::kResType:
                    startImage();
                    current.resourceType = std::get<std::wstring>(attribute.value);
                    break;
                case ImageKey::kDest:
                    current.hasDest = true;
                    current.dest = std::get<RECT>(attribute.value);
                    break;
                case ImageKey::kSource:
                    current.source = std::get<RECT>(attribute.value);
                    break;
                case ImageKey::kCorner:
                    current.corner = std::get<RECT>(attribute.value);
                    break;
                case ImageKey::kMask:
                    current.mask = std::get<DWORD>(attribute.value);
                    break;
                case ImageKey::kFade:
                    current.fade = static_cast<BYTE>(std::get<DWORD>(attribute.value));
                    break;
                case ImageKey::kHole:
                    current.hole = std::get<bool>(attribute.value);
                    break;
                case ImageKey::kXTiled:
                    current.xTiled = std::get<bool>(attribute.value);
                    break;
                case ImageKey::kYTiled:
                    current.yTiled = std::get<bool>(attribute.value);
                    break;
            }
        }
    }
    images.push_back(current);
    return images;
}

RECT ImageDestination(const ImageDrawSettings& settings, const RECT& itemRect) {
    if (!settings.hasDest) {
        return itemRect;
    }
    return RECT{itemRect.left + settings.dest.left, itemRect.top + settings.dest.top,
                std::min(itemRect.left + settings.dest.right, itemRect.right),
                std::min(itemRect.top + settings.dest.bottom, itemRect.bottom)};
}

RECT ClampImageSource(const RECT& source, int width, int height) {
    if (source.left == 0 && source.top == 0 && source.right == 0 && source.bottom == 0) {
        return RECT{0, 0, width, height};
    }
    return RECT{std::max<LONG>(source.left, 0), std::max<LONG>(source.top, 0),
                std::min<LONG>(source.right, width), std::min<LONG>(source.bottom, height)};
}

}  // namespace DuiLib
