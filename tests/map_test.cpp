// The map of the plane while panning: its layout, and the window that shows
// it with pan mode (1024 x 768 screen, a 170 x 127 map for a 3 x 3 plane).
#include "tests/fixture.h"

#include <functional>

#include "app/mapwindow.h"
#include "app/shutdown.h"

namespace {

std::string Text(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

// The map as the user sees it: where it is, the colour at `probe` in it,
// and how often it was drawn since the calls were cleared.
std::string MapLook(POINT probe) {
    HWND map = program.windows.map;
    if (!IsWindowVisible(map)) return "hidden";
    const DWORD through = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE;
    bool clickThrough = ((DWORD)GetWindowLongA(map, GWL_EXSTYLE) & through) == through && sim::LayeredAlpha(map) < 255;
    COLORREF colour = sim::WindowPixel(map, probe.x, probe.y);
    const char* name = colour == kMapView ? "view" : colour == kMapWindowEdge ? "window edge" : "other";
    return Text(sim::WindowRect(map)) + (clickThrough ? ", " : " ?, ") + name + ", draws " +
           std::to_string(sim::CallsStartingWith("BitBlt(").size());
}

// Chooses `command` from the tray menu; whether 地図を表示 was checked.
bool Menu(UINT command) {
    sim::ChooseMenuItem(command);
    SendMessageA(program.windows.mover, WM_APP + 1, 1, WM_RBUTTONUP);
    for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&msg);
    return sim::Popups().back().items.at(1).checked;
}

}  // namespace

// Each row: the plane, the view's offset and one window's screen rectangle;
// then the map's place on the screen, and view, start cell and window in it.
TEST(MapLayout, PlaneViewStartAndWindows) {
    struct Case {
        const char* name;
        int32_t widthSteps, heightSteps, startCell;
        Point32 offset;
        RECT window;          // on the screen
        const char* expected;  // place | view | start | window
    } cases[] = {
        {"3x3 at the centre", 2, 2, 4, {0, 0}, {100, 100, 300, 250}, "846,633,1016,760 | 56,42,113,84 | 56,42,113,84 | 62,47,73,56"},
        {"3x3 at start cell 0", 2, 2, 0, {1024, 768}, {100, 100, 300, 250}, "846,633,1016,760 | 0,0,56,42 | 0,0,56,42 | 5,5,16,13"},
        {"3x3, start cell 8", 2, 2, 8, {0, 0}, {0, 0, 1024, 768}, "846,633,1016,760 | 56,42,113,84 | 113,84,170,127 | 56,42,113,84"},
        {"1x1: the view is the plane", 0, 0, 4, {0, 0}, {512, 384, 1536, 1152}, "846,633,1016,760 | 0,0,170,127 | 0,0,170,127 | 85,63,170,127"},
        {"10x2", 9, 1, 4, {0, 0}, {0, 0, 1024, 768}, "846,735,1016,760 | 76,6,93,18 | 76,6,93,18 | 76,6,93,18"},
        {"off the plane to the right", 2, 2, 4, {0, 0}, {5000, 100, 5200, 250}, "846,633,1016,760 | 56,42,113,84 | 56,42,113,84 | 168,47,170,56"},
        {"off the plane above and left", 2, 2, 4, {-100, 0}, {-9000, -9000, -8000, -8000}, "846,633,1016,760 | 62,42,118,84 | 56,42,113,84 | 0,0,2,2"},
        {"start cell 9 places nowhere", 2, 2, 9, {0, 0}, {0, 0, 1, 1}, "846,633,1016,760 | 56,42,113,84 | 0,0,0,0 | 56,42,58,44"},
        {"a width that wrapped: no map", -2, 2, 4, {0, 0}, {0, 0, 1, 1}, "0,0,0,0 | 0,0,0,0 | 0,0,0,0 | none"},
    };
    for (const Case& c : cases) {
        MapPicture p;
        LayOutMap({kScreen, kScreen, c.widthSteps, c.heightSteps, c.startCell, c.offset}, {c.window}, p);
        std::string windows = p.windows.empty() ? "none" : Text(p.windows[0]);
        EXPECT_EQ(Text(p.place) + " | " + Text(p.view) + " | " + Text(p.start) + " | " + windows, c.expected) << c.name;
    }
}

// One run, a row per step: what the user does, and the map after it.
TEST_F(VeskalTest, MapShowsWhilePanningAsTheMenuChooses) {
    ASSERT_TRUE(Start());
    sim::SetWorkArea({0, 0, 1024, 728});  // a taskbar below
    AddWindowAt(100, 100);                 // 62,47 to 67,53 in the map, above the desktop's 56,42 to 113,84
    sim::SetCursor(500, 400);
    EXPECT_TRUE(Menu(0));
    auto key = [&](int vk, bool down) { sim::SetKey(vk, down), Tick(); };
    auto chord = [&](bool down) { sim::SetKey(VK_SHIFT, down), key(VK_CONTROL, down); };
    auto menu = [] { Menu(ID_TRAY_MAP); };
    char text[] = "2 2 1 4 1 16 17";
    COPYDATASTRUCT message = {0, sizeof text - 1, text};
    auto send = [&] { SendMessageA(program.windows.mover, WM_COPYDATA, 0, (LPARAM)&message), Tick(); };
    const char* shown = "846,593,1016,720, view, draws 1";
    struct Row {
        const char* name;
        std::function<void()> act;
        POINT probe;  // in the map
        const char* look;
    } rows[] = {
        {"chord held: shown in the work area's corner", [&] { chord(true); }, {56, 60}, shown},
        {"the window at its place, over the desktop's", [] {}, {62, 50}, "846,593,1016,720, window edge, draws 0"},
        {"a drag 300 right: the frame follows", [&] { key(VK_LBUTTON, true), sim::SetCursor(800, 400), Tick(); },
         {40, 60}, shown},
        {"a double click: home", [&] { key(VK_LBUTTON, false), key(VK_LBUTTON, true), key(VK_LBUTTON, false); },
         {56, 60}, shown},
        {"chord released: hidden", [&] { chord(false); }, {}, "hidden"},
        {"menu item off, chord held: none", [&] { menu(), chord(true); }, {}, "hidden"},
        {"a settings message keeps the choice", send, {}, "hidden"},
        {"menu item on while panning: shown at once", menu, {56, 60}, shown},
        {"menu item off while panning: hidden at once", menu, {}, "hidden"},
    };
    for (const Row& row : rows) {
        sim::ClearCalls();
        row.act();
        EXPECT_EQ(MapLook(row.probe), row.look) << row.name;
    }
    EXPECT_FALSE(Menu(0));
    chord(false);
    ShutDown();
    EXPECT_EQ(ReadIni(), "WIDTH=3\nHEIGHT=3\nACTKEY=16\nACTKEY=17\nDCENTER=1\nPOS0=4\nSPEED=1\nMAP=0\n");
}
