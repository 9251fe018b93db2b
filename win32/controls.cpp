#include "controls.h"

#include <initguid.h>

#include <oleacc.h>

#include <cmath>

#include "control_table.h"
#include "picture_box.h"
#include "wide_text.h"

namespace cj::win32 {

namespace {

using form::Kind;

// Ids clear of those the dialog manager sends for Return and Escape (IDOK, IDCANCEL).
constexpr int kFirstId = 100;

constexpr UINT kCaptionLayout = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;

struct Made {
    const wchar_t* windowClass;
    DWORD style;
    DWORD extendedStyle;
};

Made madeOf(Kind kind, const wchar_t* pictureBoxClass) {
    constexpr DWORD kSunken = WS_EX_CLIENTEDGE;
    switch (kind) {
    case Kind::MultiLineTextBox:
        return {L"EDIT", WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, kSunken};
    case Kind::TextBox:
        return {L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, kSunken};
    case Kind::Button:
        return {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE, 0};
    case Kind::Label:
        return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    case Kind::Picture:
        return {pictureBoxClass, WS_TABSTOP, kSunken};
    case Kind::ListBox:
        return {L"LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, kSunken};
    }
    return {};
}

HFONT fontOf(const form::Font& font, UINT dotsPerInch) {
    LOGFONTW wanted{};
    wanted.lfHeight = -static_cast<LONG>(std::lround(font.points * dotsPerInch / 72.0));
    wanted.lfWeight = FW_NORMAL;
    wanted.lfCharSet = ANSI_CHARSET;
    wanted.lfQuality = CLEARTYPE_QUALITY;
    const std::wstring family = wideOf(font.family);
    family.copy(wanted.lfFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectW(&wanted);
}

// What a screen reader calls each control; a box's own text is its content, not its name.
void nameForScreenReaders(const std::vector<HWND>& handles) {
    IAccPropServices* names = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&names)))) {
        return;  // the controls keep the names Windows gives them
    }
    for (std::size_t i = 0; i < handles.size(); ++i) {
        const std::wstring name = wideOf(form::controls()[i].accessibleName());
        names->SetHwndPropStr(handles[i], OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME, name.c_str());
    }
    names->Release();
}

}  // namespace

Controls::Controls(HWND window, HINSTANCE instance) {
    const wchar_t* pictureBoxClass = PictureBox::registerClass(instance);
    int id = kFirstId;
    for (const form::Control& control : form::controls()) {
        const Made made = madeOf(control.kind, pictureBoxClass);
        const std::wstring text = wideOf(control.text);
        handles_.push_back(CreateWindowExW(made.extendedStyle, made.windowClass, text.c_str(),
                                           WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | made.style, 0, 0, 0, 0, window,
                                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), instance, nullptr));
    }
    nameForScreenReaders(handles_);
}

Controls::~Controls() {
    DeleteObject(captionFont_);
    DeleteObject(largeBoxFont_);
}

HWND Controls::operator[](std::string_view name) const {
    const auto table = form::controls();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].name == name) return handles_[i];
    }
    return nullptr;
}

std::string_view Controls::nameOf(int id) const {
    const auto table = form::controls();
    const auto index = static_cast<std::size_t>(id - kFirstId);
    return id >= kFirstId && index < table.size() ? table[index].name : std::string_view();
}

void Controls::layOut(UINT dotsPerInch) {
    dotsPerInch_ = dotsPerInch;
    HFONT captions = fontOf(form::kCaptionFont, dotsPerInch);
    HFONT largeBoxes = fontOf(form::kLargeBoxFont, dotsPerInch);
    const auto table = form::controls();
    const auto pixels = [&](int twips) { return form::pixelsOf(twips, static_cast<int>(dotsPerInch)); };
    for (std::size_t i = 0; i < table.size(); ++i) {
        const form::TwipRect& place = table[i].place;
        MoveWindow(handles_[i], pixels(place.left), pixels(place.top), pixels(place.width), pixels(place.height), TRUE);
        HFONT font = table[i].kind == Kind::MultiLineTextBox ? largeBoxes : captions;
        SendMessageW(handles_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    // Only now that no control uses them any more.
    DeleteObject(captionFont_);
    DeleteObject(largeBoxFont_);
    captionFont_ = captions;
    largeBoxFont_ = largeBoxes;
}

// The button draws its face and its focus; its caption, wrapped at word boundaries and centred
// both ways, goes across the whole face inside the border. The button's own margin would cut
// the second line of the smallest ("pend exp"), and Wine wraps a centred caption a second time
// in the width it measured, which breaks "Save as Notes" onto a third line.
LRESULT Controls::drawCaption(const NMCUSTOMDRAW& draw) const {
    const auto table = form::controls();
    const std::size_t index = draw.hdr.idFrom - kFirstId;
    if (index >= table.size() || table[index].kind != Kind::Button) return CDRF_DODEFAULT;
    if (draw.dwDrawStage == CDDS_PREPAINT) return CDRF_DOERASE | CDRF_NOTIFYPOSTPAINT;
    if (draw.dwDrawStage != CDDS_POSTPAINT) return CDRF_DODEFAULT;

    RECT face = draw.rc;
    const int border = MulDiv(1, static_cast<int>(dotsPerInch_), USER_DEFAULT_SCREEN_DPI);
    InflateRect(&face, -border, -border);
    const std::wstring caption = wideOf(table[index].text);
    const HGDIOBJ before = SelectObject(draw.hdc, captionFont_);
    RECT lines = face;
    DrawTextW(draw.hdc, caption.c_str(), -1, &lines, kCaptionLayout | DT_CALCRECT);
    face.top += (face.bottom - lines.bottom) / 2;
    SetBkMode(draw.hdc, TRANSPARENT);
    SetTextColor(draw.hdc, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(draw.hdc, caption.c_str(), -1, &face, kCaptionLayout);
    SelectObject(draw.hdc, before);
    return CDRF_DODEFAULT;
}

}  // namespace cj::win32
