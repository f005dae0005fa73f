#pragma once

#include "TestCanvas.h"
#include "TestControls.h"

#include <map>
#include <string>
#include <vector>

namespace test {

struct DrawnText {
    std::wstring text;
    DWORD colour;
    int fontIndex;
    UINT style;
    RECT rect;
};

// A stand-in manager that records the image descriptions (with their modifiers) and the texts a
// control draws, and serves option groups like the real manager. Has a canvas to paint on.
class RecordingHost : public FakeHost {
public:
    RecordingHost() { font.metrics.tmHeight = 14; }

    bool DrawImage(HDC dc, const RECT& itemRect, const RECT& paintRect,
                   const std::wstring& description, const std::wstring& modifier) override {
        modifiers.push_back(modifier);
        return FakeHost::DrawImage(dc, itemRect, paintRect, description, modifier);
    }
    void DrawPlainText(HDC /*dc*/, const RECT& rect, const std::wstring& text, DWORD colour,
                       int fontIndex, UINT style) override {
        drawnTexts.push_back({text, colour, fontIndex, style, rect});
    }
    bool JoinGroup(const std::wstring& group, DuiLib::CControlUI* option) override {
        for (DuiLib::CControlUI* member : groups[group]) {
            if (member == option) {
                return false;
            }
        }
        groups[group].push_back(option);
        return true;
    }
    const std::vector<DuiLib::CControlUI*>* GroupMembers(const std::wstring& group) const override {
        const auto found = groups.find(group);
        return found != groups.end() ? &found->second : nullptr;
    }
    void LeaveGroup(const std::wstring& group, DuiLib::CControlUI* option) override {
        auto& members = groups[group];
        for (auto it = members.begin(); it != members.end(); ++it) {
            if (*it == option) {
                members.erase(it);
                break;
            }
        }
        if (members.empty()) {
            groups.erase(group);
        }
    }

    std::vector<std::wstring> modifiers;
    std::vector<DrawnText> drawnTexts;
    std::map<std::wstring, std::vector<DuiLib::CControlUI*>> groups;
    TestCanvas canvas{220, 120};
};

}  // namespace test
