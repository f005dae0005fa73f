#include "CContainerUI.h"
#include "CNotifyPump.h"
#include "CTimerTable.h"
#include "ControlSearch.h"
#include "InputTranslation.h"
#include "ManagedWindow.h"
#include "NameMap.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

using namespace DuiLib;

namespace {

struct RouteCase {
    const char* name;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    UIEventKind kind;
    EventTarget target;
    bool hasPoint;
    bool screenPoint;
    bool focusWindow;
    bool takeFocus;
    bool beginCapture;
    bool endCapture;
    WORD keyState;
    WPARAM eventWParam;
};

// The key state is read from the keyboard when the event is delivered.
constexpr WORD kKeyboard = 0xFFFF;

const RouteCase kRoutes[] = {
    {"key down", WM_KEYDOWN, 'A', 7, kEventKeyDown, EventTarget::kFocus, false, false, false, false,
     false, false, kKeyboard, 'A'},
    {"key up", WM_KEYUP, 'A', 7, kEventKeyUp, EventTarget::kKeyTarget, false, false, false, false,
     false, false, kKeyboard, 'A'},
    {"character", WM_CHAR, L'a', 7, kEventChar, EventTarget::kFocus, false, false, false, false,
     false, false, kKeyboard, L'a'},
    {"system key", WM_SYSKEYDOWN, VK_F4, 0, kEventSysKey, EventTarget::kFocus, false, false, false,
     false, false, false, kKeyboard, VK_F4},
    {"left down", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6), kEventButtonDown,
     EventTarget::kPointed, true, false, true, true, true, false, MK_LBUTTON, MK_LBUTTON},
    {"left up", WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(5, 6), kEventButtonUp, EventTarget::kCapture,
     true, false, false, false, false, true, MK_SHIFT, MK_SHIFT},
    {"double click", WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 6), kEventDblClick,
     EventTarget::kPointed, true, false, true, false, true, false, MK_LBUTTON, MK_LBUTTON},
    {"right down", WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 6), kEventRButtonDown,
     EventTarget::kPointed, true, false, true, true, true, false, MK_RBUTTON, MK_RBUTTON},
    {"context menu", WM_CONTEXTMENU, 0x1234, MAKELPARAM(5, 6), kEventContextMenu,
     EventTarget::kCapture, true, true, false, false, false, true, 0x1234, 0},
    {"wheel towards the user", WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)),
     MAKELPARAM(5, 6), kEventScrollWheel, EventTarget::kPointed, true, true, false, false, false,
     false, kKeyboard, 1},
    {"wheel away", WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(5, 6), kEventScrollWheel,
     EventTarget::kPointed, true, true, false, false, false, false, kKeyboard, 0},
};

TEST(InputTranslationTest, EachInputMessageBecomesOneEventForItsTarget) {
    for (const RouteCase& c : kRoutes) {
        SCOPED_TRACE(c.name);
        const std::optional<InputRoute> route = RouteInput(c.message, c.wParam, c.lParam);
        ASSERT_TRUE(route.has_value());
        EXPECT_EQ(route->kind, c.kind);
        EXPECT_EQ(route->target, c.target);
        EXPECT_EQ(route->hasPoint, c.hasPoint);
        if (c.hasPoint) {
            EXPECT_EQ(route->point.x, 5);
            EXPECT_EQ(route->point.y, 6);
        }
        EXPECT_EQ(route->screenPoint, c.screenPoint);
        EXPECT_EQ(route->focusWindow, c.focusWindow);
        EXPECT_EQ(route->takeFocus, c.takeFocus);
        EXPECT_EQ(route->beginCapture, c.beginCapture);
        EXPECT_EQ(route->endCapture, c.endCapture);
        EXPECT_EQ(route->keyboardKeyState, c.keyState == kKeyboard);
        if (c.keyState != kKeyboard) {
            EXPECT_EQ(route->keyState, c.keyState);
        }
        EXPECT_EQ(route->wParam, c.eventWParam);
    }
}

