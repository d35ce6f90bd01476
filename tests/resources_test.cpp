// The program's resources: the pixels of the icons and the pan cursor, read
// back from the files the resource script names, and what the stand-in
// serves from that script.
#include "tests/fixture.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "res/resource.h"

namespace {

const uint32_t kClear = 0xFF000000u;     // AND mask set, colour 0
const uint32_t kInverted = 0xFE000000u;  // AND mask set over a colour: never wanted
const uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF;
const uint32_t kGreen = 0x00FF00, kDarkGreen = 0x008000;
const uint32_t kRed = 0xFF0000, kDarkRed = 0x800000;

// One image of an .ico or .cur file, decoded to 0xRRGGBB or kClear per pixel.
struct Image {
    int width = 0, height = 0, bpp = 0, colors = 0;
    int hotX = 0, hotY = 0;  // planes and bit count for icons
    std::string dib;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[y * width + x]; }
};

struct IconFile {
    int type = 0;  // 1 icon, 2 cursor
    std::vector<Image> images;
};

unsigned U16(const std::string& b, size_t at) {
    return (unsigned char)b[at] | (unsigned char)b[at + 1] << 8;
}

uint32_t U32(const std::string& b, size_t at) {
    return U16(b, at) | (uint32_t)U16(b, at + 2) << 16;
}

Image Decode(const std::string& dib, int width, int height) {
    Image img;
    img.dib = dib;
    img.width = (int)U32(dib, 4);
    img.bpp = (int)U16(dib, 14);
    img.height = (int)U32(dib, 8) / 2;
    EXPECT_EQ(U32(dib, 0), 40u);
    EXPECT_EQ(img.width, width);
    EXPECT_EQ(img.height, height);
    size_t palette = 40, colors = U32(dib, 32) ? U32(dib, 32) : 1u << img.bpp;
    size_t colorStride = (img.width * img.bpp + 31) / 32 * 4, maskStride = (img.width + 31) / 32 * 4;
    size_t colorBits = palette + 4 * colors, maskBits = colorBits + colorStride * img.height;
    EXPECT_EQ(dib.size(), maskBits + maskStride * img.height);
    if (dib.size() < maskBits + maskStride * img.height) return img;
    for (int y = 0; y < img.height; ++y) {
        int row = img.height - 1 - y;  // stored bottom-up
        for (int x = 0; x < img.width; ++x) {
            size_t bit = (size_t)x * img.bpp;
            unsigned byte = (unsigned char)dib[colorBits + row * colorStride + bit / 8];
            unsigned index = (byte >> (8 - img.bpp - bit % 8)) & ((1u << img.bpp) - 1);
            bool masked = (unsigned char)dib[maskBits + row * maskStride + x / 8] >> (7 - x % 8) & 1;
            uint32_t rgb = U32(dib, palette + 4 * index) & 0xFFFFFF;  // bytes B, G, R, 0
            img.pixels.push_back(masked ? (index ? kInverted : kClear) : rgb);
        }
    }
    return img;
}

IconFile ReadIconFile(const std::string& path) {
    IconFile file;
    std::string bytes = ReadFile(path);
    if (bytes.size() < 6) {
        ADD_FAILURE() << "cannot read " << path;
        return file;
    }
    file.type = (int)U16(bytes, 2);
    for (unsigned i = 0; i < U16(bytes, 4); ++i) {
        size_t entry = 6 + 16 * i;
        int w = (unsigned char)bytes[entry], h = (unsigned char)bytes[entry + 1];
        Image img = Decode(bytes.substr(U32(bytes, entry + 12), U32(bytes, entry + 8)), w, h);
        img.colors = (unsigned char)bytes[entry + 2];
        img.hotX = (int)U16(bytes, entry + 4);
        img.hotY = (int)U16(bytes, entry + 6);
        file.images.push_back(img);
    }
    return file;
}

IconFile Icon(UINT id) {
    return ReadIconFile(sim::ResourceFile("ICON", id));
}

Image Cursor() {
    IconFile file = ReadIconFile(sim::ResourceFile("CURSOR", IDC_MOVECURSOR));
    EXPECT_EQ(file.type, 2);
    EXPECT_EQ(file.images.size(), 1u);
    return file.images.empty() ? Image() : file.images[0];
}

bool Touches(const Image& img, int x, int y, uint32_t color) {
    for (int j = y - 1; j <= y + 1; ++j)
        for (int i = x - 1; i <= x + 1; ++i)
            if (i >= 0 && j >= 0 && i < img.width && j < img.height && (i != x || j != y) && img.At(i, j) == color)
                return true;
    return false;
}

// ---- the pan cursor ----

TEST(MoveCursor, IsMonochrome32x32WithHotSpotAtItsCentre) {
    Image c = Cursor();
    ASSERT_EQ(c.pixels.size(), 32u * 32u);
    EXPECT_EQ(c.bpp, 1);
    EXPECT_EQ(c.hotX, 15);
    EXPECT_EQ(c.hotY, 15);
    EXPECT_EQ(c.At(15, 15), kBlack);
    for (uint32_t p : c.pixels) EXPECT_TRUE(p == kBlack || p == kWhite || p == kClear) << std::hex << p;
}

