// The window and message logic both platform layers share, on its own: the
// queue's filters and its late WM_QUIT, the class registry, showing and
// activation, device contexts, and handle values.
#include "platform/win32_common.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using platform::HandleKind;
using platform::MessageQueue;
using platform::WindowClasses;
using platform::WindowRecord;

std::vector<MSG> sent;

LRESULT CALLBACK SeeingProc(HWND window, UINT message, WPARAM wParam,
                            LPARAM lParam) {
  sent.push_back(MSG{window, message, wParam, lParam, 0, {}});
  return 42;
}

HWND FakeWindow(int serial) {
  return platform::MakeHandle<HWND>(HandleKind::Window, serial);
}

WNDCLASSA ClassNamed(const char *name) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = SeeingProc;
  wc.lpszClassName = name;
  return wc;
}

// ---- the queue
// ----------------------------------------------------------------

class SharedQueue : public ::testing::Test {
protected:
  MessageQueue queue;
  const HWND a = FakeWindow(1);
  const HWND b = FakeWindow(2);
  MSG msg = {};
};

TEST_F(SharedQueue, FiltersByWindowAndRangeAndKeepsUnremovedMessages) {
  queue.Post(a, WM_KEYDOWN, 0x41, 0, 10);
  queue.Post(b, WM_CLOSE, 0, 0, 11);
  queue.Post(a, WM_CLOSE, 0, 0, 12);

  ASSERT_TRUE(queue.Peek(&msg, b, 0, 0, PM_NOREMOVE, 0));
  EXPECT_EQ(msg.hwnd, b);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_CLOSE));
  EXPECT_EQ(msg.time, 11u);

  // A range skips the key message that is first in the queue.
  ASSERT_TRUE(queue.Peek(&msg, a, WM_CLOSE, WM_CLOSE, PM_REMOVE, 0));
  EXPECT_EQ(msg.time, 12u);
  ASSERT_TRUE(queue.Peek(&msg, a, 0, 0, PM_REMOVE, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN));
  EXPECT_EQ(msg.wParam, 0x41u);
  EXPECT_FALSE(queue.Peek(&msg, a, 0, 0, PM_REMOVE, 0));
  // b's message was only looked at, so it is still there.
  EXPECT_TRUE(queue.Peek(&msg, nullptr, 0, 0, PM_REMOVE, 0));
  EXPECT_FALSE(queue.Peek(&msg, nullptr, 0, 0, PM_REMOVE, 0));
}

TEST_F(SharedQueue, QuitWaitsForPostedMessagesAndItsRange) {
  queue.PostQuit(7);
  queue.Post(a, WM_CLOSE, 0, 0, 1);

  ASSERT_TRUE(queue.Peek(&msg, nullptr, 0, 0, PM_REMOVE, 99));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_CLOSE));
  // Outside the range the quit is not handed out.
  EXPECT_FALSE(queue.Peek(&msg, nullptr, WM_KEYDOWN, WM_KEYUP, PM_REMOVE, 99));
  ASSERT_TRUE(queue.Peek(&msg, nullptr, 0, 0, PM_NOREMOVE, 99));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 7u);
  EXPECT_EQ(msg.time, 99u);
  EXPECT_EQ(msg.hwnd, nullptr);
  ASSERT_TRUE(queue.Peek(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE, 5));
  EXPECT_EQ(msg.time, 5u);
  EXPECT_FALSE(queue.Peek(&msg, nullptr, 0, 0, PM_REMOVE, 5));
}

TEST_F(SharedQueue, ADestroyedWindowsMessagesAreDropped) {
  queue.Post(a, WM_CLOSE, 0, 0, 0);
  queue.Post(b, WM_CLOSE, 0, 0, 0);
  queue.Post(a, WM_KEYUP, 0, 0, 0);
  queue.DropFor(a);
  ASSERT_TRUE(queue.Peek(&msg, nullptr, 0, 0, PM_REMOVE, 0));
  EXPECT_EQ(msg.hwnd, b);
  EXPECT_FALSE(queue.Peek(&msg, nullptr, 0, 0, PM_REMOVE, 0));
}

