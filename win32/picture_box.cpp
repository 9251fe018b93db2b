#include "picture_box.h"

#include <cmath>

#include "clipboard.h"

namespace cj::win32 {

namespace {

constexpr wchar_t kClassName[] = L"PictureBox";

SIZE interiorOf(HWND box) {
    RECT client{};
    GetClientRect(box, &client);
    return {client.right, client.bottom};
}

// A device context to draw on a bitmap, let go of at the end of the scope.
class BitmapDc {
public:
    explicit BitmapDc(HBITMAP bitmap) : dc_(CreateCompatibleDC(nullptr)), before_(SelectObject(dc_, bitmap)) {}
    BitmapDc(const BitmapDc&) = delete;
    BitmapDc& operator=(const BitmapDc&) = delete;
    ~BitmapDc() {
        SelectObject(dc_, before_);
        DeleteDC(dc_);
    }
    operator HDC() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ before_;
};

HBITMAP copyOf(HBITMAP bitmap) {
    return bitmap ? static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, 0)) : nullptr;
}

}  // namespace

const wchar_t* PictureBox::registerClass(HINSTANCE instance) {
    WNDCLASSEXW boxClass{};
    boxClass.cbSize = sizeof boxClass;
    boxClass.lpfnWndProc = procedure;
    boxClass.hInstance = instance;
    boxClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    boxClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    boxClass.lpszClassName = kClassName;
    RegisterClassExW(&boxClass);
    return kClassName;
}

PictureBox::~PictureBox() {
    if (box_) SetWindowLongPtrW(box_, GWLP_USERDATA, 0);
    DeleteObject(drawing_);
    DeleteObject(picture_);
}

void PictureBox::attach(HWND box) {
    box_ = box;
    SetWindowLongPtrW(box_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void PictureBox::drawCircle(float x, float y, float radius) {
    const SIZE interior = interiorOf(box_);
    if (!form::canDrawIn(scale_, interior.cx, interior.cy)) return;
    fitDrawingTo(interior);
    const form::PixelCircle circle = form::pixelCircle(scale_, interior.cx, interior.cy, x, y, radius);
    const BitmapDc dc(drawing_);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Ellipse(dc, std::lround(circle.x - circle.radius), std::lround(circle.y - circle.radius),
            std::lround(circle.x + circle.radius), std::lround(circle.y + circle.radius));
    InvalidateRect(box_, nullptr, FALSE);
}

void PictureBox::setPicture(HBITMAP picture) {
    DeleteObject(picture_);
    picture_ = picture;
    InvalidateRect(box_, nullptr, TRUE);
}

void PictureBox::fitDrawingTo(SIZE interior) {
    if (drawing_ && drawingSize_.cx == interior.cx && drawingSize_.cy == interior.cy) return;
    HDC screen = GetDC(nullptr);
    HBITMAP fitted = CreateCompatibleBitmap(screen, interior.cx, interior.cy);
    ReleaseDC(nullptr, screen);
    const BitmapDc to(fitted);
    PatBlt(to, 0, 0, interior.cx, interior.cy, WHITENESS);
    if (drawing_) {
        const BitmapDc from(drawing_);
        SetStretchBltMode(to, HALFTONE);
        StretchBlt(to, 0, 0, interior.cx, interior.cy, from, 0, 0, drawingSize_.cx, drawingSize_.cy, SRCCOPY);
        DeleteObject(drawing_);
    }
    drawing_ = fitted;
    drawingSize_ = interior;
}

LRESULT CALLBACK PictureBox::procedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<PictureBox*>(GetWindowLongPtrW(box, GWLP_USERDATA));
    if (self && message == WM_PAINT) {
        self->paint();
        return 0;
    }
    return DefWindowProcW(box, message, wParam, lParam);
}

void PictureBox::paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(box_, &paint);
    if (picture_) {
        BITMAP size{};
        GetObjectW(picture_, sizeof size, &size);
        const BitmapDc from(picture_);
        BitBlt(dc, 0, 0, size.bmWidth, size.bmHeight, from, 0, 0, SRCCOPY);
    }
    if (drawing_) {
        // Black circles on white: the white lets the picture through, the black covers it.
        const BitmapDc from(drawing_);
        BitBlt(dc, 0, 0, drawingSize_.cx, drawingSize_.cy, from, 0, 0, picture_ ? SRCAND : SRCCOPY);
    }
    EndPaint(box_, &paint);
}

void copyPictureThroughClipboard(HWND owner, const PictureBox& from, PictureBox& to) {
    const OpenedClipboard clipboard(owner);
    clipboard.mustBeOpen();
    if (from.picture()) {
        EmptyClipboard();
        SetClipboardData(CF_BITMAP, copyOf(from.picture()));
    }
    to.setPicture(copyOf(static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))));
}

}  // namespace cj::win32