TEST(MoveCursor, ArrowWithOutlineSpans21PixelsAroundTheHotSpot) {
    Image c = Cursor();
    ASSERT_EQ(c.pixels.size(), 32u * 32u);
    int left = 32, top = 32, right = -1, bottom = -1;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (c.At(x, y) != kClear) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    EXPECT_EQ(left, 5);
    EXPECT_EQ(right, 25);
    EXPECT_EQ(top, 5);
    EXPECT_EQ(bottom, 25);
}

TEST(MoveCursor, FourTipsTenPixelsFromTheHotSpot) {
    Image c = Cursor();
    ASSERT_EQ(c.pixels.size(), 32u * 32u);
    const struct {
        const char* name;
        int dx, dy;
    } directions[] = {{"up", 0, -1}, {"down", 0, 1}, {"left", -1, 0}, {"right", 1, 0}};
    for (const auto& d : directions) {
        for (int k = 0; k <= 9; ++k)  // black shaft and head from the centre out
            EXPECT_EQ(c.At(15 + k * d.dx, 15 + k * d.dy), kBlack) << d.name << " at " << k;
        EXPECT_EQ(c.At(15 + 10 * d.dx, 15 + 10 * d.dy), kWhite) << d.name;
        EXPECT_EQ(c.At(15 + 11 * d.dx, 15 + 11 * d.dy), kClear) << d.name;
        // A head, not a bare line: wider than the shaft somewhere near the tip.
        int widest = 0;
        for (int k = 5; k <= 9; ++k) {
            int w = 0;
            while (w < 9 && c.At(15 + k * d.dx + (w + 1) * d.dy, 15 + k * d.dy + (w + 1) * d.dx) == kBlack) ++w;
            widest = std::max(widest, w);
        }
        EXPECT_GE(widest, 2) << d.name;
    }
}

TEST(MoveCursor, BlackIsOutlinedByExactlyOneWhitePixel) {
    Image c = Cursor();
    ASSERT_EQ(c.pixels.size(), 32u * 32u);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            if (c.At(x, y) == kBlack) {
                EXPECT_FALSE(Touches(c, x, y, kClear)) << x << "," << y;
            }
            if (c.At(x, y) == kWhite) {
                EXPECT_TRUE(Touches(c, x, y, kBlack)) << x << "," << y;
            }
        }
}

TEST(MoveCursor, SymmetricAboutTheHotSpot) {
    Image c = Cursor();
    ASSERT_EQ(c.pixels.size(), 32u * 32u);
    for (int y = 0; y <= 30; ++y)
        for (int x = 0; x <= 30; ++x) {
            EXPECT_EQ(c.At(x, y), c.At(30 - x, y)) << x << "," << y;
            EXPECT_EQ(c.At(x, y), c.At(x, 30 - y)) << x << "," << y;
            EXPECT_EQ(c.At(x, y), c.At(y, x)) << x << "," << y;
        }
}

// ---- the tray icons ----

struct TrayLook {
    UINT id;
    uint32_t topLeft, topRight, bottomLeft, bottomRight;
};

const TrayLook kTrayLooks[] = {
    {IDI_TRAY_ENABLED, kGreen, kDarkGreen, kDarkGreen, kBlack},
    {IDI_TRAY_STOPPED, kBlack, kDarkRed, kDarkRed, kRed},
};

// Clear margin, black frame, four 6x6 quadrants.
void ExpectTrayPicture(const Image& img, const TrayLook& look) {
    ASSERT_EQ(img.pixels.size(), 16u * 16u);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            uint32_t want;
            if (x == 0 || y == 0 || x == 15 || y == 15)
                want = kClear;
            else if (x == 1 || y == 1 || x == 14 || y == 14)
                want = kBlack;
            else if (y < 8)
                want = x < 8 ? look.topLeft : look.topRight;
            else
                want = x < 8 ? look.bottomLeft : look.bottomRight;
            EXPECT_EQ(img.At(x, y), want) << "icon " << look.id << " at " << x << "," << y;
        }
}

TEST(TrayIcons, Single16x16In16ColoursWithFrameAndQuadrants) {
    for (const auto& look : kTrayLooks) {
        IconFile file = Icon(look.id);
        EXPECT_EQ(file.type, 1);
        ASSERT_EQ(file.images.size(), 1u) << look.id;
        const Image& img = file.images[0];
        EXPECT_EQ(img.bpp, 4) << look.id;
        EXPECT_EQ(img.colors, 16) << look.id;
        EXPECT_EQ(img.hotY, 4) << look.id;  // bit count in the directory
        ExpectTrayPicture(img, look);
    }
}

// ---- the class icon ----