TEST_F(SharedQueue, OnlyKeyMessagesTranslate) {
  for (UINT key : {WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP}) {
    msg.message = key;
    EXPECT_TRUE(platform::IsKeyMessage(&msg)) << key;
  }
  msg.message = WM_CLOSE;
  EXPECT_FALSE(platform::IsKeyMessage(&msg));
  EXPECT_FALSE(platform::IsKeyMessage(nullptr));
}

// ---- classes
// ------------------------------------------------------------------

TEST(SharedClasses, NamesCompareWithoutCaseAndNumbersAreRefused) {
  WindowClasses classes;
  WNDCLASSA wc = ClassNamed("Lounge");
  const ATOM first = classes.Register(&wc);
  EXPECT_EQ(first, 0xC001);
  WNDCLASSA again = ClassNamed("LOUNGE");
  EXPECT_EQ(classes.Register(&again), 0);
  WNDCLASSA numbered = ClassNamed(reinterpret_cast<LPCSTR>(UINT_PTR{5}));
  EXPECT_EQ(classes.Register(&numbered), 0);
  WNDCLASSA empty = ClassNamed("");
  EXPECT_EQ(classes.Register(&empty), 0);
  WNDCLASSA noProc = ClassNamed("other");
  noProc.lpfnWndProc = nullptr;
  EXPECT_EQ(classes.Register(&noProc), 0);
  EXPECT_EQ(classes.Register(nullptr), 0);
  WNDCLASSA other = ClassNamed("Other");
  EXPECT_EQ(classes.Register(&other), first + 1);
  EXPECT_EQ(classes.Count(), 2);

  const WindowClasses::Entry *found = classes.Find("lOUNGE");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->key, "lounge");
  EXPECT_EQ(found->procedure, &SeeingProc);
  EXPECT_EQ(classes.Find(nullptr), nullptr);
  EXPECT_EQ(classes.Find(reinterpret_cast<LPCSTR>(UINT_PTR{0xC001})), nullptr);
  EXPECT_EQ(classes.Find("nowhere"), nullptr);
}

TEST(SharedClasses, AClassWithWindowsStaysRegistered) {
  WindowClasses classes;
  WNDCLASSA wc = ClassNamed("Lounge");
  ASSERT_NE(classes.Register(&wc), 0);
  platform::HandleTable<WindowRecord> windows(HandleKind::Window);
  auto window = std::make_unique<WindowRecord>();
  platform::InitWindowRecord(window.get(), *classes.Find("lounge"), "t",
                             WS_POPUP, 0, 10, 10, platform::FrameFor(0, false));
  const HWND handle = windows.Add<HWND>(std::move(window));

  EXPECT_FALSE(classes.Unregister("LOUNGE", windows));
  EXPECT_EQ(classes.Count(), 1);
  windows.Remove(handle);
  EXPECT_TRUE(classes.Unregister("LOUNGE", windows));
  EXPECT_FALSE(classes.Unregister("lounge", windows));
  EXPECT_EQ(classes.Count(), 0);
  // The name is free again.
  EXPECT_NE(classes.Register(&wc), 0);
}

// ---- window records, showing and activation
// ------------------------------------

