// Every button's and label's caption shows whole at the screen density the test runs at: wrapped
// at word boundaries in its control's font, it fits inside the control's border and the part of
// the control the window shows. Leaves a picture of the controls, argument 1, for a look.

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <objidl.h>
// After the two above, which it needs.
#include <gdiplus.h>

#include <cstdio>
#include <string>

#include "control_table.h"
#include "controls.h"
#include "wide_text.h"

using cj::form::Kind;

namespace {

const cj::win32::Controls* gControls = nullptr;

// The buttons' captions are drawn as the window draws them.
LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* draw = reinterpret_cast<const NMCUSTOMDRAW*>(lParam);
    if (message == WM_NOTIFY && draw->hdr.code == NM_CUSTOMDRAW) return gControls->drawCaption(*draw);
    return DefWindowProcW(window, message, wParam, lParam);
}

void savePicture(HWND window, const std::wstring& file) {
    RECT client{};
    GetClientRect(window, &client);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
    ULONG_PTR token = 0;
    const Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    CLSID png{};
    CLSIDFromString(L"{557CF406-1A04-11D3-9A73-0000F81EF32E}", &png);
    Gdiplus::Bitmap(bitmap, nullptr).Save(file.c_str(), &png, nullptr);
}

}  // namespace

int main(int argc, char* argv[]) {
    const INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&common);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const WNDCLASSW windowClass{0, procedure, 0, 0, instance, nullptr, nullptr,
                                reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr, L"captions"};
    RegisterClassW(&windowClass);
    const int dpi = static_cast<int>(GetDpiForSystem());
    HWND window = CreateWindowW(L"captions", L"Form1", WS_POPUP | WS_VISIBLE, 0, 0,
                                cj::form::pixelsOf(cj::form::kClientWidthTwips, dpi),
                                cj::form::pixelsOf(cj::form::kClientHeightTwips, dpi), nullptr, nullptr, instance, nullptr);
    cj::win32::Controls controls(window, instance);
    gControls = &controls;
    controls.layOut(static_cast<UINT>(dpi));

    int cut = 0;
    for (const cj::form::Control& control : cj::form::controls()) {
        if (control.kind != Kind::Button && control.kind != Kind::Label) continue;
        const HWND handle = controls[control.name];
        // A button's caption goes centred inside its border, a label's from its top-left corner.
        RECT room{}, shown{};
        GetClientRect(handle, &room);
        const int border = control.kind == Kind::Button ? MulDiv(1, dpi, 96) : 0;
        InflateRect(&room, -border, -border);
        HDC dc = GetDC(handle);
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(handle, WM_GETFONT, 0, 0)));
        RECT text{0, 0, room.right - room.left, 0};
        DrawTextW(dc, cj::win32::wideOf(control.text).c_str(), -1, &text, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        ReleaseDC(handle, dc);
        if (border) OffsetRect(&text, (room.right - room.left - text.right) / 2, (room.bottom - room.top - text.bottom) / 2);
        OffsetRect(&text, room.left, room.top);
        // The window shows only what lies inside it.
        GetClientRect(window, &shown);
        MapWindowPoints(window, handle, reinterpret_cast<POINT*>(&shown), 2);
        IntersectRect(&room, &room, &shown);
        RECT both{};
        UnionRect(&both, &text, &room);
        if (EqualRect(&both, &room)) continue;
        ++cut;
        std::printf("%s: \"%s\" needs %ldx%ld pixels from %ld,%ld; it has %ldx%ld from %ld,%ld\n",
                    std::string(control.name).c_str(), std::string(control.text).c_str(), text.right - text.left,
                    text.bottom - text.top, text.left, text.top, room.right - room.left, room.bottom - room.top,
                    room.left, room.top);
    }
    std::printf("%s: %d captions cut at %d dots per inch\n", cut ? "FAIL" : "PASS", cut, dpi);
    savePicture(window, cj::win32::wideOf(argc > 1 ? argv[1] : "captions.png"));
    return cut ? 1 : 0;
}
