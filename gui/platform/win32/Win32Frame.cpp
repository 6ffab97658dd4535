#include "gui/platform/win32/Win32Frame.h"

#include <windowsx.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "gui/platform/win32/RegionRects.h"
#include "gui/platform/win32/Win32Clipboard.h"

namespace VSTGUI::platform {

namespace {

constexpr int kMostMessagesPerCall = 1000;

HINSTANCE thisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&thisModule), &module);
    return module;
}

// One class per loaded copy of this code, so that two plug-in builds in one host never
// share a window procedure; registered while any of its windows lives.
const wchar_t* className() {
    static wchar_t name[64];
    if (!name[0]) std::swprintf(name, 64, L"MarvolenzikFrame%p", static_cast<void*>(thisModule()));
    return name;
}

int liveWindows = 0;

bool registerClass(WNDPROC procedure) {
    if (liveWindows++ > 0) return true;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = thisModule();
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = className();
    if (RegisterClassExW(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS) return true;
    --liveWindows;
    return false;
}

void unregisterClass() {
    if (--liveWindows == 0) UnregisterClassW(className(), thisModule());
}

CButtonState modifiersOf(WPARAM keys) {
    int32_t state = 0;
    if (keys & MK_SHIFT) state |= kShift;
    if (keys & MK_CONTROL) state |= kControl;
    if (GetKeyState(VK_MENU) < 0) state |= kAlt;
    return CButtonState(state);
}

CButtonState buttonsOf(WPARAM keys) {
    int32_t state = modifiersOf(keys).state;
    if (keys & MK_LBUTTON) state |= kLButton;
    if (keys & MK_MBUTTON) state |= kMButton;
    if (keys & MK_RBUTTON) state |= kRButton;
    return CButtonState(state);
}

CPoint pointOf(LPARAM lParam) { return CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); }

}  // namespace

std::unique_ptr<PlatformFrame> createNativeFrame(FrameEvents& events, const CRect& size, void* parent) {
    return Win32Frame::create(events, size, parent);
}

std::unique_ptr<PlatformFrame> Win32Frame::create(FrameEvents& events, const CRect& size, void* parent) {
    const int width = std::max(1, static_cast<int>(std::lround(size.getWidth())));
    const int height = std::max(1, static_cast<int>(std::lround(size.getHeight())));
    std::unique_ptr<Win32Frame> frame(new Win32Frame(events, width, height));
    if (!frame->canvas || !frame->bufferDc || !frame->createWindow(static_cast<HWND>(parent))) return nullptr;
    return frame;
}

Win32Frame::Win32Frame(FrameEvents& events, int width, int height)
    : events(events), width(width), height(height), invalid(CreateRectRgn(0, 0, 0, 0)), canvas(createCanvas()) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first, as the drawing back ends want
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    buffer = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bufferPixels, nullptr, 0);
    if (!buffer) return;
    bufferDc = CreateCompatibleDC(nullptr);
    previousBitmap = SelectObject(bufferDc, buffer);
}

bool Win32Frame::createWindow(HWND parent) {
    if (!registerClass(&windowProcedure)) return false;
    const bool topLevel = parent == nullptr;
    RECT area{0, 0, width, height};
    const DWORD style = topLevel ? WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX
                                 : WS_CHILD | WS_CLIPSIBLINGS;
    if (topLevel) AdjustWindowRect(&area, style, FALSE);
    registered = true;
    window = CreateWindowExW(0, className(), L"", style, 0, 0, area.right - area.left, area.bottom - area.top, parent,
                             nullptr, thisModule(), this);
    if (!window) return false;
    ShowWindow(window, SW_SHOWNA);
    return true;
}

Win32Frame::~Win32Frame() {
    if (window) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
    if (registered) unregisterClass();
    canvas.reset();
    if (bufferDc) {
        SelectObject(bufferDc, previousBitmap);
        DeleteDC(bufferDc);
    }
    if (buffer) DeleteObject(buffer);
    DeleteObject(invalid);
}

LRESULT CALLBACK Win32Frame::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        // Before CreateWindowExW returns: the frame learns its window here.
        auto* creating = static_cast<Win32Frame*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        creating->window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creating));
    }
    auto* frame = reinterpret_cast<Win32Frame*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!frame) return DefWindowProcW(window, message, wParam, lParam);
    return frame->handle(message, wParam, lParam);
}

void Win32Frame::mouseButton(bool down, CButtonState button, WPARAM wParam, LPARAM lParam) {
    CPoint where = pointOf(lParam);
    const CButtonState modifiers = modifiersOf(GET_KEYSTATE_WPARAM(wParam));
    const int held = heldButtons;
    // One press and one release per gesture: a second button pressed while one is held,
    // or released while another still is, would start a gesture over the first or end it
    // early, and the host would never get its end.
    if (down) {
        heldButtons |= button.state;
        if (held != 0) return;
        SetCapture(window);
        events.platformOnMouseDown(where, CButtonState(button.state | modifiers.state));
    } else {
        heldButtons &= ~button.state;
        if (held != button.state) return;
        if (GetCapture() == window) ReleaseCapture();
        events.platformOnMouseUp(where, modifiers);
    }
}

