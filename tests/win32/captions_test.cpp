// Every button's and label's caption shows whole at the screen density the test runs at: wrapped
// at word boundaries in its control's font, it fits inside the control's frame and the part of
// the control the window shows. Leaves a picture of the controls, argument 1, for a look.

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <objidl.h>
// After the two above, which it needs.
#include <gdiplus.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "control_table.h"
#include "controls.h"
#include "wide_text.h"

namespace cj::form {
void PrintTo(const Control& control, std::ostream* out) { *out << control.name; }
}  // namespace cj::form

namespace cj::win32 {
namespace {

const wchar_t* gPicture = L"captions.png";
const Controls* gControls = nullptr;

std::vector<form::Control> captioned() {
    std::vector<form::Control> found;
    std::ranges::copy_if(form::controls(), std::back_inserter(found),
                         [](const form::Control& c) { return c.kind == form::Kind::Button || c.kind == form::Kind::Label; });
    return found;
}

// The window's client area as the program makes it, with every control, and its buttons'
// captions drawn as the program draws them.
class Window {
public:
    Window() {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        const WNDCLASSW windowClass{0, procedure, 0, 0, instance, nullptr, nullptr,
                                    reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr, L"captions"};
        RegisterClassW(&windowClass);
        dpi_ = static_cast<int>(GetDpiForSystem());
        handle_ = CreateWindowW(L"captions", L"Form1", WS_POPUP | WS_VISIBLE, 0, 0,
                                form::pixelsOf(form::kClientWidthTwips, dpi_),
                                form::pixelsOf(form::kClientHeightTwips, dpi_), nullptr, nullptr, instance, nullptr);
        controls_ = std::make_unique<Controls>(handle_, instance);
        gControls = controls_.get();
        controls_->layOut(static_cast<UINT>(dpi_));
    }
    ~Window() { DestroyWindow(handle_); }
    HWND operator[](std::string_view name) const { return (*controls_)[name]; }
    int dpi() const { return dpi_; }

    void savePicture(const wchar_t* file) const {
        RECT client{};
        GetClientRect(handle_, &client);
        HDC screen = GetDC(handle_);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
        HGDIOBJ before = SelectObject(memory, bitmap);
        RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        BitBlt(memory, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
        SelectObject(memory, before);
        ULONG_PTR token = 0;
        const Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&token, &input, nullptr);
        CLSID png{};
        CLSIDFromString(L"{557CF406-1A04-11D3-9A73-0000F81EF32E}", &png);
        Gdiplus::Bitmap(bitmap, nullptr).Save(file, &png, nullptr);
        Gdiplus::GdiplusShutdown(token);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(handle_, screen);
    }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        const auto* draw = reinterpret_cast<const NMCUSTOMDRAW*>(lParam);
        if (message != WM_NOTIFY || draw->hdr.code != NM_CUSTOMDRAW) return DefWindowProcW(window, message, wParam, lParam);
        return gControls->drawCaption(*draw);
    }

    HWND handle_ = nullptr;
    int dpi_ = 96;
    std::unique_ptr<Controls> controls_;
};

Window* gWindow = nullptr;

class CaptionShowsWhole : public testing::TestWithParam<form::Control> {};

TEST_P(CaptionShowsWhole, AtThisDensity) {
    const form::Control& control = GetParam();
    const HWND handle = (*gWindow)[control.name];
    const bool button = control.kind == form::Kind::Button;
    // A button's caption goes centred inside its border, a label's from its top-left corner; the
    // window shows only what lies inside it.
    RECT room{};
    GetClientRect(handle, &room);
    const int border = button ? MulDiv(1, gWindow->dpi(), 96) : 0;
    InflateRect(&room, -border, -border);
    RECT shown{};
    GetClientRect(GetParent(handle), &shown);
    MapWindowPoints(GetParent(handle), handle, reinterpret_cast<POINT*>(&shown), 2);

    const std::wstring caption = wideOf(control.text);
    HDC dc = GetDC(handle);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(handle, WM_GETFONT, 0, 0)));
    RECT text{0, 0, room.right - room.left, 0};
    DrawTextW(dc, caption.c_str(), -1, &text, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    ReleaseDC(handle, dc);
    if (button) OffsetRect(&text, (room.right - room.left - text.right) / 2, (room.bottom - room.top - text.bottom) / 2);
    OffsetRect(&text, room.left, room.top);

    IntersectRect(&room, &room, &shown);
    RECT inside{};
    UnionRect(&inside, &text, &room);
    EXPECT_TRUE(EqualRect(&inside, &room)) << "\"" << control.text << "\" needs " << text.right - text.left << "x"
                                           << text.bottom - text.top << " pixels from " << text.left << "," << text.top
                                           << "; it has " << room.right - room.left << "x" << room.bottom - room.top
                                           << " from " << room.left << "," << room.top << " at " << gWindow->dpi()
                                           << " dots per inch";
}

INSTANTIATE_TEST_SUITE_P(Controls, CaptionShowsWhole, testing::ValuesIn(captioned()),
                         [](const testing::TestParamInfo<form::Control>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace cj::win32

int main(int argc, char* argv[]) {
    testing::InitGoogleTest(&argc, argv);
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const std::wstring picture = argc > 1 ? cj::win32::wideOf(argv[1]) : cj::win32::gPicture;
    cj::win32::Window window;
    cj::win32::gWindow = &window;
    const int failed = RUN_ALL_TESTS();
    window.savePicture(picture.c_str());
    return failed;
}