TEST(InputTranslationTest, KeysTrackTheirTargetAndOtherMessagesAreNoInput) {
    EXPECT_TRUE(RouteInput(WM_KEYDOWN, 'A', 0)->becomeKeyTarget);
    EXPECT_TRUE(RouteInput(WM_KEYUP, 'A', 0)->endKeyTarget);
    EXPECT_EQ(RouteInput(WM_CHAR, L'x', 0)->key, L'x');
    EXPECT_TRUE(RouteInput(WM_MOUSEWHEEL, 0, 0)->followWithMouseMove);
    for (UINT message : {UINT{WM_PAINT}, UINT{WM_MOUSEMOVE}, UINT{WM_TIMER}, UINT{WM_SIZE}}) {
        EXPECT_FALSE(RouteInput(message, 0, 0).has_value()) << message;
    }
}

TEST(InputTranslationTest, KeyStateUsesTheMouseMessageBits) {
    struct {
        bool left, right, shift, control, alt;
        WORD expected;
    } const cases[] = {
        {false, false, false, false, false, 0},
        {true, false, false, false, false, MK_LBUTTON},
        {false, true, false, false, false, MK_RBUTTON},
        {false, false, true, false, false, MK_SHIFT},
        {false, false, false, true, false, MK_CONTROL},
        {false, false, false, false, true, 0x20},
        {true, true, true, true, true, MK_LBUTTON | MK_RBUTTON | MK_SHIFT | MK_CONTROL | 0x20},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeyStateOf(c.left, c.right, c.shift, c.control, c.alt), c.expected);
    }
}

TEST(InputTranslationTest, ChildMessagesAreReflectedAt0x2000Above) {
    const UINT reflected[] = {WM_NOTIFY, WM_COMMAND, WM_CTLCOLOREDIT, WM_CTLCOLORSTATIC};
    for (UINT message : reflected) {
        EXPECT_EQ(ReflectedMessage(message), std::optional<UINT>(0x2000 + message));
    }
    EXPECT_FALSE(ReflectedMessage(WM_CTLCOLORBTN).has_value());
    EXPECT_FALSE(ReflectedMessage(WM_PAINT).has_value());
}

TEST(NameMapTest, HashWalksTheNameBackwards) {
    EXPECT_EQ(NameHash(L""), 0u);
    EXPECT_EQ(NameHash(L"a"), 97u);
    EXPECT_EQ(NameHash(L"ab"), 98u * 33u + 97u);
    EXPECT_EQ(NameHash(L"abc"), (99u * 33u + 98u) * 33u + 97u);
    EXPECT_EQ(CNameMap<int>::BucketOf(L"ab"), (98u * 33u + 97u) % 83u);
}

TEST(NameMapTest, InsertRefusesAnExistingNameAndSetReplacesIt) {
    CNameMap<int> map;
    EXPECT_TRUE(map.Insert(L"closebtn", 1));
    EXPECT_FALSE(map.Insert(L"closebtn", 2));
    EXPECT_EQ(*map.Find(L"closebtn"), 1);
    map.Set(L"closebtn", 3);
    EXPECT_EQ(*map.Find(L"closebtn"), 3);
    EXPECT_EQ(map.Find(L"CloseBtn"), nullptr);
    // Names sharing a bucket chain without disturbing each other.
    for (int i = 0; i < 300; ++i) {
        map.Set(L"n" + std::to_wstring(i), i);
    }
    EXPECT_EQ(map.Size(), 301u);
    EXPECT_EQ(*map.Find(L"n250"), 250);
    EXPECT_TRUE(map.Remove(L"n250"));
    EXPECT_FALSE(map.Remove(L"n250"));
    EXPECT_EQ(map.Find(L"n250"), nullptr);
    EXPECT_EQ(*map.Find(L"n249"), 249);
}

