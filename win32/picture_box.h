#pragma once

#include <windows.h>

#include "picture_scale.h"

namespace cj::win32 {

// A picture box: a white panel the run draws on in its own user scale, with (0, 0) at the
// top-left corner of its interior. It shows an assigned picture at its natural size, and over
// it whatever has been drawn, kept so that it survives the box being covered and uncovered.
class PictureBox {
public:
    // The window class the control table's picture boxes are made of.
    static const wchar_t* registerClass(HINSTANCE instance);

    PictureBox() = default;
    PictureBox(const PictureBox&) = delete;
    PictureBox& operator=(const PictureBox&) = delete;
    ~PictureBox();

    void attach(HWND box);

    void setUserScale(float width, float height) { scale_ = {width, height}; }
    // A true circle on the screen: centre in the user scale, radius in horizontal units.
    void drawCircle(float x, float y, float radius);

    HBITMAP picture() const { return picture_; }
    // The box keeps the picture, and lets go of the one it had.
    void setPicture(HBITMAP picture);

private:
    static LRESULT CALLBACK procedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    // A drawing the size of the interior, keeping what was drawn when the interior changes size.
    void fitDrawingTo(SIZE interior);

    HWND box_ = nullptr;
    form::UserScale scale_;
    HBITMAP drawing_ = nullptr;
    SIZE drawingSize_{};
    HBITMAP picture_ = nullptr;
};

// Puts from's picture on the system clipboard, then shows the clipboard's picture in to. An
// empty picture is not put there, so to then shows whatever picture another program left on
// the clipboard, or none.
void copyPictureThroughClipboard(HWND owner, const PictureBox& from, PictureBox& to);

}  // namespace cj::win32
