#include "CContainerUI.h"
#include "CHorizontalLayoutUI.h"
#include "CTabLayoutUI.h"
#include "CVerticalLayoutUI.h"
#include "TestControls.h"

#include <gtest/gtest.h>

using namespace DuiLib;

namespace {

int g_destroyedByListener = 0;

bool CountDestroy(CControlUI*) {
    ++g_destroyedByListener;
    return true;
}

TEST(ContainerOwnershipTest, RemovingAndClearingDeleteEachChildOnce) {
    int destroyed = 0;
    CVerticalLayoutUI layout;
    CControlUI* first = layout.Add(std::make_unique<test::CountingControl>(&destroyed));
    layout.Add(std::make_unique<test::CountingControl>(&destroyed));
    layout.Add(std::make_unique<test::CountingControl>(&destroyed));
    layout.Add(std::make_unique<test::CountingControl>(&destroyed));

    EXPECT_TRUE(layout.Remove(first));
    EXPECT_EQ(destroyed, 1);
    EXPECT_FALSE(layout.Remove(first));
    EXPECT_TRUE(layout.RemoveIndex(0));
    EXPECT_FALSE(layout.RemoveIndex(5));
    EXPECT_EQ(destroyed, 2);
    layout.Clear();
    EXPECT_EQ(destroyed, 4);
    EXPECT_EQ(layout.Count(), 0);
}

TEST(ContainerOwnershipTest, DestroyingAContainerDeletesTheWholeSubtreeAndRunsDestroyListeners) {
    int destroyed = 0;
    g_destroyedByListener = 0;
    {
        test::FakeHost host;
        auto root = std::make_unique<test::CountingContainer>(&destroyed);
        root->AttachManager(&host, nullptr, AttachMode::kAttachOnly);
        auto* inner = root->Add(std::make_unique<test::CountingContainer>(&destroyed));
        inner->Add(std::make_unique<test::CountingControl>(&destroyed))
            ->DestroyListeners()
            .Add(MakeDelegate(&CountDestroy));
        inner->Add(std::make_unique<test::CountingControl>(&destroyed));
        root->Add(std::make_unique<test::CountingControl>(&destroyed));
        root.reset();
        EXPECT_EQ(destroyed, 5);
        EXPECT_EQ(g_destroyedByListener, 1);
        // Destruction is immediate even with a manager, and each control was forgotten once.
        EXPECT_TRUE(host.pendingDelete.empty());
        EXPECT_EQ(host.forgotten.size(), 5u);
    }
}

TEST(ContainerOwnershipTest, WithAManagerRemovedChildrenAreDeletedLater) {
    int destroyed = 0;
    test::FakeHost host;
    CHorizontalLayoutUI layout;
    layout.AttachManager(&host, nullptr, AttachMode::kAttachOnly);
    CControlUI* child = layout.Add(std::make_unique<test::CountingControl>(&destroyed));
    layout.Add(std::make_unique<test::CountingControl>(&destroyed));
    EXPECT_TRUE(layout.Remove(child));
    layout.Clear();
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(host.pendingDelete.size(), 2u);
    host.FlushDeleted();
    EXPECT_EQ(destroyed, 2);

    layout.SetDefersDelete(false);
    layout.Add(std::make_unique<test::CountingControl>(&destroyed));
    layout.Clear();
    EXPECT_EQ(destroyed, 3);
}

TEST(ContainerOwnershipTest, AContainerThatDoesNotOwnItsItemsLeavesThemAlive) {
    int destroyed = 0;
    test::CountingControl kept(&destroyed);
    {
        CContainerUI container;
        container.SetOwnsItems(false);
        EXPECT_TRUE(container.Append(&kept));
        EXPECT_TRUE(container.Remove(&kept));
        EXPECT_TRUE(container.Append(&kept));
    }
    EXPECT_EQ(destroyed, 0);
}

TEST(ContainerItemsTest, InsertMoveAndLookUp) {
    CContainerUI container;
    CControlUI* a = container.Add(std::make_unique<CControlUI>());
    CControlUI* c = container.Add(std::make_unique<CControlUI>());
    auto b = std::make_unique<CControlUI>();
    EXPECT_FALSE(container.InsertAt(b.get(), -1));
    EXPECT_FALSE(container.InsertAt(b.get(), 3));
    EXPECT_FALSE(container.Append(nullptr));
    EXPECT_TRUE(container.InsertAt(b.get(), 1));
    CControlUI* bRaw = b.release();
    EXPECT_EQ(container.ItemAt(1), bRaw);
    EXPECT_EQ(container.ItemAt(3), nullptr);
    EXPECT_EQ(container.ItemAt(-1), nullptr);
    EXPECT_EQ(container.IndexOf(c), 2);
    EXPECT_EQ(bRaw->Parent(), &container);
    EXPECT_TRUE(container.MoveItem(a, 2));
    EXPECT_EQ(container.IndexOf(a), 2);
    EXPECT_EQ(container.IndexOf(bRaw), 0);
    CControlUI stranger;
    EXPECT_FALSE(container.MoveItem(&stranger, 0));
    EXPECT_EQ(container.IndexOf(&stranger), -1);
}

TEST(ContainerItemsTest, InterfaceQueriesAnswerByExactName) {
    CTabLayoutUI tabs;
    auto* items = static_cast<IContainerUI*>(tabs.AsInterface(L"IContainer"));
    ASSERT_NE(items, nullptr);
    EXPECT_TRUE(items->Append(new CControlUI));
    EXPECT_EQ(tabs.Count(), 1);
    EXPECT_EQ(tabs.AsInterface(L"TabLayout"), &tabs);
    EXPECT_EQ(tabs.AsInterface(L"Container"), static_cast<CContainerUI*>(&tabs));
    EXPECT_EQ(tabs.AsInterface(L"Control"), static_cast<CControlUI*>(&tabs));
    EXPECT_EQ(tabs.AsInterface(L"tablayout"), nullptr);
    EXPECT_EQ(tabs.AsInterface(L"VerticalLayout"), nullptr);
    EXPECT_STREQ(tabs.ClassName(), L"TabLayoutUI");
    CVerticalLayoutUI vertical;
    CHorizontalLayoutUI horizontal;
    EXPECT_STREQ(vertical.ClassName(), L"VerticalLayoutUI");
    EXPECT_STREQ(horizontal.ClassName(), L"HorizontalLayoutUI");
    EXPECT_EQ(vertical.AsInterface(L"VerticalLayout"), &vertical);
    EXPECT_EQ(horizontal.AsInterface(L"HorizontalLayout"), &horizontal);
    EXPECT_EQ(horizontal.AsInterface(L"VerticalLayout"), nullptr);
}

TEST(ContainerItemsTest, AManagerAdoptsAndInitialisesAddedChildren) {
    test::FakeHost host;
    CContainerUI root;
    root.AttachManager(&host, nullptr, AttachMode::kAttachOnly);
    auto* child = root.Add(std::make_unique<test::EventRecorder>());
    EXPECT_EQ(host.adopted, 1);
    EXPECT_EQ(child->Manager(), &host);
    EXPECT_EQ(child->Parent(), &root);
    EXPECT_EQ(child->initialized, 1);
}

TEST(ContainerVisibilityTest, AHiddenContainerAddsChildrenParentInvisibleAndShowsThemLater) {
    CVerticalLayoutUI outer;
    auto* box = outer.Add(std::make_unique<CVerticalLayoutUI>());
    outer.SetVisible(false);
    CControlUI* child = box->Add(std::make_unique<CControlUI>());
    EXPECT_TRUE(child->IsOwnVisible());
    EXPECT_FALSE(child->IsVisible());
    EXPECT_FALSE(box->IsVisible());
    outer.SetVisible(true);
    EXPECT_TRUE(box->IsVisible());
    EXPECT_TRUE(child->IsVisible());

    box->SetVisible(false);
    EXPECT_FALSE(child->IsVisible());
    outer.SetVisible(false);
    outer.SetVisible(true);
    EXPECT_FALSE(child->IsVisible());
}

TEST(TabLayoutTest, TheFirstVisiblePageIsCurrentAndTheOthersAreHidden) {
    CTabLayoutUI tabs;
    EXPECT_EQ(tabs.Selection(), -1);
    CControlUI* hidden = tabs.Add(std::make_unique<CControlUI>());
    hidden->SetVisible(false);
    tabs.Remove(hidden);
    auto first = std::make_unique<CControlUI>();
    first->SetVisible(false);
    CControlUI* p0 = tabs.Add(std::move(first));
    CControlUI* p1 = tabs.Add(std::make_unique<CControlUI>());
    CControlUI* p2 = tabs.Add(std::make_unique<CControlUI>());
    EXPECT_EQ(tabs.Selection(), 1);
    EXPECT_FALSE(p0->IsVisible());
    EXPECT_TRUE(p1->IsVisible());
    EXPECT_FALSE(p2->IsVisible());

    tabs.SetBounds(test::Rect(0, 0, 100, 50));
    EXPECT_RECT(p1->Bounds(), 0, 0, 100, 50);
    EXPECT_RECT(p2->Bounds(), 0, 0, 0, 0);
}

TEST(TabLayoutTest, SelectShowsOnePageAndNotifies) {
    test::FakeHost host;
    CTabLayoutUI tabs;
    tabs.AttachManager(&host, nullptr, AttachMode::kAttachOnly);
    CControlUI* p0 = tabs.Add(std::make_unique<CControlUI>());
    CControlUI* p1 = tabs.Add(std::make_unique<CControlUI>());
    tabs.SetBounds(test::Rect(0, 0, 80, 40));
    host.notifications.clear();

    EXPECT_TRUE(tabs.Select(1));
    EXPECT_FALSE(p0->IsVisible());
    EXPECT_TRUE(p1->IsVisible());
    EXPECT_RECT(p1->Bounds(), 0, 0, 80, 40);
    EXPECT_EQ(host.focus, p1);
    ASSERT_EQ(host.notifications.size(), 1u);
    EXPECT_EQ(host.notifications[0].type, NotifyType::kTabSelect);
    EXPECT_EQ(host.notifications[0].sender, &tabs);
    EXPECT_EQ(host.notifications[0].wParam, 1u);
    EXPECT_EQ(host.notifications[0].lParam, 0);

    EXPECT_TRUE(tabs.Select(p1));
    EXPECT_FALSE(tabs.Select(2));
    EXPECT_FALSE(tabs.Select(-1));
    EXPECT_EQ(host.notifications.size(), 1u);
    EXPECT_EQ(tabs.Selection(), 1);
}

TEST(TabLayoutTest, RemovingTheCurrentPageSelectsTheFirst) {
    int destroyed = 0;
    CTabLayoutUI tabs;
    CControlUI* p0 = tabs.Add(std::make_unique<test::CountingControl>(&destroyed));
    tabs.Add(std::make_unique<test::CountingControl>(&destroyed));
    CControlUI* p2 = tabs.Add(std::make_unique<test::CountingControl>(&destroyed));
    tabs.Select(2);
    EXPECT_TRUE(tabs.Remove(p2));
    EXPECT_EQ(tabs.Selection(), 0);
    EXPECT_TRUE(p0->IsVisible());

    // Removing a page before the current one keeps the same page current.
    tabs.Select(1);
    CControlUI* p1 = tabs.ItemAt(1);
    EXPECT_TRUE(tabs.Remove(p0));
    EXPECT_EQ(tabs.Selection(), 0);
    EXPECT_EQ(tabs.ItemAt(0), p1);

    EXPECT_TRUE(tabs.Remove(p1));
    EXPECT_EQ(tabs.Selection(), -1);
    EXPECT_EQ(destroyed, 3);
}

TEST(TabLayoutTest, InsertingBeforeTheCurrentPageKeepsItCurrentAndHidesTheNewPage) {
    CTabLayoutUI tabs;
    tabs.Add(std::make_unique<CControlUI>());
    CControlUI* current = tabs.Add(std::make_unique<CControlUI>());
    tabs.Select(1);

    auto before = std::make_unique<CControlUI>();
    ASSERT_TRUE(tabs.InsertAt(before.get(), 1));
    CControlUI* beforeRaw = before.release();
    EXPECT_EQ(tabs.Selection(), 2);
    EXPECT_EQ(tabs.ItemAt(2), current);
    EXPECT_FALSE(beforeRaw->IsVisible());

    auto after = std::make_unique<CControlUI>();
    ASSERT_TRUE(tabs.InsertAt(after.get(), 3));
    CControlUI* afterRaw = after.release();
    EXPECT_EQ(tabs.Selection(), 2);
    EXPECT_FALSE(afterRaw->IsVisible());
    EXPECT_TRUE(current->IsVisible());

    tabs.Clear();
    EXPECT_EQ(tabs.Selection(), -1);
    auto only = std::make_unique<CControlUI>();
    ASSERT_TRUE(tabs.InsertAt(only.get(), 0));
    EXPECT_EQ(tabs.Selection(), 0);
    EXPECT_TRUE(only.release()->IsVisible());
}

TEST(TabLayoutTest, PagesAddedWhileTheTabLayoutIsHiddenShowWithIt) {
    CTabLayoutUI tabs;
    tabs.SetVisible(false);
    CControlUI* p0 = tabs.Add(std::make_unique<CControlUI>());
    CControlUI* p1 = tabs.Add(std::make_unique<CControlUI>());
    EXPECT_EQ(tabs.Selection(), 0);
    tabs.SetVisible(true);
    EXPECT_TRUE(p0->IsVisible());
    EXPECT_FALSE(p1->IsVisible());
}

CControlUI* Found(CControlUI* control, void*) {
    return control;
}

TEST(ContainerSearchTest, HitTestsFindTheTopmostChildUnderThePoint) {
    CContainerUI root;
    root.SetInset(test::Rect(10, 10, 10, 10));
    CControlUI* below = root.Add(std::make_unique<CControlUI>());
    CControlUI* above = root.Add(std::make_unique<CControlUI>());
    CControlUI* floating = root.Add(std::make_unique<CControlUI>());
    floating->SetFloat(true);
    root.SetBounds(test::Rect(0, 0, 100, 100));
    floating->SetBounds(test::Rect(0, 0, 10, 10));

    POINT inside = {50, 50};
    EXPECT_EQ(root.Search(Found, &inside, kFindVisible | kFindHitTest), below);
    EXPECT_EQ(root.Search(Found, &inside, kFindVisible | kFindHitTest | kFindTopFirst), above);
    EXPECT_EQ(root.Search(Found, &inside, kFindHitTest | kFindMeFirst), &root);
    above->SetMouseEnabled(false);
    EXPECT_EQ(root.Search(Found, &inside, kFindHitTest | kFindTopFirst), below);
    below->SetVisible(false);
    EXPECT_EQ(root.Search(Found, &inside, kFindVisible | kFindHitTest), &root);
    EXPECT_EQ(root.Search(Found, &inside, kFindHitTest), below);

    // The inset margin belongs to the container, except where a float child lies.
    POINT margin = {95, 50};
    below->SetVisible(true);
    below->SetBounds(test::Rect(0, 0, 100, 100));
    EXPECT_EQ(root.Search(Found, &margin, kFindHitTest), &root);
    POINT corner = {5, 5};
    EXPECT_EQ(root.Search(Found, &corner, kFindHitTest | kFindTopFirst), floating);

    root.SetMouseChildEnabled(false);
    EXPECT_EQ(root.Search(Found, &inside, kFindHitTest), &root);
    POINT outside = {150, 50};
    EXPECT_EQ(root.Search(Found, &outside, kFindHitTest), nullptr);
    root.SetEnabled(false);
    EXPECT_EQ(root.Search(Found, &inside, kFindEnabled), nullptr);
}

TEST(ContainerEventTest, AMouseDisabledContainerPassesMouseEventsToItsParent) {
    test::EventRecorder parent;
    auto* container = parent.Add(std::make_unique<CContainerUI>());
    container->SetMouseEnabled(false);
    UIEvent move;
    move.kind = kEventMouseMove;
    container->HandleEvent(move);
    UIEvent key;
    key.kind = kEventKeyDown;
    container->HandleEvent(key);
    ASSERT_EQ(parent.kinds.size(), 2u);
    EXPECT_EQ(parent.kinds[0], kEventMouseMove);

    UIEvent focus;
    focus.kind = kEventSetFocus;
    container->HandleEvent(focus);
    EXPECT_TRUE(container->HasFocus());
    EXPECT_EQ(parent.kinds.size(), 2u);
}

}  // namespace