TEST(TimerTableTest, IdentifiersCountFrom4096Modulo255) {
    const struct { UINT counter, next; } cases[] = {{4096, 17}, {17, 18}, {253, 254}, {254, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(NextTimerId(c.counter), c.next);
    }
}

TEST(TimerTableTest, EntriesMapPlatformTimersBackToControlsAndNeverShareOne) {
    test::ManagedWindow window(10, 10);
    CTimerTable table;
    table.SetWindow(window.Window());
    CControlUI first;
    CControlUI second;
    ASSERT_TRUE(table.Start(&first, 3, 1000));
    ASSERT_TRUE(table.Start(&second, 3, 1000));
    ASSERT_NE(table.Expired(17), nullptr);
    EXPECT_EQ(table.Expired(17)->control, &first);
    EXPECT_EQ(table.Expired(18)->control, &second);
    EXPECT_EQ(table.Expired(18)->localId, 3u);

    EXPECT_TRUE(table.Stop(&first, 3));
    EXPECT_EQ(table.Expired(17), nullptr) << "a stopped timer is not found";
    EXPECT_TRUE(table.Start(&first, 3, 1000));
    EXPECT_EQ(table.Expired(17)->control, &first) << "restarted with its platform timer";

    // Wrapping round the counter skips identifiers still held.
    std::vector<std::unique_ptr<CControlUI>> many;
    for (int i = 0; i < 253; ++i) {
        many.push_back(std::make_unique<CControlUI>());
        ASSERT_TRUE(table.Start(many.back().get(), 1, 1000)) << i;
    }
    CControlUI oneTooMany;
    EXPECT_FALSE(table.Start(&oneTooMany, 1, 1000)) << "all 255 identifiers are taken";
    table.StopAll(&first);
    EXPECT_TRUE(table.Start(&oneTooMany, 1, 1000));
    EXPECT_EQ(table.Expired(17)->control, &oneTooMany);
    EXPECT_EQ(table.Count(), 255u);
}

// A tree: tab stops t1 and t2 in a box, a hidden tab stop, a plain control, tab stop t3.
class TabStop : public CControlUI {
public:
    UINT ControlFlags() const override { return kControlTabStop; }
};

class Label : public CControlUI {
public:
    const wchar_t* ClassName() const override { return L"LabelUI"; }
};

TEST(ControlSearchTest, TabOrderVisitsContainersFirstAndWraps) {
    CContainerUI root;
    auto* box = new CContainerUI;
    auto* t1 = new TabStop;
    auto* t2 = new TabStop;
    box->Append(t1);
    box->Append(t2);
    root.Append(box);
    auto* hiddenStop = new TabStop;
    hiddenStop->SetVisible(false);
    root.Append(hiddenStop);
    root.Append(new CControlUI);
    auto* t3 = new TabStop;
    root.Append(t3);

    constexpr TabDirection kForward = TabDirection::kForward;
    constexpr TabDirection kBackward = TabDirection::kBackward;
    const struct {
        CControlUI* current;
        TabDirection direction;
        CControlUI* expected;
    } cases[] = {
        {nullptr, kForward, t1}, {t1, kForward, t2},         {t2, kForward, t3},
        {t3, kForward, t1},      {nullptr, kBackward, t3},   {t3, kBackward, t2},
        {t1, kBackward, t3},     {hiddenStop, kForward, t1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NextTabStop(&root, c.current, c.direction), c.expected);
    }
    EXPECT_EQ(TabStopBefore(&root, t3), t2);
    EXPECT_EQ(TabStopBefore(&root, t1), nullptr);
    CContainerUI empty;
    EXPECT_EQ(NextTabStop(&empty, nullptr, TabDirection::kForward), nullptr);
}

TEST(ControlSearchTest, ShortcutsIgnoreCaseAndLabelsHandThemOn) {
    CContainerUI root;
    auto* field = new TabStop;
    root.Append(field);
    auto* label = new Label;
    label->SetShortcut(L'n');
    root.Append(label);
    auto* button = new TabStop;
    button->SetShortcut(L'O');
    root.Append(button);
    // Children are searched from last to first, so the label hands on to the field before it.
    EXPECT_EQ(FindShortcut(&root, L'o'), button);
    EXPECT_EQ(FindShortcut(&root, L'N'), field);
    EXPECT_EQ(FindShortcut(&root, L'x'), nullptr);
}

// A window class with a base table and its own table chained to it.
class PumpBase : public CNotifyPump {
public:
    void OnAnyClick(UINotify&) { calls.push_back(L"base click"); }
    std::vector<std::wstring> calls;

protected:
    const NotifyMap* NotifyTable() const override {
        static const NotifyMapEntry entries[] = {
            {L"click", L"", nullptr, NotifyHandler(&PumpBase::OnAnyClick)},
            {nullptr, nullptr, nullptr, nullptr}};
        static const NotifyMap map = {CNotifyPump::NotifyTable(), entries};
        return &map;
    }
};

class PumpDerived : public PumpBase {
public:
    void OnOk(UINotify&) { calls.push_back(L"ok"); }
    void OnSelect(WPARAM wParam, LPARAM) { calls.push_back(L"select " + std::to_wstring(wParam)); }

protected:
    const NotifyMap* NotifyTable() const override {
        static const NotifyMapEntry entries[] = {
            {L"click", L"okbtn", nullptr, NotifyHandler(&PumpDerived::OnOk)},
            {L"selectchanged", L"", ParamsHandler(&PumpDerived::OnSelect), nullptr},
            {nullptr, nullptr, nullptr, nullptr}};
        static const NotifyMap map = {PumpBase::NotifyTable(), entries};
        return &map;
    }
};

TEST(NotifyPumpTest, OwnTableFirstThenBaseTablesAndVirtualWindowsBeforeBoth) {
    CControlUI ok;
    ok.SetName(L"okbtn");
    CControlUI other;
    other.SetName(L"other");
    PumpDerived window;
    UINotify click{L"click", L"", &ok, 0, {0, 0}, 0, 0};
    EXPECT_TRUE(window.NotifyPump(click));
    click.sender = &other;
    EXPECT_TRUE(window.NotifyPump(click));
    UINotify select{L"selectchanged", L"", &other, 0, {0, 0}, 4, 0};
    EXPECT_TRUE(window.NotifyPump(select));
    UINotify unknown{L"textchanged", L"", &other, 0, {0, 0}, 0, 0};
    EXPECT_FALSE(window.NotifyPump(unknown));
    EXPECT_EQ((std::vector<std::wstring>{L"ok", L"base click", L"select 4"}), window.calls);

    PumpDerived page;
    EXPECT_TRUE(window.AddVirtualWnd(L"Page", &page));
    EXPECT_FALSE(window.AddVirtualWnd(L"page", &page));
    UINotify pageClick{L"click", L"PAGE", &ok, 0, {0, 0}, 0, 0};
    EXPECT_TRUE(window.NotifyPump(pageClick));
    EXPECT_EQ((std::vector<std::wstring>{L"ok"}), page.calls);
    EXPECT_EQ(window.calls.size(), 3u);
    EXPECT_TRUE(window.RemoveVirtualWnd(L"page"));
    EXPECT_TRUE(window.NotifyPump(pageClick));
    EXPECT_EQ(window.calls.back(), L"ok");
}

TEST(NotifyPumpTest, ARowNamingTheSenderWinsOverTheLastRowForAnySender) {
    const NotifyMapEntry rows[] = {{L"click", L"", nullptr, nullptr},
                                   {L"click", L"a", nullptr, nullptr},
                                   {L"click", nullptr, nullptr, nullptr},
                                   {L"menu", L"b", nullptr, nullptr},
                                   {nullptr, nullptr, nullptr, nullptr}};
    EXPECT_EQ(MatchNotifyEntry(rows, L"click", L"a"), &rows[1]);
    EXPECT_EQ(MatchNotifyEntry(rows, L"click", L"b"), &rows[2]);
    EXPECT_EQ(MatchNotifyEntry(rows, L"menu", L"a"), nullptr);
    EXPECT_EQ(MatchNotifyEntry(rows, L"Click", L"a"), nullptr) << "types compare exactly";
}

}  // namespace