LRESULT Win32Frame::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // the whole window is painted from the back buffer
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC target = BeginPaint(window, &paint);
            paintInvalidRegion();
            HRGN exposed = CreateRectRgnIndirect(&paint.rcPaint);
            blit(target, exposed);
            DeleteObject(exposed);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            mouseButton(true, CButtonState(kLButton), wParam, lParam);
            return 0;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            mouseButton(true, CButtonState(kMButton), wParam, lParam);
            return 0;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            mouseButton(true, CButtonState(kRButton), wParam, lParam);
            return 0;
        case WM_LBUTTONUP:
            mouseButton(false, CButtonState(kLButton), wParam, lParam);
            return 0;
        case WM_MBUTTONUP:
            mouseButton(false, CButtonState(kMButton), wParam, lParam);
            return 0;
        case WM_RBUTTONUP:
            mouseButton(false, CButtonState(kRButton), wParam, lParam);
            return 0;
        case WM_MOUSEMOVE: {
            CPoint where = pointOf(lParam);
            events.platformOnMouseMoved(where, buttonsOf(wParam));
            return 0;
        }
        case WM_MOUSEWHEEL:
        case WM_MOUSEHWHEEL: {
            POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ScreenToClient(window, &screen);
            // One notch is a distance of 1; turning away from the user (or to the right)
            // counts up.
            const float distance = static_cast<float>(GET_WHEEL_DELTA_WPARAM(wParam)) / WHEEL_DELTA;
            const bool vertical = message == WM_MOUSEWHEEL;
            events.platformOnMouseWheel(CPoint(screen.x, screen.y), vertical ? kMouseWheelAxisY : kMouseWheelAxisX,
                                        distance, modifiersOf(GET_KEYSTATE_WPARAM(wParam)));
            return 0;
        }
        case WM_CAPTURECHANGED:
            // Someone else took the mouse: a drag in progress is over.
            if (heldButtons != 0 && reinterpret_cast<HWND>(lParam) != window) {
                heldButtons = 0;
                events.platformOnMouseCancel();
            }
            return 0;
        case WM_DESTROY:
            // The host destroyed its window, and ours with it.
            if (heldButtons != 0) events.platformOnMouseCancel();
            heldButtons = 0;
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            window = nullptr;
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

void Win32Frame::invalidRect(const CRect& rect) {
    const int left = std::max(0, static_cast<int>(std::floor(rect.left)));
    const int top = std::max(0, static_cast<int>(std::floor(rect.top)));
    const int right = std::min(width, static_cast<int>(std::ceil(rect.right)));
    const int bottom = std::min(height, static_cast<int>(std::ceil(rect.bottom)));
    if (right <= left || bottom <= top) return;
    HRGN added = CreateRectRgn(left, top, right, bottom);
    CombineRgn(invalid, invalid, added, RGN_OR);
    DeleteObject(added);
}

void Win32Frame::processEvents() {
    if (!window) return;
    MSG message;
    for (int handled = 0; handled < kMostMessagesPerCall && window && PeekMessageW(&message, window, 0, 0, PM_REMOVE);
         ++handled) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Win32Frame::paintInvalidRegion() {
    RECT bounds;
    if (GetRgnBox(invalid, &bounds) == NULLREGION) return;
    HRGN painted = invalid;
    invalid = CreateRectRgn(0, 0, 0, 0);
    GdiFlush();
    canvas->paint({bufferDc, bufferPixels, width, height}, painted, events);
    if (window) {
        HDC target = GetDC(window);
        blit(target, painted);
        ReleaseDC(window, target);
    }
    DeleteObject(painted);
}

void Win32Frame::blit(HDC target, HRGN region) {
    for (const RECT& r : regionRects(region))
        BitBlt(target, r.left, r.top, r.right - r.left, r.bottom - r.top, bufferDc, r.left, r.top, SRCCOPY);
}

bool Win32Frame::getCurrentMousePosition(CPoint& where) {
    POINT point;
    if (!window || !GetCursorPos(&point) || !ScreenToClient(window, &point)) return false;
    where = CPoint(point.x, point.y);
    return true;
}

bool Win32Frame::getCurrentMouseButtons(CButtonState& buttons) {
    int32_t state = 0;
    if (GetKeyState(VK_LBUTTON) < 0) state |= kLButton;
    if (GetKeyState(VK_MBUTTON) < 0) state |= kMButton;
    if (GetKeyState(VK_RBUTTON) < 0) state |= kRButton;
    if (GetKeyState(VK_SHIFT) < 0) state |= kShift;
    if (GetKeyState(VK_CONTROL) < 0) state |= kControl;
    if (GetKeyState(VK_MENU) < 0) state |= kAlt;
    buttons = CButtonState(state);
    return true;
}

bool Win32Frame::setClipboardText(const std::string& text) { return window && platform::setClipboardText(window, text); }

bool Win32Frame::getClipboardText(std::string& text) { return window && platform::getClipboardText(window, text); }

void Win32Frame::setVisible(bool visible) {
    if (window) ShowWindow(window, visible ? SW_SHOWNA : SW_HIDE);
}

}  // namespace VSTGUI::platform