TEST(SharedWindows, TheClientSizeIsTheOuterSizeLessTheFrame) {
  WindowClasses classes;
  WNDCLASSA wc = ClassNamed("Lounge");
  classes.Register(&wc);
  WindowRecord window;
  const platform::FrameInsets frame = platform::FrameFor(WS_CAPTION, true);
  platform::InitWindowRecord(&window, *classes.Find("Lounge"), nullptr,
                             WS_CAPTION, 8, 200, 150, frame);
  EXPECT_EQ(window.className, "lounge");
  EXPECT_EQ(window.title, "");
  EXPECT_EQ(window.exStyle, 8u);
  EXPECT_EQ(window.clientWidth, 200 - frame.left - frame.right);
  EXPECT_EQ(window.clientHeight, 150 - frame.top - frame.bottom);
  // Too small for its frame: no client area, not a negative one.
  platform::InitWindowRecord(&window, *classes.Find("Lounge"), "t", WS_CAPTION,
                             0, 2, 2, frame);
  EXPECT_EQ(window.clientWidth, 0);
  EXPECT_EQ(window.clientHeight, 0);

  RECT rect = {0, 0, 200, 150};
  platform::AddFrame(&rect, frame);
  EXPECT_EQ(rect.right - rect.left, 200 + frame.left + frame.right);
  EXPECT_EQ(rect.bottom - rect.top, 150 + frame.top + frame.bottom);
}

TEST(SharedWindows, ShowingSetsVisibilityFocusAndActivationOnce) {
  sent.clear();
  WindowRecord window;
  window.procedure = SeeingProc;
  const HWND handle = FakeWindow(3);
  HWND focus = nullptr;

  EXPECT_EQ(platform::ShowRecord(&window, handle, SW_SHOW, &focus), FALSE);
  EXPECT_TRUE(window.visible);
  EXPECT_TRUE(window.active);
  EXPECT_EQ(focus, handle);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].message, static_cast<UINT>(WM_ACTIVATE));
  EXPECT_EQ(sent[0].wParam, static_cast<WPARAM>(MAKELONG(WA_ACTIVE, 0)));

  // Shown again: no change, so no second WM_ACTIVATE.
  EXPECT_EQ(platform::ShowRecord(&window, handle, SW_SHOWNORMAL, &focus), TRUE);
  EXPECT_EQ(sent.size(), 1u);

  focus = nullptr;
  EXPECT_EQ(platform::ShowRecord(&window, handle, SW_MINIMIZE, &focus), TRUE);
  EXPECT_TRUE(window.visible);
  EXPECT_TRUE(window.minimised);
  EXPECT_FALSE(window.active);
  EXPECT_EQ(focus, nullptr);
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[1].wParam, static_cast<WPARAM>(MAKELONG(WA_INACTIVE, 1)));

  // Hiding keeps the window minimised.
  EXPECT_EQ(platform::ShowRecord(&window, handle, SW_HIDE, &focus), TRUE);
  EXPECT_FALSE(window.visible);
  EXPECT_TRUE(window.minimised);
  EXPECT_EQ(sent.size(), 2u);

  EXPECT_EQ(platform::ShowRecord(nullptr, handle, SW_SHOW, &focus), FALSE);
  EXPECT_EQ(focus, nullptr);
  EXPECT_EQ(platform::ShowKindOf(SW_SHOWMINIMIZED),
            platform::ShowKind::Minimise);
  EXPECT_EQ(platform::ShowKindOf(SW_RESTORE), platform::ShowKind::Show);
}

TEST(SharedWindows, FocusActivatesAndAnswersThePreviousFocus) {
  sent.clear();
  WindowRecord window;
  window.procedure = SeeingProc;
  window.minimised = true;
  const HWND handle = FakeWindow(5);
  const HWND before = FakeWindow(6);
  HWND focus = before;

  EXPECT_EQ(platform::MoveFocus(handle, &window, &focus), before);
  EXPECT_EQ(focus, handle);
  EXPECT_TRUE(window.active);
  EXPECT_TRUE(window.minimised); // focus does not restore a window
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].wParam, static_cast<WPARAM>(MAKELONG(WA_ACTIVE, 1)));

  // A window that is gone takes no focus.
  EXPECT_EQ(platform::MoveFocus(FakeWindow(7), nullptr, &focus), nullptr);
  EXPECT_EQ(focus, handle);
  EXPECT_EQ(platform::MoveFocus(nullptr, nullptr, &focus), handle);
  EXPECT_EQ(focus, nullptr);
  EXPECT_EQ(sent.size(), 1u);
}