TEST(ClassIcon, Large32x32PlusShapeAndSmallImageOfTheTrayIcon) {
    IconFile file = Icon(IDI_VESKAL);
    ASSERT_EQ(file.images.size(), 2u);
    const Image& large = file.images[0].width == 32 ? file.images[0] : file.images[1];
    const Image& small = file.images[0].width == 32 ? file.images[1] : file.images[0];
    ASSERT_EQ(large.pixels.size(), 32u * 32u);
    EXPECT_EQ(large.bpp, 4);
    EXPECT_EQ(small.bpp, 4);

    // The bright square: 15x15, filled, nothing bright outside it.
    int left = 32, top = 32, right = -1, bottom = -1, bright = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (large.At(x, y) == kGreen) {
                ++bright;
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    EXPECT_EQ(right - left + 1, 15);
    EXPECT_EQ(bottom - top + 1, 15);
    EXPECT_EQ(bright, 15 * 15);
    EXPECT_GE(left, 8);
    EXPECT_LE(right, 23);

    // Opaque; dark green only in the arms, which end one pixel from each edge.
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            bool inColumn = x >= left && x <= right, inRow = y >= top && y <= bottom;
            bool edge = x == 0 || y == 0 || x == 31 || y == 31;
            uint32_t p = large.At(x, y);
            if (inColumn && inRow) continue;
            uint32_t want = (inColumn || inRow) && !edge ? kDarkGreen : kBlack;
            EXPECT_EQ(p, want) << x << "," << y;
        }

    IconFile tray = Icon(IDI_TRAY_ENABLED);
    ASSERT_EQ(tray.images.size(), 1u);
    EXPECT_EQ(small.dib, tray.images[0].dib);
}

// ---- what the stand-in serves from the resource script ----

TEST_F(VeskalTest, ResourceStringsLoadAsAnsiText) {
    const struct {
        UINT id;
        std::string text;
    } strings[] = {
        {IDS_TITLE, "Veskal"},
        {IDS_STOPPED, sim::Ansi("Veskal（停止中）")},
        {IDS_CLASSNAME, "VESKALClass"},
        {IDS_MUTEXNAME, "VESKALMUTEX"},
    };
    for (const auto& s : strings) {
        char buffer[100] = "junk";
        int n = LoadStringA(kInstance, s.id, buffer, sizeof buffer);
        EXPECT_EQ(std::string(buffer), s.text) << s.id;
        EXPECT_EQ(n, (int)s.text.size()) << s.id;
    }
    EXPECT_EQ(sim::Ansi("Veskal（停止中）"), "Veskal\x81i\x92\xe2\x8e~\x92\x86\x81j");  // Shift-JIS
}

TEST_F(VeskalTest, TrayMenuHoldsSixEntriesInOrder) {
    const struct {
        UINT id;
        const char* caption;  // null: separator
    } entries[] = {
        {ID_TRAY_ENABLE, "有効(&V)"}, {0, nullptr},          {ID_TRAY_SETTINGS, "設定(&C)..."},
        {ID_TRAY_HOME, "始点へ移動(&O)"}, {0, nullptr}, {ID_TRAY_EXIT, "終了(&X)"},
    };
    HMENU menu = LoadMenuA(kInstance, MAKEINTRESOURCEA(IDR_TRAYMENU));
    ASSERT_NE(menu, nullptr);
    HMENU popup = GetSubMenu(menu, 0);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(GetSubMenu(menu, 1), nullptr);
    TrackPopupMenu(popup, 0, 0, 0, 0, nullptr, nullptr);
    DestroyMenu(menu);

    auto popups = sim::Popups();
    ASSERT_EQ(popups.size(), 1u);
    const auto& items = popups[0].items;
    ASSERT_EQ(items.size(), 6u);
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].separator, entries[i].caption == nullptr) << i;
        EXPECT_FALSE(items[i].checked) << i;
        if (!entries[i].caption) continue;
        EXPECT_EQ(items[i].id, entries[i].id) << i;
        EXPECT_EQ(items[i].caption, sim::Ansi(entries[i].caption)) << i;
    }
}

TEST_F(VeskalTest, IconsAndCursorResolveToTheirResources) {
    for (UINT id : {IDI_VESKAL, IDI_TRAY_ENABLED, IDI_TRAY_STOPPED}) {
        HICON icon = LoadIconA(kInstance, MAKEINTRESOURCEA(id));
        EXPECT_EQ(sim::ResourceIdOf(icon), (int)id);
    }
    HCURSOR cursor = LoadCursorA(kInstance, MAKEINTRESOURCEA(IDC_MOVECURSOR));
    EXPECT_EQ(sim::ResourceIdOf(cursor), IDC_MOVECURSOR);
    EXPECT_EQ(LoadIconA(kInstance, MAKEINTRESOURCEA(IDC_MOVECURSOR)), nullptr);
    EXPECT_EQ(LoadCursorA(kInstance, MAKEINTRESOURCEA(IDI_VESKAL)), nullptr);
}

}  // namespace