TEST(SharedWindows, SendingNeedsALiveWindowWithAProcedure) {
  sent.clear();
  WindowRecord window;
  const HWND handle = FakeWindow(4);
  EXPECT_EQ(platform::CallProcedure(&window, handle, WM_CLOSE, 0, 0), 0);
  EXPECT_EQ(platform::CallProcedure(nullptr, handle, WM_CLOSE, 0, 0), 0);
  EXPECT_TRUE(sent.empty());
  window.procedure = SeeingProc;
  EXPECT_EQ(platform::CallProcedure(&window, handle, WM_CLOSE, 1, 2), 42);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].hwnd, handle);
  EXPECT_EQ(sent[0].lParam, 2);
  platform::ChangeActivation(nullptr, handle, true, false);
  EXPECT_EQ(sent.size(), 1u);
}

// ---- device contexts and handles
// ------------------------------------------------

TEST(SharedDeviceContexts, OnePerWindowUntilTheWindowGoes) {
  platform::DeviceContexts dcs;
  WindowRecord a;
  WindowRecord b;
  const HWND ha = FakeWindow(1);
  const HWND hb = FakeWindow(2);
  const HDC dc = dcs.For(&a, ha);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(dcs.For(&a, ha), dc);
  EXPECT_EQ(a.deviceContext, dc);
  const HDC other = dcs.For(&b, hb);
  EXPECT_NE(other, dc);
  EXPECT_EQ(dcs.WindowOf(dc), ha);
  EXPECT_EQ(dcs.WindowOf(other), hb);
  // A window handle is not a device context, though its serial matches.
  EXPECT_EQ(dcs.WindowOf(reinterpret_cast<HDC>(ha)), nullptr);

  dcs.Forget(&a);
  EXPECT_EQ(a.deviceContext, nullptr);
  EXPECT_EQ(dcs.WindowOf(dc), nullptr);
  EXPECT_EQ(dcs.WindowOf(other), hb);
  dcs.Forget(nullptr);
  dcs.Clear();
  EXPECT_EQ(dcs.WindowOf(other), nullptr);
}

TEST(SharedHandles, KindAndSerialRoundTrip) {
  const HICON icon = platform::MakeHandle<HICON>(HandleKind::Icon, 32512);
  EXPECT_EQ(platform::KindOf(icon), HandleKind::Icon);
  EXPECT_EQ(platform::SerialOf(icon), 32512u);

  platform::HandleTable<int> table(HandleKind::Cursor);
  const HCURSOR added = table.Add<HCURSOR>(std::make_unique<int>(1));
  EXPECT_EQ(table.HandleOf<HCURSOR>(table.Items().begin()->first), added);
  EXPECT_EQ(platform::KindOf(added), HandleKind::Cursor);
}

TEST(SharedHandles, SystemResourcesAndTheOwnModule) {
  const auto id = [](UINT_PTR n) { return reinterpret_cast<LPCSTR>(n); };
  const HICON arrow =
      platform::SystemResource<HICON>(HandleKind::Icon, nullptr, id(32512));
  ASSERT_NE(arrow, nullptr);
  EXPECT_EQ(platform::KindOf(arrow), HandleKind::Icon);
  EXPECT_EQ(platform::SerialOf(arrow), 32512u);
  EXPECT_EQ(platform::SystemResource<HICON>(HandleKind::Icon, nullptr, id(100)),
            nullptr);
  EXPECT_EQ(
      platform::SystemResource<HICON>(HandleKind::Icon, nullptr, "IDI_APP"),
      nullptr);
  const HINSTANCE module = platform::ModuleHandle(nullptr);
  EXPECT_EQ(
      platform::SystemResource<HICON>(HandleKind::Icon, module, id(32512)),
      nullptr);
  EXPECT_EQ(platform::KindOf(module), HandleKind::Module);
  EXPECT_EQ(platform::ModuleHandle("other.dll"), nullptr);
  EXPECT_TRUE(platform::IsResourceId(id(0xFFFF)));
  EXPECT_FALSE(platform::IsResourceId("name"));
}

} // namespace
